#pragma once
// Finding a window's controls by name, and showing the program's lists in
// list widgets.

#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

class QListWidget;
class QWidget;

namespace kestrel::ui {

// The control of `window` called `name`. The windows that `window` owns
// (the object dialog is the main window's child) have controls of the same
// names, so only controls of `window` itself count.
QWidget* controlOf(QWidget& window, std::string_view name);

// Puts `texts` in `list` (leaving it alone when it already shows them, so
// the scroll position stays) and makes `selected` its current row; -1
// clears the selection.
void showListItems(QListWidget* list, const QStringList& texts, int selected);

// The same for single-byte texts of the program's files.
void showListItems(QListWidget* list, const std::vector<std::string>& items, int selected);

} // namespace kestrel::ui
