#pragma once
// A list of sounds in two versions: for each, its ID and name, then the two
// lines as field views one above the other, the fields that differ
// highlighted.

#include "actions/undo.h"

#include <QListWidget>

#include <vector>

namespace kestrel::ui {

class ChangeView : public QListWidget {
    Q_OBJECT
public:
    explicit ChangeView(QWidget* parent = nullptr);

    void showPairs(const std::vector<LinePair>& pairs);
    // The sound IDs of the chosen rows, in order.
    std::vector<int> chosenIds() const;
    // The sound ID of a row.
    int idOf(const QListWidgetItem& item) const;
};

} // namespace kestrel::ui
