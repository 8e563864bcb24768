#pragma once
// Finding a window's controls by name, and showing the program's lists in
// list widgets.

#include <QHash>
#include <QStringList>

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QListWidget;
class QWidget;

namespace kestrel::ui {

// The control of `window` called `name`. The windows that `window` owns
// (the object dialog is the main window's child) have controls of the same
// names, so only controls of `window` itself count.
QWidget* controlOf(QWidget& window, std::string_view name);

// The same for many names: the window's controls found in one walk over
// its children, rather than one walk a name.
class Controls {
public:
    explicit Controls(QWidget& window);
    QWidget* operator()(std::string_view name) const;

private:
    QHash<QString, QWidget*> byName_;
};

// Each label names its control to screen readers, in the language the label
// shows (call again when it changes).
void nameByLabels(QWidget& window,
                  std::initializer_list<std::pair<const char*, const char*>> labelAndControl);

// The tooltip of an icon button, which also names it to screen readers.
void setTipAndName(QWidget& control, const QString& tip);

// Puts `texts` in `list` (leaving it alone when it already shows them, so
// the scroll position stays) and makes `selected` its current row; -1
// clears the selection.
void showListItems(QListWidget* list, const QStringList& texts, int selected);

// The same for single-byte texts of the program's files.
void showListItems(QListWidget* list, const std::vector<std::string>& items, int selected);

} // namespace kestrel::ui
