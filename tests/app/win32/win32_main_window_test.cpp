// The native window on the in-memory platform: what is its own. What every view shows and does is
// in the view contract (app/view_contract.h, run here by view_contract_win32_test.cpp).
#include "app/win32/win32_main_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <oleacc.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/contrast_check.h"
#include "app/win32/accessible_annotation.h"
#include "app/win32/win32_geometry.h"
#include "app/win32/win32_ui_port.h"
#include "app/win32/window_probe.h"
#include "app/window_layout.h"
#include "platform/win32/wide_text.h"
#include "support/fake_platform.h"
#include "support/test_files.h"
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
  EXPECT_EQ(annotations.links, std::set<HWND>{Control("LabelCODEC")});
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

// What Windows' accessibility answers a screen reader about `control` itself, where Wine answers
// it: `ask` is given the control's IAccessible and CHILDID_SELF; `none` when it has no object.
template <typename Answer, typename Ask>
Answer AskAccessible(HWND control, Answer none, Ask ask) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                        reinterpret_cast<void**>(&object)))) {
    return none;
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  Answer answer = ask(*object, self);
  object->Release();
  return answer;
}

// A text property (get_accName, get_accDescription), empty when there is none.
std::wstring AccText(HWND control,
                     HRESULT (STDMETHODCALLTYPE IAccessible::*property)(VARIANT, BSTR*)) {
  return AskAccessible(
      control, std::wstring(L"<no object>"), [&](IAccessible& object, VARIANT self) {
        BSTR text = nullptr;
        const HRESULT hr = (object.*property)(self, &text);
        std::wstring answer = SUCCEEDED(hr) && text != nullptr ? std::wstring(text) : L"";
        SysFreeString(text);
        return answer;
      });
}

std::wstring AccName(HWND control) {
  return AccText(control, &IAccessible::get_accName);
}
std::wstring AccDescription(HWND control) {
  return AccText(control, &IAccessible::get_accDescription);
}

TEST_F(Win32MainWindowTest, AccessibilityReadsCaptionsAndLabelsAsNames) {
  EXPECT_EQ(AccName(Control("CommandQuitter")), L"Quitter");
  // A field's name is the label just before it.
  EXPECT_EQ(AccName(Control("TexteNomRadio")), L"Nom de la Radio");
  EXPECT_EQ(AccName(Control("TexteDossier", 2)), L"Log technique");
  EXPECT_EQ(AccName(Control("CommandCreerSettings", 0)), L"Créer les dossiers");
}

// The role IAccessible answers, 0 when it answers none.
LONG AccRole(HWND control) {
  return AskAccessible(control, LONG{0}, [](IAccessible& object, VARIANT self) {
    VARIANT role{};
    const HRESULT hr = object.get_accRole(self, &role);
    return SUCCEEDED(hr) && role.vt == VT_I4 ? role.lVal : LONG{0};
  });
}

