#include "app/win32/win32_font.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/win32/win32_geometry.h"
#include "app/window_fit.h"
#include "app/window_layout.h"
#include "platform/win32/wide_text.h"

namespace tx3 {

namespace {

// The design's face first (a TrueType face that scales with the density), then what this
// system shows in its own dialogs.
constexpr const wchar_t* kDesignFaces[] = {L"Microsoft Sans Serif", L"Tahoma"};

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

// `face` (nullptr: the system's message font) at `step`'s size, at its own width.
LOGFONTW Variant(const wchar_t* face, const FontStep& step, int dpi) {
  LOGFONTW font = MessageFont(dpi);
  if (face != nullptr) {
    wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = L'\0';
    font.lfCharSet = DEFAULT_CHARSET;
  }
  font.lfHeight = -static_cast<LONG>(step.points * dpi / 72.0 + 0.5);
  font.lfWidth = 0;
  font.lfWeight = FW_NORMAL;
  font.lfItalic = FALSE;
  font.lfUnderline = FALSE;
  font.lfQuality = CLEARTYPE_QUALITY;
  return font;
}

// What `use` answers with `font` selected into `dc`; `otherwise` when the font cannot be made.
template <typename Answer>
Answer WithFont(HDC dc, const LOGFONTW& font, Answer otherwise,
                const std::function<Answer()>& use) {
  HFONT made = CreateFontIndirectW(&font);
  if (made == nullptr) return otherwise;
  HGDIOBJ old = SelectObject(dc, made);
  const Answer answer = use();
  SelectObject(dc, old);
  DeleteObject(made);
  return answer;
}

// `font` with characters `stretch` percent as wide as the face draws them.
LOGFONTW Stretched(HDC dc, LOGFONTW font, int stretch) {
  if (stretch == 100) return font;
  return WithFont<LOGFONTW>(dc, font, font, [&] {
    TEXTMETRICW metrics{};
    if (GetTextMetricsW(dc, &metrics)) font.lfWidth = MulDiv(metrics.tmAveCharWidth, stretch, 100);
    return font;
  });
}

// Whether the system has the face itself rather than a substitute.
bool FaceInstalled(HDC dc, const LOGFONTW& font) {
  return WithFont<bool>(dc, font, false, [&] {
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    return _wcsicmp(face, font.lfFaceName) == 0;
  });
}

bool Fits(HDC dc, const LOGFONTW& font, int dpi) {
  return WithFont<bool>(dc, font, false, [&] {
    return EveryCaptionFits(dpi, [dc](std::string_view text) {
      const std::wstring caption = platform::win32::Widen(text);
      SIZE extent{};
      GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
      return static_cast<double>(extent.cx);
    });
  });
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

LOGFONTW ChooseWindowFont(int dpi) {
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) return Variant(kDesignFaces[0], kFontSteps[0], dpi);
  std::vector<LOGFONTW> choices;
  for (const wchar_t* face : kDesignFaces) {
    const LOGFONTW font = Variant(face, kFontSteps[0], dpi);
    if (FaceInstalled(dc, font)) choices.push_back(font);
  }
  // The message font is the system's own, whatever face its name stands for.
  for (const FontStep& step : kFontSteps) {
    choices.push_back(Stretched(dc, Variant(nullptr, step, dpi), step.stretch));
  }
  const auto fits = std::find_if(choices.begin(), choices.end(),
                                 [&](const LOGFONTW& font) { return Fits(dc, font, dpi); });
  const LOGFONTW chosen = fits != choices.end() ? *fits : choices.back();
  DeleteDC(dc);
  return chosen;
}

}  // namespace tx3
