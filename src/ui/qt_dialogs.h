#pragma once
// The Dialogs port with Qt message boxes and file dialogs, in the language in
// force at the moment each one appears.

#include "session/main_state.h"
#include "session/ports.h"

#include <functional>

class QWidget;

namespace kestrel::ui {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(std::function<Language()> language);

    // The window that owns the boxes and whose controls `focus` finds.
    void setWindow(QWidget* window) { window_ = window; }

    Answer message(Msg id, const std::vector<std::string>& args) override;
    std::optional<std::string> openFile(FileDialog which, const std::string& initialDir) override;
    void focus(std::string_view control) override;

private:
    std::function<Language()> language_;
    QWidget* window_ = nullptr;
};

} // namespace kestrel::ui
