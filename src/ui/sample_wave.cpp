#include "sample_wave.h"

#include "captions.h"
#include "looks.h"

#include <QPainter>

#include <algorithm>

namespace kestrel::ui {

SampleWave::SampleWave(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("WvSamp"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumHeight(fontMetrics().lineSpacing() * 4);
}

void SampleWave::show(const std::string& sample, SampleView view, Language language) {
    view_ = std::move(view);
    note_ = sampleNote(language, sample, view_);
    setToolTip(note_);
    update();
}

void SampleWave::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kListBack);
    const int width = this->width(), height = this->height();
    const auto channels = static_cast<int>(view_.wave.size());
    p.setPen(QColor(128, 200, 255));
    for (int c = 0; c < channels; ++c) {
        const auto& columns = view_.wave[static_cast<std::size_t>(c)];
        const int top = height * c / channels, band = height / channels;
        const auto y = [&](float v) { return top + int((1.0f - v) * 0.5f * float(band - 1)); };
        p.drawLine(0, y(0), width, y(0));
        const auto n = static_cast<int>(columns.size());
        for (int x = 0; x < width && n > 0; ++x) {
            // The stretches this pixel column covers, at least one.
            const int first = x * n / width, last = std::max(first + 1, (x + 1) * n / width);
            float low = columns[static_cast<std::size_t>(first)].low, high = low;
            for (int i = first; i < last; ++i) {
                low = std::min(low, columns[static_cast<std::size_t>(i)].low);
                high = std::max(high, columns[static_cast<std::size_t>(i)].high);
            }
            p.drawLine(x, y(high), x, y(low));
        }
    }
    p.setPen(view_.shown == SampleView::Shown::Missing ? kMissingSample : kListText);
    const QRect text = rect().adjusted(4, 2, -4, -2);
    p.drawText(text, Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap, note_);
}

} // namespace kestrel::ui
