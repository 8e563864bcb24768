// The floor Kestrel's start-up is measured against: a bare Qt Widgets
// program with one window holding a list of 370 rows, as many as Kestrel's
// catalogue has places, and nothing else.
//
// It closes its window from a timer of the same 10 ms that Kestrel's control
// script waits before its first step, so that both programs are timed over
// the same road: start, first show, one tick, close, exit.

#include <QApplication>
#include <QListWidget>
#include <QStringList>
#include <QTimer>

namespace {

constexpr int kRows = 370;
constexpr int kTickMs = 10;

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QListWidget list;
    QStringList rows;
    rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) rows.append(QStringLiteral("%1: ROW_%1").arg(i, 3));
    list.addItems(rows);
    list.show();
    QTimer::singleShot(kTickMs, &list, &QWidget::close);
    return QApplication::exec();
}
