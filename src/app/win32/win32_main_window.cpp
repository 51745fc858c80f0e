#include "app/win32/win32_main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <type_traits>
#include <vector>

#include "app/win32/win32_artwork.h"
#include "app/win32/win32_font.h"
#include "app/win32/win32_geometry.h"
#include "app/window_colours.h"
#include "app/window_fit.h"
#include "platform/win32/wide_text.h"

namespace tx3 {

namespace {

constexpr wchar_t kWindowClass[] = L"TX3SetupMainWindow";
// A fixed-size window: a title with the minimise and close boxes, no sizing frame.
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kFirstControlId = 1000;  // clear of IDOK / IDCANCEL, which IsDialogMessage sends
// How far a drop-down list opens below its field.
constexpr int kDropDownTwips = 3000;

// A COLORREF holds 0x00BBGGRR, the design's colours 0xRRGGBB: either is the other with red and
// blue swapped.
unsigned SwapRedBlue(unsigned colour) {
  return RGB(GetBValue(colour), GetGValue(colour), GetRValue(colour));
}

bool HighContrast() {
  HIGHCONTRASTW look{};
  look.cbSize = sizeof(look);
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(look), &look, 0) != FALSE &&
         (look.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// The design's link colour, or the system's in a high-contrast theme; readable as text either way.
COLORREF LinkTextColour() {
  return SwapRedBlue(LinkColour({.design = kLinkTextRgb,
                                 .system = SwapRedBlue(GetSysColor(COLOR_HOTLIGHT)),
                                 .text = SwapRedBlue(GetSysColor(COLOR_BTNTEXT)),
                                 .background = SwapRedBlue(GetSysColor(COLOR_BTNFACE)),
                                 .systemTheme = HighContrast()}));
}

// Lines a click on a scroll bar's arrow or a notch of the wheel moves: a row of the design.
constexpr int kLineTwips = 360;

HINSTANCE ThisModule() {
  return GetModuleHandleW(nullptr);
}

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(copied, 0)));
  return text;
}

bool RegisterWindowClass(WNDPROC procedure) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = procedure;
  wc.hInstance = ThisModule();
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kWindowClass;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// A system metric at `dpi` where the system tells it per density, else `fallback`.
int MetricAt(int metric, int dpi, int fallback) {
  using ForDpiFn = int(WINAPI*)(int, UINT);
  static const auto forDpi = User32Function<ForDpiFn>("GetSystemMetricsForDpi");
  const int size = forDpi != nullptr ? forDpi(metric, static_cast<UINT>(dpi)) : 0;
  return size > 0 ? size : fallback;
}

// Sends `message` about tool `id` of `window` to the tooltip control `tips`.
void SendTool(HWND tips, UINT message, WPARAM wParam, HWND window, HWND id,
              const wchar_t* text = L"", UINT flags = 0) {
  if (tips == nullptr) return;
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every version of the common controls
  tool.uFlags = flags;
  tool.hwnd = window;
  tool.uId = reinterpret_cast<UINT_PTR>(id);
  tool.lpszText = const_cast<wchar_t*>(text);  // only read
  SendMessageW(tips, message, wParam, reinterpret_cast<LPARAM>(&tool));
}

HWND MakeTooltips(HWND owner, DWORD style) {
  return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | style,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                         ThisModule(), nullptr);
}

// Puts `made` in the place of the handle `held`, which goes.
template <typename Handle>
void Replace(Handle& held, Handle made) {
  if constexpr (std::is_same_v<Handle, HICON>) {
    if (held != nullptr) DestroyIcon(held);
  } else {
    if (held != nullptr) DeleteObject(held);
  }
  held = made;
}

void FitComboHeight(HWND combo, int height) {
  const auto shownHeight = [combo] {
    RECT r{};
    GetWindowRect(combo, &r);
    return static_cast<int>(r.bottom - r.top);
  };
  // The frame around the selection row differs between systems (and CB_GETITEMHEIGHT does not
  // always answer what CB_SETITEMHEIGHT took): try a row height, then correct it by what is
  // still missing.
  int row = std::max(1, height - 6);
  for (int attempt = 0; attempt < 3; ++attempt) {
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), row);
    const int shortBy = height - shownHeight();
    if (shortBy == 0 || row + shortBy <= 0) return;
    row += shortBy;
  }
}

