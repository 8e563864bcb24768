#pragma once
// The Sound port as the program holds it: the sound module in the program's
// modules folder is loaded on the first Play (or the first question about the
// audio output), and every call goes to it from then on. A module that
// cannot be loaded makes each Play fail with the reason.

#include "session/ports.h"

#include <QLibrary>

#include <memory>
#include <string>

namespace kestrel::app {

class LazySound : public Sound {
public:
    // `folder`: the folder the module lies in.
    explicit LazySound(const QString& folder);
    ~LazySound() override;
    Status play(const std::string& wavPath) override;
    bool hasOutput() override;

private:
    Sound* module();

    QLibrary library_;
    std::unique_ptr<Sound> sound_;
    std::string failure_; // why the module could not be loaded
};

} // namespace kestrel::app
