#include "qt_sound.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace kestrel::app {

QtSound::QtSound() = default;
QtSound::~QtSound() = default;

Status QtSound::play(const std::string& wavPath) {
    // Paths are local 8-bit names. A pipe or a device in place of the sample
    // would keep the player reading for ever: only regular files are played.
    const QString path = QString::fromLocal8Bit(wavPath);
    const QFileInfo file(path);
    if (!file.isFile()) return Status::failure("it is not a regular file");
    if (static_cast<std::uint64_t>(file.size()) > kMaxReadBytes)
        return Status::failure("it is larger than 256 MiB");
    if (!effect_) effect_ = std::make_unique<QSoundEffect>();
    effect_->stop();
    // A file that cannot be decoded stays silent.
    effect_->setSource(QUrl::fromLocalFile(path));
    effect_->play();
    return Status::success();
}

} // namespace kestrel::app
