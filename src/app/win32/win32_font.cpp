#include "app/win32/win32_font.h"

#include <cmath>
#include <cwchar>
#include <iterator>
#include <optional>
#include <string>

#include "app/win32/win32_geometry.h"
#include "app/window_fit.h"
#include "app/window_layout.h"
#include "platform/win32/wide_text.h"

namespace tx3 {

namespace {

struct FontChoice {
  const wchar_t* face;  // nullptr: the system's message font
  double points;
  int stretch = 100;  // width of the characters, in percent of the face's own
};

// The design's face first (a TrueType face that scales with the density), then what this
// system shows in its own dialogs; from the design's size down, narrower before smaller.
constexpr FontChoice kChoices[] = {
    {L"Microsoft Sans Serif", 8.0},
    {L"Tahoma", 8.0},
    {nullptr, 8.0},
    {nullptr, 8.0, 87},
    {nullptr, 8.0, 75},
    {nullptr, 7.5, 75},
    {nullptr, 7.0, 75},
    {nullptr, 6.5, 75},
};

LOGFONTW MessageFont(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  using ForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
  static const auto forDpi = User32Function<ForDpiFn>("SystemParametersInfoForDpi");
  if (forDpi == nullptr ||
      !forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, static_cast<UINT>(dpi))) {
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  }
  return metrics.lfMessageFont;
}

LOGFONTW Variant(const FontChoice& choice, int dpi) {
  LOGFONTW font = MessageFont(dpi);
  if (choice.face != nullptr) {
    wcsncpy(font.lfFaceName, choice.face, LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = L'\0';
    font.lfCharSet = DEFAULT_CHARSET;
  }
  font.lfHeight = -static_cast<LONG>(choice.points * dpi / 72.0 + 0.5);
  font.lfWidth = 0;
  font.lfWeight = FW_NORMAL;
  font.lfItalic = FALSE;
  font.lfUnderline = FALSE;
  font.lfQuality = CLEARTYPE_QUALITY;
  return font;
}

// `font` with characters `stretch` percent as wide as the face draws them.
LOGFONTW Stretched(HDC dc, LOGFONTW font, int stretch) {
  if (stretch == 100) return font;
  HFONT made = CreateFontIndirectW(&font);
  if (made == nullptr) return font;
  HGDIOBJ old = SelectObject(dc, made);
  TEXTMETRICW metrics{};
  if (GetTextMetricsW(dc, &metrics)) font.lfWidth = MulDiv(metrics.tmAveCharWidth, stretch, 100);
  SelectObject(dc, old);
  DeleteObject(made);
  return font;
}

// Whether the system has the face itself rather than a substitute.
bool FaceInstalled(HDC dc, const LOGFONTW& font) {
  HFONT made = CreateFontIndirectW(&font);
  if (made == nullptr) return false;
  HGDIOBJ old = SelectObject(dc, made);
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  SelectObject(dc, old);
  DeleteObject(made);
  return _wcsicmp(face, font.lfFaceName) == 0;
}

bool Fits(HDC dc, const LOGFONTW& font, int dpi) {
  HFONT made = CreateFontIndirectW(&font);
  if (made == nullptr) return false;
  HGDIOBJ old = SelectObject(dc, made);
  const bool fit = EveryCaptionFits(dpi, [dc](std::string_view text) {
    const std::wstring caption = platform::win32::Widen(text);
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    return static_cast<double>(extent.cx);
  });
  SelectObject(dc, old);
  DeleteObject(made);
  return fit;
}

// The message font's height at the default setting: 9 points at 96 dpi.
constexpr double kDefaultMessagePixels = 12.0;

std::optional<DWORD> TextScalePercent() {
  DWORD percent = 0;
  DWORD size = sizeof(percent);
  const LSTATUS read = RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Accessibility",
                                    L"TextScaleFactor", RRF_RT_REG_DWORD, nullptr, &percent, &size);
  if (read != ERROR_SUCCESS || percent == 0) return std::nullopt;
  return percent;
}

}  // namespace

double SystemTextScale() {
  if (const std::optional<DWORD> percent = TextScalePercent()) return TextScale(*percent, 100.0);
  const LOGFONTW message = MessageFont(kDefaultDpi);
  return TextScale(std::abs(static_cast<double>(message.lfHeight)), kDefaultMessagePixels);
}

bool CaptionsFit(const LOGFONTW& font, int dpi) {
  HDC dc = CreateCompatibleDC(nullptr);
  const bool fit = dc != nullptr && Fits(dc, font, dpi);
  if (dc != nullptr) DeleteDC(dc);
  return fit;
}

LOGFONTW ChooseWindowFont(int dpi) {
  HDC dc = CreateCompatibleDC(nullptr);
  for (const FontChoice& choice : kChoices) {
    if (dc == nullptr) return Variant(choice, dpi);
    const LOGFONTW font = Stretched(dc, Variant(choice, dpi), choice.stretch);
    // The message font is the system's own, whatever face its name stands for.
    if (choice.face != nullptr && !FaceInstalled(dc, font)) continue;
    if (Fits(dc, font, dpi)) {
      DeleteDC(dc);
      return font;
    }
  }
  const FontChoice& smallest = kChoices[std::size(kChoices) - 1];
  LOGFONTW font = Variant(smallest, dpi);
  if (dc != nullptr) {
    font = Stretched(dc, font, smallest.stretch);
    DeleteDC(dc);
  }
  return font;
}

}  // namespace tx3
