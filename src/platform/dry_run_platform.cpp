#include "platform/dry_run_platform.h"

#include "platform/name_match.h"
#include "platform/windows_path.h"

namespace tx3::platform {
namespace {

// A folder as Windows compares names: either separator, letters of either case (folded as the
// platforms fold them), no final separator.
std::string FolderKey(std::string_view path) {
  return FoldNameText(CanonicalText(path));
}

std::string ParentKey(const std::string& key) {
  return std::string(ParentText(key));
}

}  // namespace

DryRunPlatform::DryRunPlatform(Platform& real) : ForwardingPlatform(real) {
  real.SetProfileDryRun(true);
}

DryRunPlatform::~DryRunPlatform() {
  inner().SetProfileDryRun(false);
}

bool DryRunPlatform::Made(std::string_view path) const {
  return made_.contains(FolderKey(path));
}

// Inside a folder the dry run made: nothing is there.
bool DryRunPlatform::UnderMade(std::string_view path) const {
  return made_.contains(ParentKey(FolderKey(path)));
}

int32_t DryRunPlatform::MakeDirectory(std::string_view path) {
  uint32_t attributes = 0;
  if (Made(path) || GetAttributes(path, &attributes) == 0) return err::kPathFileAccess;
  const std::string parent = ParentKey(FolderKey(path));
  if (!parent.empty() && parent.size() > 2 && GetAttributes(parent + "\\", &attributes) != 0)
    return err::kPathNotFound;
  made_.insert(FolderKey(path));
  return 0;
}

int32_t DryRunPlatform::FindFirst(std::string_view pattern, bool includeDirectories,
                                  std::string* firstName) {
  if (Made(pattern)) {
    const bool itself = pattern.ends_with('\\') || pattern.ends_with('/');
    *firstName = !includeDirectories && !itself ? ""
                 : itself                       ? "."
                          : std::string(LastComponent(CanonicalText(pattern)));
    return 0;
  }
  if (UnderMade(pattern)) {
    firstName->clear();
    return 0;
  }
  return ForwardingPlatform::FindFirst(pattern, includeDirectories, firstName);
}

int32_t DryRunPlatform::GetAttributes(std::string_view path, uint32_t* attributes) {
  if (Made(path)) {
    *attributes = kAttrDirectory;
    return 0;
  }
  if (UnderMade(path)) return err::kFileNotFound;
  return ForwardingPlatform::GetAttributes(path, attributes);
}

int32_t DryRunPlatform::SetAttributes(std::string_view path, uint32_t /*attributes*/) {
  uint32_t current = 0;
  return GetAttributes(path, &current);
}

int32_t DryRunPlatform::FileSize(std::string_view path, int64_t* size) {
  if (Made(path) || UnderMade(path)) return err::kFileNotFound;
  return ForwardingPlatform::FileSize(path, size);
}

intptr_t DryRunPlatform::OpenInShell(std::string_view /*operation*/, std::string_view /*file*/,
                                     const std::optional<std::string>& /*parameters*/,
                                     const std::optional<std::string>& /*folder*/,
                                     int32_t /*showCommand*/) {
  return 42;  // above 32: success
}

ReplaceOutcome DryRunPlatform::ReplaceEngineFile(std::string_view /*enginePath*/,
                                                 std::string_view /*bytes*/) {
  return ReplaceOutcome::kDone;
}

}  // namespace tx3::platform
