#pragma once
// The batch file that builds a WAD's .SAM and .SFX files with the level
// editor's sound compiler, run in the compiler's folder.

#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

inline constexpr const char* kBatchName = "CreateSFX.bat";
// Written beside the batch by Kestrel's batch runner once the batch has done
// its work (see batchStatusText).
inline constexpr const char* kBatchStatusName = "CreateSFX.status";

// The six lines, each ended by CR LF: the compiler run for the WAD, the copy
// of its output to the wads folder, the clean-up, and a pause that keeps the
// console open.
std::string batchText(std::string_view wadName, std::string_view letter);

// The status file's text: "status N" and CR LF, N = 0 when the batch
// succeeded, else the failing status (see src/tools/batch/batch_runner.h).
std::string batchStatusText(int status);
// N from a status file; nothing when the text is not one.
std::optional<int> parseBatchStatus(std::string_view text);

} // namespace kestrel
