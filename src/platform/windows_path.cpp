#include "platform/windows_path.h"

#include <algorithm>
#include <cctype>

#include "platform/name_rules.h"

namespace tx3::platform {
bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

namespace {

bool HasDrive(std::string_view text) {
  return text.size() >= 2 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':';
}

std::vector<std::string_view> SplitComponents(std::string_view text) {
  std::vector<std::string_view> components;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || IsSeparator(text[i])) {
      if (i > start) components.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return components;
}

// Applies the components after the root; `rootDepth` parts (server and share) cannot be removed.
bool ApplyComponents(const std::vector<std::string_view>& components, size_t rootDepth,
                     bool wildcardsInLast, WindowsPath* path) {
  for (size_t i = 0; i < components.size(); ++i) {
    const std::string_view component = components[i];
    const bool last = i + 1 == components.size() && !path->trailingSeparator;
    if (component == "." && i >= rootDepth) continue;
    if (component == ".." && i >= rootDepth) {
      if (path->parts.size() > rootDepth) path->parts.pop_back();
      continue;
    }
    if (component == "." || component == "..") return false;
    if (IsRefusedComponent(component, wildcardsInLast && last)) return false;
    path->parts.emplace_back(component);
  }
  return true;
}

}  // namespace

PathForm FormOf(std::string_view text) {
  if (HasDrive(text)) return PathForm::kDrive;
  if (text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1])) return PathForm::kUnc;
  if (!text.empty() && IsSeparator(text[0])) return PathForm::kRootRelative;
  return PathForm::kRelative;
}

PathSplit SplitPath(std::string_view text) {
  PathSplit split;
  split.form = FormOf(text);
  split.trailingSeparator = !text.empty() && IsSeparator(text.back());
  size_t rest = 0;
  if (split.form == PathForm::kDrive) {
    rest = 2;
    split.root = text.substr(0, 2);
  } else if (split.form == PathForm::kUnc) {
    // The server and the share are the root's own names.
    rest = 2;
    for (int names = 0; names < 2 && rest < text.size(); ++names) {
      size_t end = rest;
      while (end < text.size() && !IsSeparator(text[end])) ++end;
      split.hasShare = names == 1;
      rest = end == text.size() ? end : end + 1;
      split.root = text.substr(0, end);
    }
    if (split.root.empty()) split.root = text.substr(0, 2);
  }
  split.components = SplitComponents(text.substr(std::min(rest, text.size())));
  return split;
}

std::string CanonicalText(std::string_view text) {
  std::string canonical(text);
  std::replace(canonical.begin(), canonical.end(), '/', '\\');
  while (canonical.size() > 1 && canonical.back() == '\\' && canonical != "\\\\")
    canonical.pop_back();
  return canonical;
}

std::string_view ParentText(std::string_view text) {
  const size_t last = text.find_last_of("\\/");
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last);
}

std::string_view LastComponent(std::string_view text) {
  const size_t last = text.find_last_of("\\/");
  return last == std::string_view::npos ? text : text.substr(last + 1);
}

std::string ProfileFilePath(std::string_view windowsFolder, std::string_view file) {
  if (file.find_first_of("\\/:") != std::string_view::npos) return std::string(file);
  return std::string(windowsFolder) + "\\" + std::string(file);
}

bool ParseAbsolute(std::string_view text, bool wildcardsInLast, WindowsPath* path) {
  *path = WindowsPath{};
  const PathForm form = FormOf(text);
  if (form != PathForm::kDrive && form != PathForm::kUnc) return false;
  path->trailingSeparator = !text.empty() && IsSeparator(text.back());
  if (form == PathForm::kDrive) {
    path->drive = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    return ApplyComponents(SplitComponents(text.substr(2)), 0, wildcardsInLast, path);
  }
  path->unc = true;
  const std::vector<std::string_view> components = SplitComponents(text);
  const size_t rootDepth = components.size() < 2 ? components.size() : 2;
  return ApplyComponents(components, rootDepth, wildcardsInLast, path);
}

std::string ToText(const WindowsPath& path) {
  const char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(path.drive)));
  std::string text = path.unc ? "\\" : std::string{drive, ':'};
  for (const std::string& part : path.parts) text += "\\" + part;
  if (!path.unc && path.parts.empty()) text += "\\";
  return text;
}

}  // namespace tx3::platform
