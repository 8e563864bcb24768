#pragma once
// The Sound port with Qt Multimedia: asynchronous, a new play replaces the
// old. The player is made on the first play, so a session that never plays a
// sample pays nothing for it.

#include "session/ports.h"

#include <memory>

class QSoundEffect;

namespace kestrel::app {

class QtSound : public Sound {
public:
    QtSound();
    ~QtSound() override;
    Status play(const std::string& wavPath) override;

private:
    std::unique_ptr<QSoundEffect> effect_;
};

} // namespace kestrel::app
