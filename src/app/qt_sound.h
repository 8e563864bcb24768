#pragma once
// The Sound port with Qt Multimedia: asynchronous, a new play replaces the
// old. The player is made on the first play, so a session that never plays a
// sample pays nothing for it.
//
// A sample is played from its data, made 16-bit, followed by a little
// silence: an audio output that stops when its data runs out drops what it
// still held, and the silence is what it drops. A file that cannot be played
// is a failure that says why.

#include "session/ports.h"

#include <QByteArray>

#include <memory>

class QAudioSink;
class QBuffer;

namespace kestrel::app {

class QtSound : public Sound {
public:
    QtSound();
    ~QtSound() override;
    Status play(const std::string& wavPath) override;
    bool hasOutput() override;

private:
    void stop();

    std::unique_ptr<QAudioSink> sink_;
    std::unique_ptr<QBuffer> buffer_;
    QByteArray data_;
};

} // namespace kestrel::app