// The link's text at the top left, in the link colour and its underlined font, as a label shows
// it; with the keyboard's focus, the system's focus frame around the text.
void DrawLink(const DRAWITEMSTRUCT& item) {
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
  const std::wstring text = WindowText(item.hwndItem);
  HGDIOBJ oldFont = SelectObject(
      item.hDC, reinterpret_cast<HGDIOBJ>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, LinkTextColour());
  constexpr UINT kFormat = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
  RECT area = item.rcItem;
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &area, kFormat);
  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    RECT around = item.rcItem;
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &around,
              kFormat | DT_CALCRECT);
    IntersectRect(&around, &around, &item.rcItem);
    DrawFocusRect(item.hDC, &around);
  }
  SelectObject(item.hDC, oldFont);
}

}  // namespace

// What the binding asks of the controls: it decides, they show.
class Win32MainWindow::Widgets final : public ViewToolkit {
 public:
  explicit Widgets(Win32MainWindow& window) : w_(window) {}

  void SetTitle(std::string_view text) override {
    if (w_.hwnd_ != nullptr) SetWindowTextW(w_.hwnd_, platform::win32::Widen(text).c_str());
  }

  // Only the names Windows would not find by itself: the caption is not the name, or there is no
  // caption.
  void SetAccessibleName(int slot, std::string_view name) override {
    HWND window = w_.At(slot);
    if (window == nullptr || name == WindowLayout()[static_cast<size_t>(slot)].caption) return;
    w_.annotation_->SetName(window, platform::win32::Widen(name));
  }

  std::string Text(int slot) const override {
    HWND field = w_.At(slot);
    return field == nullptr ? std::string() : platform::win32::Narrow(WindowText(field));
  }

  void SetText(int slot, std::string_view text) override {
    HWND field = w_.At(slot);
    if (field == nullptr) return;
    SetWindowTextW(field, platform::win32::Widen(text).c_str());
    // Shown from its start, as a text box shows a text it is given.
    SendMessageW(field, EM_SETSEL, 0, 0);
    SendMessageW(field, EM_SCROLLCARET, 0, 0);
  }

  void SetFolderMissing(int slot, std::string_view description) override {
    HWND field = w_.At(slot);
    if (field == nullptr) return;
    // In words too, for a screen reader and for a high-contrast theme that may hide the colour.
    std::wstring words = platform::win32::Widen(description);
    w_.missingWords_[static_cast<size_t>(slot)] = words;
    w_.annotation_->SetDescription(field, words);
    SendTool(w_.folderTips_, TTM_UPDATETIPTEXTW, 0, w_.hwnd_, field, words.c_str());
    // Its colour comes with the next WM_CTLCOLOREDIT.
    InvalidateRect(field, nullptr, TRUE);
    // Typed into existence or out of it while focused: the tip follows.
    if (GetFocus() == field) w_.ShowFocusTip(field, !words.empty());
  }

  void SetChecked(int slot, bool checked) override {
    if (HWND box = w_.At(slot))
      SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }

  void SetItems(int slot, const std::vector<std::string>& items) override {
    HWND combo = w_.At(slot);
    if (combo == nullptr) return;
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items) {
      const std::wstring text = platform::win32::Widen(item);
      SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
  }

  void SetSelection(int slot, int row) override {
    if (HWND combo = w_.At(slot)) SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
  }

