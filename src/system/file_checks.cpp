// File checks of Lib_Systeme: existence, size, attribute clearing, and the millisecond clock that
// times the size query.
#include "common/error.h"
#include "common/text.h"
#include "platform/platform.h"
#include "system/folder_checks.h"
#include "system/system_context.h"
#include "system/windows_version.h"

namespace tx3 {

namespace {

constexpr int64_t kTwoPow32 = 4294967296LL;
constexpr int64_t kSlowSizeQueryMs = 1000;

// FindFirstFileA with folders included: a failed search is simply "not found".
bool SearchFinds(std::string_view name) {
  std::string first;
  return platform::Os().FindFirst(name, true, &first) == 0 && !first.empty();
}

// Some callers type "Name .ext": the name without the blank before the dot is looked for first.
std::string WithoutBlankBeforeDot(std::string name) {
  if (name.find(' ') == std::string::npos) return name;
  while (name.find(" .") != std::string::npos) name = ReplaceAll(name, " .", ".");
  return name;
}

}  // namespace

bool File_Exist(SystemContext& run, std::string_view name, std::string_view callerLabel,
                bool sizeCheck) {
  ErrorPattern e(run, std::string(callerLabel) + ">Lib_Systeme:File_Exist");
  if (Trim(name).empty()) return false;
  const std::string firstForm = Trim(name);
  std::string searched = firstForm;
  e(20, [&] { searched = WithoutBlankBeforeDot(searched); });

  for (int attempt = 0; attempt < 2; ++attempt) {
    bool found = false;
    e(30, [&] { found = SearchFinds(searched); });
    // An empty file is as good as none where the caller asks so; an unreadable one (-1) counts.
    if (found && sizeCheck) e(40, [&] { found = TailleDuFichier(run, searched) != 0; });
    if (found) return true;
    if (searched == firstForm) return false;
    searched = firstForm;
  }
  return false;
}

int64_t TailleDuFichier(SystemContext& run, std::string_view name) {
  ErrorPattern e(run, "Lib_Systeme:TailleDuFichier");
  int64_t start = 0;
  int64_t size = 0;
  e(10, [&] { start = TickCountMs(run); });
  e(20, [&] {
    int64_t full = 0;
    size = platform::Os().FileSize(name, &full) == 0 ? full : -1;
  });
  e(30, [&] {
    const int64_t elapsed = TickCountMs(run) - start;
    if (elapsed > kSlowSizeQueryMs) {
      TraceLog("Function Lib_Systeme:TailleDuFichier Duration: " + ToText(elapsed) +
               " ms (File: " + std::string(name) + ")");
    }
  });
  return size;
}

void File_RemoveFlag(SystemContext& run, std::string_view name) {
  if (Trim(name).empty()) return;
  bool exists = false;
  SkipOnError([&] { exists = File_Exist(run, name, "Lib_Systeme:File_RemoveFlag", true); });
  if (!exists) {
    SkipOnError(
        [&] { TraceLog("Warning: File_RemoveFlag: File not found: " + std::string(name)); });
    return;
  }

  uint32_t attributes = 0;
  SkipOnError([&] { Check(platform::Os().GetAttributes(name, &attributes)); });
  if ((attributes & platform::kAttrReadOnly) != 0) {
    SkipOnError(
        [&] { Check(platform::Os().SetAttributes(name, attributes & ~platform::kAttrReadOnly)); });
  }
}

int64_t TickCountMs(SystemContext& run) {
  SystemeStateRec& SystemeState = run.SystemeState;
  int64_t reading = 0;
  if (run.Ticks64Disponible) {
    SkipOnError([&] { reading = static_cast<int64_t>(platform::Os().TickCount64()); });
  }
  if (reading == 0) {
    SkipOnError([&] {
      // The 32-bit counter read as the signed value it is, brought back above zero.
      reading = static_cast<int32_t>(platform::Os().TickCount32());
      if (reading < 0) reading += kTwoPow32;
    });
  }
  // The 32-bit counter wraps after 49.7 days; the clock must not go back.
  if (reading < SystemeState.DernierTick) SystemeState.DecalageTicks += kTwoPow32;
  SystemeState.DernierTick = reading;
  return SystemeState.DecalageTicks + SystemeState.DernierTick;
}

}  // namespace tx3
