#pragma once
// A list whose rows are each on or off, as the program says. A click (or
// Space) on a row is reported as a toggle of that row; the arrow and page
// keys report the row they move to. The list never changes a row's state
// itself: the window redraws it from the state after every event. A row
// whose sound carries a change not applied is marked by a bar at its start;
// its text stays as the program gives it.

#include "session/main_state.h"

#include <QListWidget>

#include <string>
#include <utility>
#include <vector>

namespace kestrel::ui {

class ToggleList : public QListWidget {
    Q_OBJECT
public:
    explicit ToggleList(QWidget* parent = nullptr);

    // Rows, their on/off state and the current row (-1: none). The rows'
    // texts are set here only.
    void showRows(const std::vector<SoundRow>& rows, int currentRow);

signals:
    void rowClicked(int row);
    void rowStepped(int row);

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Selects exactly the rows that are on.
    void showSelection(const std::vector<SoundRow>& rows);
    std::pair<int, int> rowsToDraw(int count) const;
    void markShown(const QItemSelection& ranges, bool on);
    int rowsPerPage() const;
    std::vector<std::string> shownTexts_; // the text each row shows
    std::vector<bool> shownSelected_;     // whether each row shows selected
    std::vector<bool> shownChanged_;      // whether each row shows the changed bar
    int shownCurrent_ = -1;
    // Where the keys step from while no row is current: the row last made
    // current, clicked or stepped to (a refused protected row included).
    int stepFrom_ = -1;
    bool settingSelection_ = false;
};

} // namespace kestrel::ui
