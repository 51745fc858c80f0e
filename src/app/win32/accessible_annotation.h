// The names and descriptions the native window gives its controls where Windows' accessibility
// (MSAA, and UI Automation through it) would find none or the wrong one: a field named by no
// label of its own, the many "Créer" and "..." buttons, a missing folder's description.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace tx3 {

class AccessibleAnnotation {
 public:
  virtual ~AccessibleAnnotation() = default;
  virtual void SetName(HWND control, const std::wstring& name) = 0;
  // An empty description removes the control's description.
  virtual void SetDescription(HWND control, const std::wstring& description) = 0;
  // A live region: a screen reader reads out its new text when told of a change, without the
  // focus moving there (the status bar).
  virtual void MarkLiveRegion(HWND control) = 0;
  virtual void AnnounceChange(HWND control) = 0;
  // A control drawn as a link (an owner-drawn button): read as a link, not as a button.
  virtual void MarkLink(HWND control) = 0;
};

// Through the system's dynamic annotation (IAccPropServices, PROPID_ACC_NAME and
// PROPID_ACC_DESCRIPTION; PROPID_ACC_ROLE ROLE_SYSTEM_LINK for a link; UI Automation's
// LiveSetting, polite, for a live region, whose changes go out as EVENT_OBJECT_LIVEREGIONCHANGED).
// Where the system offers no such service it does nothing.
std::unique_ptr<AccessibleAnnotation> SystemAnnotation();

}  // namespace tx3