  void SetRows(int slot, const std::vector<CheckedRow>& rows) override {
    HWND list = w_.At(slot);
    if (list == nullptr) return;
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    for (size_t row = 0; row < rows.size(); ++row) {
      std::wstring text = platform::win32::Widen(rows[row].text);
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(row);
      item.pszText = text.data();
      const int at =
          static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
      if (at >= 0) ListView_SetCheckState(list, at, rows[row].checked ? TRUE : FALSE);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    w_.FitListColumn();
    InvalidateRect(list, nullptr, TRUE);
  }

  void SetRow(int slot, int row, const CheckedRow& state) override {
    HWND list = w_.At(slot);
    if (list == nullptr) return;
    std::wstring text = platform::win32::Widen(state.text);
    ListView_SetItemText(list, row, 0, text.data());
    ListView_SetCheckState(list, row, state.checked ? TRUE : FALSE);
  }

  void SetStatus(int slot, std::string_view text) override {
    HWND status = w_.At(slot);
    if (status == nullptr) return;
    const std::wstring shown = platform::win32::Widen(text);
    SendMessageW(status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    w_.annotation_->AnnounceChange(status);
    // Shown at once: the step commands write it many times before messages run again.
    if (IsWindowVisible(status)) UpdateWindow(status);
  }

  void Close() override { w_.CloseWhenIdle(); }

 private:
  Win32MainWindow& w_;
};

Win32MainWindow::Win32MainWindow(FrmMain& model, std::unique_ptr<AccessibleAnnotation> annotation)
    : model_(model),
      annotation_(annotation ? std::move(annotation) : SystemAnnotation()),
      toolkit_(std::make_unique<Widgets>(*this)),
      binding_(model, *toolkit_) {
  redBrush_ = CreateSolidBrush(SwapRedBlue(kRedBackRgb));
  if (!CreateMainWindow()) return;
  BuildControls();
  // A step's progress and end are read out as the status bar shows them.
  if (HWND status = ControlWindow("StatusBarMain")) annotation_->MarkLiveRegion(status);
  // "Codecs Audio" is an owner-drawn button: a link to screen readers.
  if (HWND link = ControlWindow("LabelCODEC")) annotation_->MarkLink(link);
  MakeTips();
  // Each control tells when it takes the focus, so that it is scrolled into view.
  for (HWND control : widgets_) {
    if (control != nullptr) {
      SetWindowSubclass(control, ControlProc, 0, reinterpret_cast<DWORD_PTR>(this));
    }
  }
  ApplyDpi();
  binding_.Start();
}

Win32MainWindow::~Win32MainWindow() {
  binding_.Stop();
  quitWhenClosed_ = false;
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  Replace(font_, HFONT{});
  Replace(linkFont_, HFONT{});
  Replace(redBrush_, HBRUSH{});
  Replace(logo_, HBITMAP{});
  Replace(bigIcon_, HICON{});
  Replace(smallIcon_, HICON{});
}

HWND Win32MainWindow::ControlWindow(std::string_view name, int index) const {
  return At(LayoutSlot(name, index));
}

HWND Win32MainWindow::At(int slot) const {
  return slot >= 0 && slot < static_cast<int>(widgets_.size()) ? widgets_[slot] : nullptr;
}

// The slot of a control of this window: its id less the first id.
int Win32MainWindow::SlotOf(HWND control) const {
  const int slot = GetDlgCtrlID(control) - kFirstControlId;
  return At(slot) == control ? slot : -1;
}

namespace {

std::optional<RECT> WorkArea(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
    return std::nullopt;
  }
  return monitor.rcWork;
}

void SetBar(HWND window, int bar, int designLength, int viewLength, int position) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMax = designLength - 1;
  // A page as long as the design hides the bar.
  info.nPage = static_cast<UINT>(std::min(viewLength, designLength));
  info.nPos = position;
  SetScrollInfo(window, bar, &info, TRUE);
}

}  // namespace

void Win32MainWindow::CentreOnScreen() {
  if (const std::optional<RECT> area = WorkArea(hwnd_)) FitInto(*area);
}

void Win32MainWindow::FitInto(const RECT& area) {
  if (hwnd_ == nullptr) return;
  Place(area, true);
  ShowControl(GetFocus());
}

