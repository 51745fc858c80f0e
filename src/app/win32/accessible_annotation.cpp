#include "app/win32/accessible_annotation.h"

#include <initguid.h>  // the property and class identifiers are defined here, not in a library

#include <oleacc.h>

namespace tx3 {

namespace {

// UI Automation's LiveSetting property and its value Polite (uiautomationclient.h).
constexpr GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kLivePolite = 1;

class SystemAnnotationImpl final : public AccessibleAnnotation {
 public:
  ~SystemAnnotationImpl() override {
    if (services_ != nullptr) services_->Release();
  }

  void SetName(HWND control, const std::wstring& name) override {
    if (Services() == nullptr) return;
    services_->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, name.c_str());
  }

  void SetDescription(HWND control, const std::wstring& description) override {
    if (Services() == nullptr) return;
    if (description.empty()) {
      MSAAPROPID property = PROPID_ACC_DESCRIPTION;
      services_->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, &property, 1);
      return;
    }
    services_->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                              description.c_str());
  }

  void MarkLiveRegion(HWND control) override {
    SetNumber(control, kLiveSettingProperty, kLivePolite);
  }

  void MarkLink(HWND control) override { SetNumber(control, PROPID_ACC_ROLE, ROLE_SYSTEM_LINK); }

  void AnnounceChange(HWND control) override {
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, control, OBJID_CLIENT, CHILDID_SELF);
  }

 private:
  void SetNumber(HWND control, const MSAAPROPID& property, LONG value) {
    if (Services() == nullptr) return;
    VARIANT number{};
    number.vt = VT_I4;
    number.lVal = value;
    services_->SetHwndProp(control, OBJID_CLIENT, CHILDID_SELF, property, number);
  }

  // Made on first use, on the window's thread, once COM is ready; asked for once only.
  IAccPropServices* Services() {
    if (!asked_) {
      asked_ = true;
      void* made = nullptr;
      if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IAccPropServices, &made))) {
        services_ = static_cast<IAccPropServices*>(made);
      }
    }
    return services_;
  }

  bool asked_ = false;
  IAccPropServices* services_ = nullptr;
};

}  // namespace

std::unique_ptr<AccessibleAnnotation> SystemAnnotation() {
  return std::make_unique<SystemAnnotationImpl>();
}

}  // namespace tx3
