// The view contract (app/view_contract.h) run against the native window, driven with window
// messages as the system sends them for the operator's clicks and keys.
#include <windows.h>

#include <commctrl.h>

#include "app/view_contract.h"
#include "app/win32/win32_main_window.h"
#include "app/win32/win32_ui_port.h"
#include "app/win32/window_probe.h"
#include "platform/win32/wide_text.h"

namespace tx3::testing {
namespace {

using platform::win32::Narrow;
using platform::win32::Widen;

ViewDriver::Icon IconOf(UINT flags) {
  switch (flags & MB_ICONMASK) {
    case MB_ICONINFORMATION:
      return ViewDriver::Icon::Information;
    case MB_ICONWARNING:
      return ViewDriver::Icon::Warning;
    case MB_ICONERROR:
      return ViewDriver::Icon::Critical;
    default:
      return ViewDriver::Icon::None;
  }
}

class Win32Driver final : public ViewDriver {
 public:
  void Open(FrmMain& model) override {
    INITCOMMONCONTROLSEX classes{sizeof(classes),
                                 ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    window_ =
        std::make_unique<Win32MainWindow>(model, std::make_unique<RecordingAnnotation>(notes_));
    ASSERT_TRUE(window_->IsOpen());
    Win32Dialogs recording{
        [this](HWND, const std::wstring& title, const std::wstring& text, UINT icon) {
          boxes_.push_back({Narrow(title), Narrow(text), IconOf(icon)});
        },
        [](HWND, const std::wstring&, const std::wstring&) {
          return std::optional<std::wstring>();
        }};
    port_ = std::make_unique<Win32UiPort>(model, window_->Handle(), recording);
    model.SetUiPort(port_.get());
    model.Create();
    window_->CentreOnScreen();
  }
  bool IsOpen() override { return window_->IsOpen(); }
  std::string Title() override { return Narrow(TextOf(window_->Handle())); }
  std::pair<int, int> ClientSize() override {
    RECT client{};
    GetClientRect(window_->Handle(), &client);
    return {client.right, client.bottom};
  }
  Edges Place(std::string_view name, int index) override {
    RECT r{};
    GetWindowRect(Control(name, index), &r);
    MapWindowPoints(nullptr, window_->Handle(), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
  }
  std::string Text(std::string_view name, int index) override {
    HWND control = Control(name, index);
    if (name != "StatusBarMain") return Narrow(TextOf(control));
    wchar_t status[256] = {};
    SendMessageW(control, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(status));
    return Narrow(status);
  }
  int Caret(std::string_view name, int index) override {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(Control(name, index), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end);
  }
  // The colour WM_CTLCOLOREDIT answers for a field's background.
  unsigned Background(std::string_view name, int index) override {
    HDC dc = CreateCompatibleDC(nullptr);
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(window_->Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(Control(name, index))));
    DeleteDC(dc);
    LOGBRUSH look{};
    EXPECT_EQ(GetObjectW(brush, sizeof(look), &look), static_cast<int>(sizeof(look)));
    return (GetRValue(look.lbColor) << 16) | (GetGValue(look.lbColor) << 8) |
           GetBValue(look.lbColor);
  }
  unsigned Foreground(std::string_view name, int index) override {
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(window_->Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(Control(name, index)));
    const COLORREF text = GetTextColor(dc);
    DeleteDC(dc);
    return (GetRValue(text) << 16) | (GetGValue(text) << 8) | GetBValue(text);
  }
  bool Checked(std::string_view name, int index) override {
    return SendMessageW(Control(name, index), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  std::vector<std::string> Items(std::string_view name) override {
    HWND combo = Control(name, -1);
    std::vector<std::string> items;
    const auto count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) items.push_back(ItemText(combo, row));
    return items;
  }
  std::string Selected(std::string_view name) override {
    HWND combo = Control(name, -1);
    return ItemText(combo, static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)));
  }
  std::vector<CheckedRow> Rows() override {
    HWND list = Control("ListeTX", -1);
    std::vector<CheckedRow> rows;
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
      wchar_t text[256] = {};
      ListView_GetItemText(list, row, 0, text, 256);
      rows.push_back({Narrow(text), ListView_GetCheckState(list, row) != 0});
    }
    return rows;
  }
  std::string SpokenName(std::string_view name, int index) override {
    return Narrow(testing::SpokenName(Control(name, index), notes_));
  }
  std::string SpokenDescription(std::string_view name, int index) override {
    const auto found = notes_.descriptions.find(Control(name, index));
    return found == notes_.descriptions.end() ? std::string() : Narrow(found->second);
  }
  std::string Tooltip(std::string_view name, int index) override {
    return Narrow(TipText(window_->Handle(), Control(name, index)));
  }
  // As the dialog manager moves on Tab.
  std::vector<const ControlLayout*> TabStops() override {
    Shown();
    std::vector<const ControlLayout*> stops;
    HWND first = GetNextDlgTabItem(window_->Handle(), nullptr, FALSE);
    HWND at = first;
    while (at != nullptr && stops.size() < 200) {
      stops.push_back(LayoutOf(at));
      at = GetNextDlgTabItem(window_->Handle(), at, FALSE);
      if (at == first) break;
    }
    return stops;
  }