// The window sized for the design at its density inside `area`, scroll bars where it needs them:
// in the middle of the area (`centred`), else (after a change of density or text size) moved no
// more than it must to stay inside it.
void Win32MainWindow::Place(const RECT& area, bool centred) {
  const SIZE frame = OuterSize(0, 0, kWindowStyle, 0, dpi_);
  const int bar = MetricAt(SM_CXVSCROLL, dpi_, GetSystemMetrics(SM_CXVSCROLL));
  const WindowFit fit =
      FitInside({design_.cx, design_.cy},
                {area.right - area.left - frame.cx, area.bottom - area.top - frame.cy}, bar);
  // The scroll bars stand outside the client area: the client area is the part shown.
  const int x = std::clamp<int>(scroll_.x, 0, design_.cx - fit.view.width);
  const int y = std::clamp<int>(scroll_.y, 0, design_.cy - fit.view.height);
  SetBar(hwnd_, SB_HORZ, design_.cx, fit.view.width, x);
  SetBar(hwnd_, SB_VERT, design_.cy, fit.view.height, y);
  ScrollTo(x, y);
  const ClientSize client = fit.Client(bar);
  const SIZE outer = OuterSize(client.width, client.height, kWindowStyle, 0, dpi_);
  RECT now{};
  GetWindowRect(hwnd_, &now);
  const auto start = [centred](LONG from, LONG to, LONG at, LONG length) {
    return std::max(from, centred ? from + (to - from - length) / 2 : std::min(at, to - length));
  };
  SetWindowPos(hwnd_, nullptr, start(area.left, area.right, now.left, outer.cx),
               start(area.top, area.bottom, now.top, outer.cy), outer.cx, outer.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// Moves the design under the client area so that its pixel (x, y) is at the top left.
void Win32MainWindow::ScrollTo(int x, int y) {
  RECT shown{};
  GetClientRect(hwnd_, &shown);
  x = std::clamp<int>(x, 0, std::max<int>(0, design_.cx - shown.right));
  y = std::clamp<int>(y, 0, std::max<int>(0, design_.cy - shown.bottom));
  if (x == scroll_.x && y == scroll_.y) return;
  // Every control placed anew, hidden or shown (the system scrolls the children of a shown
  // window only), and drawn again where it stands now.
  scroll_ = {x, y};
  PlaceControls();
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  SetScrollPos(hwnd_, SB_HORZ, x, TRUE);
  SetScrollPos(hwnd_, SB_VERT, y, TRUE);
}

// A scroll bar's request: an arrow, the track beside the thumb, the thumb dragged, an end.
void Win32MainWindow::OnScroll(int bar, int request) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  GetScrollInfo(hwnd_, bar, &info);
  const int line = ScaledPixels(kLineTwips, layoutDpi_);
  const int page = static_cast<int>(info.nPage);
  int at = info.nPos;
  switch (request) {
    case SB_LINEUP:
      at -= line;
      break;
    case SB_LINEDOWN:
      at += line;
      break;
    case SB_PAGEUP:
      at -= page;
      break;
    case SB_PAGEDOWN:
      at += page;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      at = info.nTrackPos;
      break;
    case SB_TOP:
      at = 0;
      break;
    case SB_BOTTOM:
      at = info.nMax;
      break;
    default:
      return;
  }
  bar == SB_HORZ ? ScrollTo(at, scroll_.y) : ScrollTo(scroll_.x, at);
}

// The control that takes the focus comes into view (its top left corner first).
void Win32MainWindow::ShowControl(HWND control) {
  if (control == nullptr || GetParent(control) != hwnd_ || SlotOf(control) < 0) return;
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
  RECT shown{};
  GetClientRect(hwnd_, &shown);
  // In the design's coordinates.
  OffsetRect(&r, scroll_.x, scroll_.y);
  ScrollTo(ScrollToShow(scroll_.x, shown.right, r.left, r.right),
           ScrollToShow(scroll_.y, shown.bottom, r.top, r.bottom));
}

void Win32MainWindow::Show(int showCommand) {
  if (hwnd_ == nullptr) return;
  ShowWindow(hwnd_, showCommand);
  UpdateWindow(hwnd_);
  if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE)) SetFocus(first);
}

// ---- Building ----

bool Win32MainWindow::CreateMainWindow() {
  if (!RegisterWindowClass(WindowProc)) return false;
  CreateWindowExW(0, kWindowClass, L"", kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, nullptr, nullptr, ThisModule(), this);
  return hwnd_ != nullptr;  // set by WM_NCCREATE
}

void Win32MainWindow::BuildControls() {
  // Made in tab order: the dialog manager's tab order is the order of creation, and Windows'
  // accessibility finds the label that names a field in the control made just before it. A
  // control's id is its slot past the first id.
  const std::span<const ControlLayout> layout = WindowLayout();
  widgets_.assign(layout.size(), nullptr);
  missingWords_.assign(layout.size(), std::wstring());
  for (int slot : SlotsInTabOrder()) {
    widgets_[static_cast<size_t>(slot)] =
        MakeControl(layout[static_cast<size_t>(slot)], kFirstControlId + slot);
  }
}

