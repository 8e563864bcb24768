#include "qt_sound.h"

#include <QSoundEffect>
#include <QUrl>

namespace kestrel::app {

QtSound::QtSound() = default;
QtSound::~QtSound() = default;

void QtSound::play(const std::string& wavPath) {
    if (!effect_) effect_ = std::make_unique<QSoundEffect>();
    effect_->stop();
    // Paths are local 8-bit names; a file that cannot be played stays silent.
    effect_->setSource(QUrl::fromLocalFile(QString::fromLocal8Bit(wavPath)));
    effect_->play();
}

} // namespace kestrel::app
