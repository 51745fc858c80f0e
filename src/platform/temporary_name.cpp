#include "platform/temporary_name.h"

#include <algorithm>
#include <charconv>

#include "platform/name_match.h"

namespace tx3::platform {
namespace {

// The temporary's name keeps the target's name so that a file whose swap did not finish can be
// put back in place; a name this long would not leave room for the rest.
constexpr size_t kLongestTargetInName = 160;

// The parts are read from the end, so the machine's name holds no dot.
std::string MachineLabel(std::string_view machine) {
  std::string label(machine);
  std::replace(label.begin(), label.end(), '.', '-');
  return label;
}

bool ReadNumber(std::string_view digits, uint64_t* value) {
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
    return false;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), *value);
  return error == std::errc() && end == digits.data() + digits.size();
}

}  // namespace

std::string TemporaryName(std::string_view target, std::string_view machine, uint64_t processId,
                          uint64_t number) {
  const std::string_view kept = target.size() <= kLongestTargetInName ? target : "";
  return std::string(kTemporaryPrefix) + "." + std::string(kept) + "." + MachineLabel(machine) +
         "." + std::to_string(processId) + "." + std::to_string(number) +
         std::string(kTemporarySuffix);
}

bool IsTemporaryName(std::string_view name) {
  return name.starts_with(kTemporaryPrefix) && name.ends_with(kTemporarySuffix);
}

TemporaryNameParts ParseTemporaryName(std::string_view name) {
  TemporaryNameParts parts;
  const std::string prefix = std::string(kTemporaryPrefix) + ".";
  if (!name.starts_with(prefix) || !name.ends_with(kTemporarySuffix) ||
      name.size() < prefix.size() + kTemporarySuffix.size()) {
    return parts;
  }
  std::string_view rest =
      name.substr(prefix.size(), name.size() - prefix.size() - kTemporarySuffix.size());
  std::string_view read[3];
  for (std::string_view& part : read) {  // number, process, machine
    const size_t dot = rest.rfind('.');
    if (dot == std::string_view::npos) return parts;
    part = rest.substr(dot + 1);
    rest = rest.substr(0, dot);
  }
  if (!ReadNumber(read[1], &parts.processId)) return parts;
  parts.machine = read[2];
  parts.target = rest;
  parts.parsed = true;
  return parts;
}

bool IsAbandoned(const TemporaryNameParts& name, std::string_view thisMachine, uint64_t thisProcess,
                 int64_t ageSeconds, bool (*processGone)(uint64_t)) {
  if (ageSeconds > kAbandonedAfterSeconds) return true;
  if (!name.parsed || FoldNameText(name.machine) != FoldNameText(MachineLabel(thisMachine)))
    return false;
  return name.processId == thisProcess || processGone(name.processId);
}

}  // namespace tx3::platform