void Win32MainWindow::MakeTips() {
  // One tooltip per folder field, empty (never shown) while the folder exists.
  folderTips_ = MakeTooltips(hwnd_, 0);
  for (int i = 0; i < kFolderCount; ++i) {
    SendTool(folderTips_, TTM_ADDTOOLW, 0, hwnd_, ControlWindow("TexteDossier", i), L"",
             TTF_IDISHWND | TTF_SUBCLASS);
  }
  // One tracking tip for the keyboard: the mouse's tooltips show only under the pointer.
  focusTip_ = MakeTooltips(hwnd_, TTS_NOPREFIX | TTS_BALLOON);
  SendTool(focusTip_, TTM_ADDTOOLW, 0, hwnd_, hwnd_, L"", TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE);
}

// The field's missing folder said under it while it has the focus, in the words its tooltip and
// its description give.
void Win32MainWindow::ShowFocusTip(HWND field, bool shown) {
  const int slot = SlotOf(field);
  if (focusTip_ == nullptr || (shown && slot < 0)) return;
  if (shown) {
    SendTool(focusTip_, TTM_UPDATETIPTEXTW, 0, hwnd_, hwnd_,
             missingWords_[static_cast<size_t>(slot)].c_str());
    RECT r{};
    GetWindowRect(field, &r);
    SendMessageW(focusTip_, TTM_TRACKPOSITION, 0,
                 MAKELPARAM(r.left + (r.bottom - r.top), r.bottom));
  }
  SendTool(focusTip_, TTM_TRACKACTIVATE, shown ? TRUE : FALSE, hwnd_, hwnd_);
}