// UI Automation's name of a control, asked from another thread as a screen reader asks it (this
// thread answers the window's messages meanwhile); none where the system has no UI Automation.
std::optional<std::wstring> UiaName(HWND control) {
  using NodeFromHandle = HRESULT(WINAPI*)(HWND, void**);
  using PropertyValue = HRESULT(WINAPI*)(void*, int, VARIANT*);
  using NodeRelease = BOOL(WINAPI*)(void*);
  const HMODULE core = LoadLibraryW(L"uiautomationcore.dll");
  const auto function = [core](const char* name) {
    return reinterpret_cast<void*>(core == nullptr ? nullptr : GetProcAddress(core, name));
  };
  const auto fromHandle = reinterpret_cast<NodeFromHandle>(function("UiaNodeFromHandle"));
  const auto value = reinterpret_cast<PropertyValue>(function("UiaGetPropertyValue"));
  const auto release = reinterpret_cast<NodeRelease>(function("UiaNodeRelease"));
  if (fromHandle == nullptr || value == nullptr || release == nullptr) return std::nullopt;
  std::wstring name = L"<no node>";
  std::atomic<bool> done{false};
  std::thread reader([&] {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    void* node = nullptr;
    if (SUCCEEDED(fromHandle(control, &node)) && node != nullptr) {
      VARIANT answer{};
      VariantInit(&answer);
      name = L"<no name>";
      if (SUCCEEDED(value(node, 30005 /* UIA_NamePropertyId */, &answer)) && answer.vt == VT_BSTR) {
        name = answer.bstrVal != nullptr ? answer.bstrVal : L"";
      }
      VariantClear(&answer);
      release(node);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    done = true;
  });
  while (!done) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  reader.join();
  return name;
}

// The system's annotation, and what the window asked it to hold.
class RecordedSystemAnnotation final : public AccessibleAnnotation {
 public:
  explicit RecordedSystemAnnotation(Annotations& into)
      : record_(into), system_(SystemAnnotation()) {}
  void SetName(HWND control, const std::wstring& name) override {
    record_.SetName(control, name);
    system_->SetName(control, name);
  }
  void SetDescription(HWND control, const std::wstring& description) override {
    record_.SetDescription(control, description);
    system_->SetDescription(control, description);
  }
  void MarkLiveRegion(HWND control) override {
    record_.MarkLiveRegion(control);
    system_->MarkLiveRegion(control);
  }
  void AnnounceChange(HWND control) override {
    record_.AnnounceChange(control);
    system_->AnnounceChange(control);
  }
  void MarkLink(HWND control) override {
    record_.MarkLink(control);
    system_->MarkLink(control);
  }

 private:
  RecordingAnnotation record_;
  std::unique_ptr<AccessibleAnnotation> system_;
};

// Wine serves no annotations (its IAccPropServices::SetHwndPropStr answers E_NOTIMPL): what a
// screen reader reads of the annotated names is only known on Windows.
#define TX3_SKIP_ON_WINE()                                                                  \
  if (testing::RunsOnWine())                                                                \
  GTEST_SKIP() << "checked on Windows only: Wine " << testing::WineVersion()                \
               << " serves no accessibility annotations (IAccPropServices::SetHwndPropStr " \
                  "answers E_NOTIMPL)"

TEST(SystemAnnotationTest, TheAnnotatedNameIsTheOneAccessibilityAnswers) {
  TX3_SKIP_ON_WINE();
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HWND button = CreateWindowExW(0, L"BUTTON", L"Créer", WS_POPUP | BS_PUSHBUTTON, 0, 0, 50, 20,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(button, nullptr);
  const auto annotation = SystemAnnotation();
  annotation->SetName(button, L"Créer le dossier Config");
  annotation->SetDescription(button, L"Dossier manquant");
  EXPECT_EQ(AccName(button), L"Créer le dossier Config");
  EXPECT_EQ(AccDescription(button), L"Dossier manquant");
  annotation->SetDescription(button, L"");
  EXPECT_NE(AccDescription(button), L"Dossier manquant") << "a removed description stays";
  DestroyWindow(button);
  if (SUCCEEDED(com)) CoUninitialize();
}

// The real window with the system's annotation: every name and description it gives a control
// is what IAccessible answers for it, and every name what UI Automation answers.
TEST(SystemAnnotationTest, EveryAnnotatedNameAndDescriptionReadsBack) {
  TX3_SKIP_ON_WINE();
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX classes{sizeof(classes),
                               ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);
  testing::FakePlatform os;
  testing::UsePlatform guard{os};
  os.AddFolder("C:\\Brennic\\Tarvox");  // the other folders are missing: described as such
  FrmMain model;
  Annotations annotations;
  {
    Win32MainWindow window(model, std::make_unique<RecordedSystemAnnotation>(annotations));
    ASSERT_TRUE(window.IsOpen());
    Win32UiPort port(model, window.Handle(),
                     Win32Dialogs{[](HWND, const std::wstring&, const std::wstring&, UINT) {},
                                  [](HWND, const std::wstring&, const std::wstring&) {
                                    return std::optional<std::wstring>();
                                  }});
    model.SetUiPort(&port);
    model.Create();
    EXPECT_FALSE(annotations.names.empty());
    EXPECT_FALSE(annotations.descriptions.empty());
    for (const auto& [control, name] : annotations.names) {
      EXPECT_EQ(AccName(control), name);
      if (const std::optional<std::wstring> uia = UiaName(control)) {
        EXPECT_EQ(*uia, name);
      }
    }
    for (const auto& [control, description] : annotations.descriptions) {
      EXPECT_EQ(AccDescription(control), description);
    }
    ASSERT_EQ(annotations.links.size(), 1u);
    EXPECT_EQ(AccRole(*annotations.links.begin()), ROLE_SYSTEM_LINK);
    model.SetUiPort(nullptr);
  }
  if (SUCCEEDED(com)) CoUninitialize();
}

// Where a control stands in the client area now.
RECT PlaceOf(HWND window, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The window in a 400 × 300 work area: the scroll bars, the wheel and the keyboard's focus move
// the design under the client area, by a row of the design (24 pixels) a line.
TEST_F(Win32MainWindowTest, TheScrollBarsAndTheWheelMoveTheDesign) {
  window->FitInto(RECT{0, 0, 400, 300});
  HWND status = Control("StatusBarMain");
  RECT client{};
  GetClientRect(window->Handle(), &client);
  const auto send = [this](UINT message, WPARAM wParam) {
    SendMessageW(window->Handle(), message, wParam, 0);
  };
  const struct {
    const char* what;
    UINT message;
    WPARAM wParam;
    int dx, dy;  // how far the design moves
  } cases[] = {
      {"line down", WM_VSCROLL, SB_LINEDOWN, 0, -24},
      {"line up", WM_VSCROLL, SB_LINEUP, 0, 24},
      {"line right", WM_HSCROLL, SB_LINEDOWN, -24, 0},
      {"page down", WM_VSCROLL, SB_PAGEDOWN, 0, -client.bottom},
      {"wheel up a notch", WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0, 72},
  };
  for (const auto& c : cases) {
    const RECT before = PlaceOf(window->Handle(), status);
    send(c.message, c.wParam);
    const RECT after = PlaceOf(window->Handle(), status);
    EXPECT_EQ(after.left - before.left, c.dx) << c.what;
    EXPECT_EQ(after.top - before.top, c.dy) << c.what;
  }
  send(WM_VSCROLL, SB_BOTTOM);
  send(WM_HSCROLL, SB_BOTTOM);
  EXPECT_EQ(PlaceOf(window->Handle(), status).bottom, client.bottom) << "the last row is reachable";
  EXPECT_EQ(PlaceOf(window->Handle(), status).right, client.right);
  send(WM_VSCROLL, SB_TOP);
  send(WM_HSCROLL, SB_TOP);
  EXPECT_EQ(PlaceOf(window->Handle(), Control("TexteNomRadio")).top, 16);
  EXPECT_EQ(PlaceOf(window->Handle(), Control("TexteNomRadio")).left, 116);
}

// "Make text bigger" at 200 %: the design twice as large, the window still inside the screen.
TEST_F(Win32MainWindowTest, LargerSystemTextGrowsTheDesignInsideTheScreen) {
  constexpr wchar_t kKey[] = L"Software\\Microsoft\\Accessibility";
  DWORD saved = 0;
  DWORD size = sizeof(saved);
  const bool had = RegGetValueW(HKEY_CURRENT_USER, kKey, L"TextScaleFactor", RRF_RT_REG_DWORD,
                                nullptr, &saved, &size) == ERROR_SUCCESS;
  const DWORD doubled = 200;
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"TextScaleFactor", REG_DWORD, &doubled,
                            sizeof(doubled)),
            ERROR_SUCCESS);
  Annotations notes;
  FrmMain other;
  Win32MainWindow large(other, std::make_unique<RecordingAnnotation>(notes));
  if (had) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"TextScaleFactor", REG_DWORD, &saved, sizeof(saved));
  } else {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"TextScaleFactor");
  }
  ASSERT_TRUE(large.IsOpen());
  EXPECT_EQ(large.Dpi(), 192);
  const RECT area{0, 0, 1280, 1024};
  large.FitInto(area);
  RECT frame{};
  GetWindowRect(large.Handle(), &frame);
  EXPECT_GE(frame.left, area.left);
  EXPECT_GE(frame.top, area.top);
  EXPECT_LE(frame.right, area.right);
  EXPECT_LE(frame.bottom, area.bottom);
  // The design, 1524 × 1162 pixels, scrolls in it; its controls keep their doubled size.
  EXPECT_NE(GetWindowLongW(large.Handle(), GWL_STYLE) & WS_VSCROLL, 0);
  const RECT field = PlaceOf(large.Handle(), large.ControlWindow("TexteDossier", 7));
  EXPECT_EQ(field.right - field.left, 2 * (669 - 116));
}

