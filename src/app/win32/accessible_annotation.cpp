#include "app/win32/accessible_annotation.h"

#include <initguid.h>  // the property and class identifiers are defined here, not in a library

#include <oleacc.h>

namespace tx3 {

namespace {

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

 private:
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
