#pragma once
// Showing a list of texts the program keeps in a list widget.

#include <QStringList>

#include <string>
#include <vector>

class QListWidget;

namespace kestrel::ui {

// Puts `texts` in `list` (leaving it alone when it already shows them, so
// the scroll position stays) and makes `selected` its current row; -1
// clears the selection.
void showListItems(QListWidget* list, const QStringList& texts, int selected);

// The same for single-byte texts of the program's files.
void showListItems(QListWidget* list, const std::vector<std::string>& items, int selected);

} // namespace kestrel::ui