// The link as the window draws it: its darkest stroke reads 4.5:1 against the window's colour.
TEST_F(Win32MainWindowTest, TheDrawnLinkReadsFourAndAHalfToOne) {
  HWND link = Control("LabelCODEC");
  RECT area{};
  GetClientRect(link, &area);
  BITMAPINFO info{};
  info.bmiHeader = {
      sizeof(BITMAPINFOHEADER), area.right, -area.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP canvas = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(canvas, nullptr);
  HGDIOBJ old = SelectObject(dc, canvas);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.CtlID = static_cast<UINT>(GetDlgCtrlID(link));
  item.itemAction = ODA_DRAWENTIRE;
  item.hwndItem = link;
  item.hDC = dc;
  item.rcItem = area;
  SendMessageW(window->Handle(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
  GdiFlush();
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const unsigned background = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
  double strongest = 1;
  const auto* pixels = static_cast<const uint32_t*>(bits);
  for (int i = 0; i < area.right * area.bottom; ++i) {
    strongest = std::max(strongest, testing::WcagContrast(pixels[i] & 0xFFFFFFu, background));
  }
  SelectObject(dc, old);
  DeleteObject(canvas);
  DeleteDC(dc);
  EXPECT_GE(strongest, 4.5);
}

}  // namespace
}  // namespace tx3
