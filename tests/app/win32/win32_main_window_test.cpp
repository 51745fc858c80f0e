// The native window on the in-memory platform: what is its own. What every view shows and does is
// in the view contract (app/view_contract.h, run here by view_contract_win32_test.cpp).
#include "app/win32/win32_main_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <oleacc.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/win32/accessible_annotation.h"
#include "app/win32/win32_geometry.h"
#include "app/win32/win32_ui_port.h"
#include "app/win32/window_probe.h"
#include "app/window_layout.h"
#include "platform/win32/wide_text.h"
#include "support/fake_platform.h"
#include "support/use_platform.h"

namespace tx3 {
namespace {

using testing::Annotations;
using testing::ClassOf;
using testing::RecordingAnnotation;
using testing::TextOf;

struct Shown {
  std::wstring title, text;
  UINT icon = 0;
};

// The window as the program opens it (hidden), on a machine where only the application folder
// exists; message boxes and the folder dialog are recorded instead of shown.
class Win32MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX classes{sizeof(classes),
                                 ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    os.AddFolder("C:\\Brennic\\Tarvox");
    window = std::make_unique<Win32MainWindow>(model,
                                               std::make_unique<RecordingAnnotation>(annotations));
    ASSERT_TRUE(window->IsOpen());
    port = std::make_unique<Win32UiPort>(model, window->Handle(), Recording());
    model.SetUiPort(port.get());
    model.Create();
  }

  Win32Dialogs Recording() {
    return Win32Dialogs{
        [this](HWND, const std::wstring& title, const std::wstring& text, UINT icon) {
          shown.push_back({title, text, icon});
        },
        [](HWND, const std::wstring&, const std::wstring&) {
          return std::optional<std::wstring>();
        }};
  }

  HWND Control(const char* name, int index = -1) {
    HWND control = window->ControlWindow(name, index);
    EXPECT_NE(control, nullptr) << name << "(" << index << ")";
    return control;
  }

  testing::FakePlatform os;
  testing::UsePlatform guard{os};
  FrmMain model;
  std::unique_ptr<Win32MainWindow> window;
  std::unique_ptr<Win32UiPort> port;
  std::vector<Shown> shown;
  Annotations annotations;
};

// A close asked for while a command runs would let the quit message swallow the command's own
// message boxes: the window stays until the command has ended.
TEST_F(Win32MainWindowTest, CloseDuringACommandWaitsForItsEnd) {
  model.TacheEnCours() = true;
  SendMessageW(window->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(window->IsOpen());
  model.TacheEnCours() = false;
  SendMessageW(Control("CheckTX"), BM_CLICK, 0, 0);  // any command's end
  EXPECT_FALSE(window->IsOpen());
}

TEST_F(Win32MainWindowTest, IsAWindowWithAnIconAndEveryControlItsChild) {
  EXPECT_EQ(window->Dpi(), 96);
  EXPECT_NE(SendMessageW(window->Handle(), WM_GETICON, ICON_BIG, 0), 0);
  for (const ControlLayout& c : WindowLayout()) {
    HWND control = Control(std::string(c.name).c_str(), c.index);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(GetParent(control), window->Handle()) << c.name << "(" << c.index << ")";
  }
}

TEST_F(Win32MainWindowTest, TheStatusBarIsReadOutAsItChanges) {
  annotations.announced.clear();
  model.SetStatusText("BR_Pub.ini [Pub] Cle=1");
  EXPECT_EQ(annotations.live, std::set<HWND>{Control("StatusBarMain")});
  EXPECT_EQ(annotations.announced, std::vector<HWND>{Control("StatusBarMain")});
}

// Windows names a button by its caption and a field by the label created just before it: the
// window annotates only the names it would not find.
TEST_F(Win32MainWindowTest, OnlyNamesWindowsWouldNotFindAreAnnotated) {
  EXPECT_EQ(annotations.names[Control("CommandDossierCreer", 1)], L"Créer le dossier Config");
  EXPECT_EQ(annotations.names[Control("ComboPervasive")], L"Moteur de base de données");
  EXPECT_EQ(annotations.names.count(Control("CommandQuitter")), 0u);
  EXPECT_EQ(annotations.names.count(Control("LabelCODEC")), 0u);
}

TEST_F(Win32MainWindowTest, EachFieldComesJustAfterTheLabelThatNamesIt) {
  const std::pair<HWND, const wchar_t*> cases[] = {
      {Control("TexteNomRadio"), L"Nom de la Radio"},
      {Control("TexteNomStation", 0), L"Nom des Stations"},
      {Control("TexteDossier", 0), L"Application"},
      {Control("TexteDossier", 7), L"Redist"},
  };
  for (const auto& [field, label] : cases) {
    HWND before = GetWindow(field, GW_HWNDPREV);
    ASSERT_NE(before, nullptr) << label;
    EXPECT_EQ(ClassOf(before), L"Static") << label;
    EXPECT_EQ(TextOf(before), label);
  }
}

// What Windows' accessibility answers a screen reader, where Wine answers it.
std::wstring AccName(HWND control) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                        reinterpret_cast<void**>(&object)))) {
    return L"<no object>";
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  const HRESULT hr = object->get_accName(self, &name);
  std::wstring answer = SUCCEEDED(hr) && name != nullptr ? std::wstring(name) : L"";
  SysFreeString(name);
  object->Release();
  return answer;
}

TEST_F(Win32MainWindowTest, AccessibilityReadsCaptionsAndLabelsAsNames) {
  EXPECT_EQ(AccName(Control("CommandQuitter")), L"Quitter");
  // A field's name is the label just before it.
  EXPECT_EQ(AccName(Control("TexteNomRadio")), L"Nom de la Radio");
  EXPECT_EQ(AccName(Control("TexteDossier", 2)), L"Log technique");
  EXPECT_EQ(AccName(Control("CommandCreerSettings", 0)), L"Créer les dossiers");
}

TEST(SystemAnnotationTest, TheAnnotatedNameIsTheOneAccessibilityAnswers) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HWND button = CreateWindowExW(0, L"BUTTON", L"Créer", WS_POPUP | BS_PUSHBUTTON, 0, 0, 50, 20,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(button, nullptr);
  // Whether this system serves annotations at all (Wine's service answers E_NOTIMPL).
  IAccPropServices* service = nullptr;
  HRESULT served = CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IAccPropServices, reinterpret_cast<void**>(&service));
  if (SUCCEEDED(served)) {
    served = service->SetHwndPropStr(button, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                     PROPID_ACC_HELP, L"?");
    service->Release();
  }
  SystemAnnotation()->SetName(button, L"Créer le dossier Config");
  const std::wstring name = AccName(button);
  DestroyWindow(button);
  if (SUCCEEDED(com)) CoUninitialize();
  if (served == E_NOTIMPL || served == REGDB_E_CLASSNOTREG) {
    GTEST_SKIP() << "this system's accessibility serves no annotations (error " << std::hex
                 << served << ")";
  }
  EXPECT_EQ(name, L"Créer le dossier Config");
}

}  // namespace
}  // namespace tx3
