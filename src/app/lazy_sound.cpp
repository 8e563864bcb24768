#include "lazy_sound.h"

#include <QDir>

namespace kestrel::app {

namespace {

using MakeSound = Sound* (*)();

} // namespace

LazySound::LazySound(const QString& folder)
    : library_(QDir(folder).filePath(QStringLiteral("kestrel_sound"))) {}

// The player goes before its library.
LazySound::~LazySound() {
    sound_.reset();
}

Sound* LazySound::module() {
    if (sound_ || !failure_.empty()) return sound_.get();
    const auto make = reinterpret_cast<MakeSound>(library_.resolve("kestrelMakeSound"));
    if (make) sound_.reset(make());
    if (!sound_)
        failure_ = "the sound module " + library_.fileName().toStdString() +
                   " could not be loaded: " + library_.errorString().toStdString();
    return sound_.get();
}

Status LazySound::play(const std::string& wavPath) {
    Sound* sound = module();
    return sound ? sound->play(wavPath) : Status::failure(failure_);
}

// Without the module, Play goes on to say why it cannot play.
bool LazySound::hasOutput() {
    Sound* sound = module();
    return sound ? sound->hasOutput() : true;
}

} // namespace kestrel::app