// The window class and styles of each kind of control (WS_CHILD | WS_VISIBLE besides).
struct ControlClass {
  ControlKind kind;
  const wchar_t* className;
  DWORD style, exStyle;
};
constexpr DWORD kStop = WS_TABSTOP | WS_GROUP;
const ControlClass kControlClasses[] = {
    // A caption stays on its line, as the design has it, even when it runs short of room.
    {ControlKind::Label, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0},
    // A button drawn as a link, so that Tab stops on it and Space or Enter opens it.
    {ControlKind::LinkLabel, L"BUTTON", kStop | BS_OWNERDRAW, 0},
    {ControlKind::TextField, L"EDIT", kStop | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    {ControlKind::Button, L"BUTTON", kStop | BS_PUSHBUTTON, 0},
    {ControlKind::CheckBox, L"BUTTON", kStop | BS_AUTOCHECKBOX, 0},
    {ControlKind::ComboBox, L"COMBOBOX", kStop | CBS_DROPDOWNLIST | WS_VSCROLL, 0},
    {ControlKind::CheckList, WC_LISTVIEWW,
     kStop | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE},
    {ControlKind::Image, L"STATIC", SS_OWNERDRAW, 0},
    // Placed by the layout like the other controls, not docked by itself.
    {ControlKind::StatusBar, STATUSCLASSNAMEW, CCS_NORESIZE | CCS_NOPARENTALIGN, 0},
};

HWND Win32MainWindow::MakeControl(const ControlLayout& control, int id) {
  const ControlClass* look = &kControlClasses[0];
  for (const ControlClass& each : kControlClasses) {
    if (each.kind == control.kind) look = &each;
  }
  const std::wstring caption = platform::win32::Widen(control.caption);
  HWND made = CreateWindowExW(
      look->exStyle, look->className, caption.c_str(), WS_CHILD | WS_VISIBLE | look->style, 0, 0, 0,
      0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ThisModule(), nullptr);
  if (made == nullptr) return nullptr;
  if (control.kind == ControlKind::CheckList) {
    ListView_SetExtendedListViewStyle(made, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    SendMessageW(made, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  } else if (control.kind == ControlKind::StatusBar) {
    int rightEdges[] = {-1};  // one panel, the whole width
    SendMessageW(made, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(rightEdges));
  }
  return made;
}

// Everything that depends on the density: the window's size, the fonts, the artwork and the
// controls' places.
void Win32MainWindow::ApplyDpi() {
  dpi_ = WindowDpi(hwnd_);
  layoutDpi_ = ScaledDpi(dpi_, SystemTextScale());
  design_ = {ScaledPixels(kClientWidthTwips, layoutDpi_),
             ScaledPixels(kClientHeightTwips, layoutDpi_)};
  if (const std::optional<RECT> area = WorkArea(hwnd_)) Place(*area, false);

  LOGFONTW look = ChooseWindowFont(layoutDpi_);
  HFONT font = CreateFontIndirectW(&look);
  look.lfUnderline = TRUE;
  HFONT linkFont = CreateFontIndirectW(&look);
  HWND link = ControlWindow("LabelCODEC");
  for (HWND control : widgets_) {
    if (control == nullptr) continue;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(control == link ? linkFont : font),
                 FALSE);
  }
  // The old fonts go once no control holds them.
  Replace(font_, font);
  Replace(linkFont_, linkFont);
  Replace(logo_, LogoBitmap(ScaledPixels(kLogoTwips, layoutDpi_), GetSysColor(COLOR_BTNFACE)));

  HICON big = ProgramIcon(MetricAt(SM_CXICON, dpi_, MulDiv(32, dpi_, kDefaultDpi)));
  HICON small = ProgramIcon(MetricAt(SM_CXSMICON, dpi_, MulDiv(16, dpi_, kDefaultDpi)));
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  Replace(bigIcon_, big);
  Replace(smallIcon_, small);

  PlaceControls();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32MainWindow::PlaceControls() {
  const std::span<const ControlLayout> layout = WindowLayout();
  for (size_t slot = 0; slot < layout.size(); ++slot) {
    HWND window = At(static_cast<int>(slot));
    if (window == nullptr) continue;
    const PixelEdges e = ScaledEdges(layout[slot], layoutDpi_, layoutDpi_);
    const int height = e.bottom - e.top;
    // A drop-down list's window height is its open height; the field's own height follows the
    // height of its selection row.
    const bool combo = layout[slot].kind == ControlKind::ComboBox;
    // Where the design stands under the client area.
    MoveWindow(window, e.left - scroll_.x, e.top - scroll_.y, e.right - e.left,
               height + (combo ? ScaledPixels(kDropDownTwips, layoutDpi_) : 0), FALSE);
    if (combo) FitComboHeight(window, height);
  }
  FitListColumn();
}

// The list's one column spans the room left of its scroll bar, so that it never scrolls sideways.
void Win32MainWindow::FitListColumn() {
  HWND list = ControlWindow("ListeTX");
  if (list == nullptr) return;
  RECT inside{};
  GetClientRect(list, &inside);
  ListView_SetColumnWidth(list, 0, inside.right - inside.left);
}

// ---- Messages ----

LRESULT CALLBACK Win32MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<Win32MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->OnDestroyed();
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT CALLBACK Win32MainWindow::ControlProc(HWND control, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR id, DWORD_PTR self) {
  if (message == WM_SETFOCUS) {
    reinterpret_cast<Win32MainWindow*>(self)->ShowControl(control);
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(control, ControlProc, id);
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

LRESULT Win32MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = hwnd_;  // a handler may destroy the window
  switch (message) {
    case WM_COMMAND:
      if (lParam != 0) OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
      // Enter, as the dialog manager reports it when the window has no default button.
      if (lParam == 0 && LOWORD(wParam) == IDOK) PressFocusedButton();
      CloseIfPendingAndIdle();
      return 0;
    case WM_CLOSE:
      CloseWhenIdle();
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CTLCOLOREDIT:
      return OnCtlColorEdit(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_SETCURSOR:
      if (wParam != 0 && reinterpret_cast<HWND>(wParam) == ControlWindow("LabelCODEC")) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_ACTIVATE:
      // A plain window forgets its focused control when it loses the activation; a dialog
      // does not, and neither does this one.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd_, focus)) lastFocus_ = focus;
      } else if (lastFocus_ != nullptr && IsWindow(lastFocus_)) {
        SetFocus(lastFocus_);
        return 0;
      }
      break;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SYSCOLORCHANGE:
      ApplyDpi();  // the logo is laid on the window's colour
      break;
    case WM_SETTINGCHANGE:
      // "Make text bigger" and the message font change the design's size.
      if (ScaledDpi(dpi_, SystemTextScale()) != layoutDpi_) ApplyDpi();
      break;
    case WM_VSCROLL:
    case WM_HSCROLL:
      OnScroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: {
      // Three rows a notch, as the system scrolls lines; sideways with Shift or a tilted wheel.
      const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
      const int by = notches * 3 * ScaledPixels(kLineTwips, layoutDpi_);
      const bool sideways = message == WM_MOUSEHWHEEL || (GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT);
      sideways ? ScrollTo(scroll_.x + (message == WM_MOUSEHWHEEL ? by : -by), scroll_.y)
               : ScrollTo(scroll_.x, scroll_.y - by);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A window destroyed under a running command would swallow the command's closing message box
// (the quit message it posts ends every modal loop): the close waits for the command's end.
void Win32MainWindow::CloseWhenIdle() {
  closePending_ = true;
  CloseIfPendingAndIdle();
}

void Win32MainWindow::CloseIfPendingAndIdle() {
  if (!closePending_ || model_.TacheEnCours() || hwnd_ == nullptr) return;
  closePending_ = false;
  DestroyWindow(hwnd_);
}

// What the operator did, told to the binding (which passes over the notifications its own
// assignments cause).
void Win32MainWindow::OnCommand(HWND from, int code) {
  const int slot = SlotOf(from);
  if (slot < 0) return;
  switch (code) {
    case EN_SETFOCUS:
    case EN_KILLFOCUS:
      ShowFocusTip(from, code == EN_SETFOCUS && !missingWords_[static_cast<size_t>(slot)].empty());
      break;
    case EN_CHANGE:
      binding_.Operated(slot, {.text = platform::win32::Narrow(WindowText(from))});
      break;
    case BN_CLICKED:
      // A push button reads unchecked, and its handler does not look.
      binding_.Operated(slot, {.checked = SendMessageW(from, BM_GETCHECK, 0, 0) == BST_CHECKED});
      break;
    case CBN_SELCHANGE:
      binding_.Operated(slot, {.row = static_cast<int>(SendMessageW(from, CB_GETCURSEL, 0, 0))});
      break;
    default:
      break;
  }
}

// Enter presses the focused button or ticks the focused marker, as Space does.
void Win32MainWindow::PressFocusedButton() {
  HWND focus = GetFocus();
  if (focus == nullptr || GetParent(focus) != hwnd_) return;
  wchar_t className[16] = {};
  GetClassNameW(focus, className, 16);
  if (lstrcmpiW(className, L"Button") == 0) SendMessageW(focus, BM_CLICK, 0, 0);
}

LRESULT Win32MainWindow::OnNotify(const NMHDR& header) {
  HWND list = ControlWindow("ListeTX");
  if (list == nullptr || header.hwndFrom != list || header.code != LVN_ITEMCHANGED) return 0;
  const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
  if ((change.uChanged & LVIF_STATE) == 0 || change.iItem < 0) return 0;
  const UINT before = (change.uOldState & LVIS_STATEIMAGEMASK) >> 12;
  const UINT after = (change.uNewState & LVIS_STATEIMAGEMASK) >> 12;
  // State image 1 is the empty box, 2 the ticked one; 0 is a row still being inserted.
  if (before == 0 || after == 0 || before == after) return 0;
  binding_.Operated(SlotOf(list), {.checked = after == 2, .row = change.iItem});
  return 0;
}

LRESULT Win32MainWindow::OnCtlColorEdit(HDC dc, HWND field) {
  const int slot = SlotOf(field);
  if (slot >= 0 && !missingWords_[static_cast<size_t>(slot)].empty()) {
    SetBkColor(dc, SwapRedBlue(kRedBackRgb));
    SetTextColor(dc, RGB(0, 0, 0));  // black on red whatever the theme: white would be 4:1
    return reinterpret_cast<LRESULT>(redBrush_);
  }
  // The normal background is the one every text field shows.
  return DefWindowProcW(hwnd_, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                        reinterpret_cast<LPARAM>(field));
}

void Win32MainWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.hwndItem == ControlWindow("LabelCODEC")) {
    DrawLink(item);
    return;
  }
  if (item.hwndItem != ControlWindow("Image")) return;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
  if (logo_ == nullptr) return;
  // The logo at the top left of its area, as a picture control shows it.
  HDC source = CreateCompatibleDC(item.hDC);
  HGDIOBJ old = SelectObject(source, logo_);
  const int size = ScaledPixels(kLogoTwips, layoutDpi_);
  BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, size, size, source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

void Win32MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  // Keep the place the system suggests; the size comes from the design at the new density.
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (dpi != dpi_) ApplyDpi();
}

void Win32MainWindow::OnDestroyed() {
  hwnd_ = nullptr;
  lastFocus_ = nullptr;
  folderTips_ = nullptr;  // owned by the window, gone with it
  focusTip_ = nullptr;
  // Every control handle is gone with the window.
  widgets_.assign(widgets_.size(), nullptr);
  if (quitWhenClosed_) PostQuitMessage(0);
}

}  // namespace tx3
