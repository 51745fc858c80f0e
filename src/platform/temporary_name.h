// The temporary files of a replacement, the same on every platform: the new content is written
// beside the file it replaces under a name that tells which file, which machine and which process
// wrote it, then renamed over the file. A writer killed in between leaves it behind; the rule
// below tells the next writer when such a file is abandoned and may go.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tx3::platform {

// Every temporary starts with this prefix and ends with this suffix.
inline constexpr std::string_view kTemporaryPrefix = ".~tx3";
inline constexpr std::string_view kTemporarySuffix = ".tmp";

// ".~tx3.<target>.<machine>.<processId>.<number>.tmp": `target` is the name of the file replaced
// (no folder; left out when very long), `machine` the writer's machine (a dot in it becomes "-"),
// `number` tells apart the temporaries of one process.
std::string TemporaryName(std::string_view target, std::string_view machine, uint64_t processId,
                          uint64_t number);

// True for a name TemporaryName could have made (the prefix and the suffix).
bool IsTemporaryName(std::string_view name);

// A temporary's name read back; parts that cannot be read stay empty or zero.
struct TemporaryNameParts {
  std::string target;
  std::string machine;
  uint64_t processId = 0;
  bool parsed = false;
};
TemporaryNameParts ParseTemporaryName(std::string_view name);

// A temporary older than this is abandoned whoever wrote it.
inline constexpr int64_t kAbandonedAfterSeconds = 3600;

// The clean-up rule: a temporary is abandoned when it is an hour old, or when this machine's
// process that wrote it is gone (`processGone` asks the system) or is this very process (a
// temporary it left after a failed swap). Another machine's writer may still be at work.
bool IsAbandoned(const TemporaryNameParts& name, std::string_view thisMachine, uint64_t thisProcess,
                 int64_t ageSeconds, bool (*processGone)(uint64_t));

}  // namespace tx3::platform