  void FitInto(Edges area) override {
    window_->FitInto(RECT{area.left, area.top, area.right, area.bottom});
  }
  Edges Frame() override {
    RECT r{};
    GetWindowRect(window_->Handle(), &r);
    return {r.left, r.top, r.right, r.bottom};
  }
  // The client area is the part shown: the scroll bars stand outside it.
  std::pair<int, int> ViewSize() override { return ClientSize(); }
  Edges Shown(std::string_view name, int index) override { return Place(name, index); }

  // The focus tip, while it is shown under this control.
  std::string FocusTip(std::string_view name, int index) override {
    HWND tip = window_->FocusTipWindow();
    if (tip == nullptr || GetFocus() != Control(name, index) || !IsWindowVisible(tip)) return {};
    wchar_t text[256] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = window_->Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(window_->Handle());
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    return Narrow(text);
  }

  // Keys as the edit control receives them: the first replaces the whole selected text.
  void Retype(std::string_view name, int index, std::string_view text) override {
    HWND field = Control(name, index);
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);
    SendMessageW(field, WM_CHAR, VK_BACK, 1);
    TypeMore(name, index, text);
  }
  void TypeMore(std::string_view name, int index, std::string_view text) override {
    HWND field = Control(name, index);
    for (wchar_t c : Widen(text)) SendMessageW(field, WM_CHAR, c, 1);
  }
  void Click(std::string_view name, int index) override {
    SendMessageW(Control(name, index), BM_CLICK, 0, 0);
  }
  // A choice in the open list: the selection, then the notification the list sends its window.
  void Choose(std::string_view name, int row) override {
    HWND combo = Control(name, -1);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageW(window_->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
  }
  void TickRow(int row, bool checked) override {
    ListView_SetCheckState(Control("ListeTX", -1), row, checked ? TRUE : FALSE);
  }
  // As the program's message loop hands keys to the dialog manager.
  void Press(std::string_view name, int index, Key key) override {
    Shown();
    HWND control = Control(name, index);
    SetFocus(control);
    ASSERT_EQ(GetFocus(), control);
    const WPARAM code = key == Key::Enter ? VK_RETURN : VK_SPACE;
    MSG down{control, WM_KEYDOWN, code, 1, 0, {}};
    MSG up{control, WM_KEYUP, code, 0xC0000001, 0, {}};
    if (!IsDialogMessageW(window_->Handle(), &down)) DispatchMessageW(&down);
    if (!IsDialogMessageW(window_->Handle(), &up)) DispatchMessageW(&up);
  }
  void Focus(std::string_view name, int index) override {
    Shown();
    SetFocus(Control(name, index));
  }
  const std::vector<Box>& Boxes() override { return boxes_; }
  std::string LineBreak() override { return "\r\n"; }

 private:
  // Shown only where a test needs the focus: showing a window is slow under Wine.
  void Shown() {
    if (!IsWindowVisible(window_->Handle())) window_->Show(SW_SHOW);
  }
  HWND Control(std::string_view name, int index) {
    HWND control = window_->ControlWindow(name, index);
    EXPECT_NE(control, nullptr) << name << "(" << index << ")";
    return control;
  }
  static std::string ItemText(HWND combo, int row) {
    wchar_t text[256] = {};
    if (row < 0 || SendMessageW(combo, CB_GETLBTEXTLEN, row, 0) >= 256) return {};
    SendMessageW(combo, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(text));
    return Narrow(text);
  }
  const ControlLayout* LayoutOf(HWND control) {
    for (const ControlLayout& c : WindowLayout()) {
      if (window_->ControlWindow(c.name, c.index) == control) return &c;
    }
    ADD_FAILURE() << Narrow(ClassOf(control)) << " is in no layout";
    return &WindowLayout()[0];
  }

  Annotations notes_;
  std::unique_ptr<Win32MainWindow> window_;
  std::unique_ptr<Win32UiPort> port_;
  std::vector<Box> boxes_;
};

std::unique_ptr<ViewDriver> MakeWin32Driver() {
  return std::make_unique<Win32Driver>();
}

INSTANTIATE_TEST_SUITE_P(Win32, ViewContract, ::testing::Values(&MakeWin32Driver));

}  // namespace
}  // namespace tx3::testing
