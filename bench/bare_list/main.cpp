// The floor Kestrel's start-up is measured against: a bare Qt Widgets
// program with one window holding a list of 370 rows, as many as Kestrel's
// catalogue has places, and nothing else.
//
//     kestrel_bare_list [--size WIDTHxHEIGHT]
//
// The window takes the size given (Kestrel's, so that both fill the same
// backing store), or its own. Like Kestrel with KESTREL_QUIT_AFTER_FIRST_PAINT
// set, it quits once its window has been drawn the first time.

#include <QApplication>
#include <QListWidget>
#include <QStringList>
#include <QTimer>

namespace {

constexpr int kRows = 370;

class QuitAfterFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched == parent()) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QListWidget list;
    QStringList rows;
    rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) rows.append(QStringLiteral("%1: ROW_%1").arg(i, 3));
    list.addItems(rows);
    const QStringList args = QApplication::arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--size"));
    if (at >= 0 && at + 1 < args.size()) {
        const QStringList size = args[at + 1].split(u'x');
        if (size.size() == 2) list.resize(size[0].toInt(), size[1].toInt());
    }
    list.installEventFilter(new QuitAfterFirstPaint(&list));
    list.show();
    return QApplication::exec();
}
