// What the native window's tests read from its controls: texts, classes, the names and
// descriptions the window gives the system's accessibility (recorded), the folder tooltips.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/win32/accessible_annotation.h"

namespace tx3::testing {

inline std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

inline std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// What the window asks the system's annotation service to hold, by control.
struct Annotations {
  std::map<HWND, std::wstring> names, descriptions;
  std::set<HWND> live, links;
  std::vector<HWND> announced;
};

class RecordingAnnotation final : public AccessibleAnnotation {
 public:
  explicit RecordingAnnotation(Annotations& into) : into_(into) {}
  void SetName(HWND control, const std::wstring& name) override { into_.names[control] = name; }
  void SetDescription(HWND control, const std::wstring& description) override {
    if (description.empty()) {
      into_.descriptions.erase(control);
    } else {
      into_.descriptions[control] = description;
    }
  }
  void MarkLiveRegion(HWND control) override { into_.live.insert(control); }
  void AnnounceChange(HWND control) override { into_.announced.push_back(control); }
  void MarkLink(HWND control) override { into_.links.insert(control); }

 private:
  Annotations& into_;
};

// The name a screen reader gets: the annotation, else what Windows finds by itself (a button's
// caption, the label just before a field).
inline std::wstring SpokenName(HWND control, const Annotations& annotations) {
  const auto named = annotations.names.find(control);
  if (named != annotations.names.end()) return named->second;
  if (ClassOf(control) == L"Edit") {
    HWND before = GetWindow(control, GW_HWNDPREV);
    return before != nullptr && ClassOf(before) == L"Static" ? TextOf(before) : L"";
  }
  return ClassOf(control) == L"Button" ? TextOf(control) : L"";
}

// The tooltip text of `field`, from the window's tooltip control.
inline std::wstring TipText(HWND window, HWND field) {
  std::vector<HWND> tips;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM found) {
        if (ClassOf(w) == L"tooltips_class32")
          reinterpret_cast<std::vector<HWND>*>(found)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&tips));
  // The window's tooltip that holds a tool for the field.
  for (HWND each : tips) {
    if (GetWindow(each, GW_OWNER) != window) continue;
    wchar_t text[128] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(field);
    if (!SendMessageW(each, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) continue;
    tool.lpszText = text;
    SendMessageW(each, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
    return text;
  }
  return L"<no tooltip>";
}

}  // namespace tx3::testing
