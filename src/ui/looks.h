#pragma once
// The fonts and colours the windows share.

#include <QColor>
#include <QFont>

class QWidget;

namespace kestrel::ui {

// The fixed-pitch font of the sound rows and field views, so that columns
// line up.
QFont fixedFont();

inline const QColor kListText{255, 255, 192};
inline const QColor kListBack{64, 64, 64};
// A sample without its .wav: readable on the samples list's white and on the
// dark ground of the sample view.
inline const QColor kMissingSample{255, 140, 64};
inline const QColor kMissingSampleOnWhite{176, 64, 0};

// Light yellow on dark grey; selected rows look the same whether or not the
// widget has the focus, since they are data, not a passing choice.
void paintAsList(QWidget& widget);

} // namespace kestrel::ui
