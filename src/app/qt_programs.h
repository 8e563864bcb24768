#pragma once
// The Programs port: starts a program in its own process without waiting.

#include "session/ports.h"

namespace kestrel::app {

class QtPrograms : public Programs {
public:
    Status start(const std::string& program, const std::vector<std::string>& args,
                 const std::string& workingDir) override;
};

} // namespace kestrel::app
