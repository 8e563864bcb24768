#pragma once
// The Programs port: starts programs and the build's batch file in their own
// processes without waiting, and tells whether a started batch still runs.

#include "session/ports.h"

namespace kestrel::app {

class QtPrograms : public Programs {
public:
    Status start(const std::string& program, const std::vector<std::string>& args,
                 const std::string& workingDir) override;
    StartedProcess startBatch(const BatchLaunch& batch) override;
    bool isRunning(ProcessId id) override;
    Status openTextFile(const std::string& path) override;
};

} // namespace kestrel::app
