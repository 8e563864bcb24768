#pragma once
// A list whose rows are each on or off, as the program says. A click (or
// Space) on a row is reported as a toggle of that row; the arrow and page
// keys report the row they move to. The list never changes a row's state
// itself: the window redraws it from the state after every event. A row
// whose sound carries a change not applied is marked by a bar at its start;
// its text stays as the program gives it.
//
// The list reads the rows where the program keeps them, so an event costs
// the same whatever the number of sounds: after each event only the rows on
// screen are compared with what they showed, and those that differ drawn
// again. The rows that are on are the ones reported as selected to anything
// that reads the view (screen readers, item-view clients).

#include "session/main_state.h"

#include <QListView>

#include <string>
#include <utility>
#include <vector>

namespace kestrel::ui {

class SoundRows;

class ToggleList : public QListView {
    Q_OBJECT
    Q_PROPERTY(int currentRow READ currentRow)
public:
    explicit ToggleList(QWidget* parent = nullptr);

    // The state's rows, their on/off state and its current row (-1: none).
    // The state is read again whenever the list draws, so it must live as
    // long as the list.
    void showRows(const MainState& state);
    // The current row, -1 when none.
    int currentRow() const { return currentIndex().row(); }

signals:
    void rowClicked(int row);
    void rowStepped(int row);

protected:
    bool viewportEvent(QEvent* event) override;
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // What a row showed when it was last compared.
    struct Shown {
        std::string text;
        bool on = false;
        bool changed = false;
        bool operator==(const Shown&) const = default;
    };
    void drawChangedRowsOnScreen(const MainState& state);
    void tellAccessibilityOfMarks(const std::vector<SoundRow>& rows);
    std::pair<int, int> rowsOnScreen(int count) const;
    int rowsPerPage() const;

    SoundRows* rows_ = nullptr;
    int shownFirst_ = 0;
    std::vector<Shown> shown_; // the rows on screen at the last comparison
    std::vector<char> toldOn_; // each row's state as screen readers last heard it
    int shownCurrent_ = -1;
    // Where the keys step from while no row is current: the row last made
    // current, clicked or stepped to (a refused protected row included).
    int stepFrom_ = -1;
};

} // namespace kestrel::ui
