// The look of Frm_Main as data: every control with its kind, position and caption, in twips
// (15 twips per pixel). A view builds its widgets from this table; the texts and values the
// controls hold at run time are in FrmMain.
#pragma once

#include <functional>
#include <span>
#include <string_view>

namespace tx3 {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidthTwips = 11430;         // 762 pixels
inline constexpr int kClientHeightTwips = 8715;         // 581 pixels
inline constexpr int kLogoTwips = 90 * kTwipsPerPixel;  // the logo, at the top left of "Image"

// Colours as RGB values (0xRRGGBB).
inline constexpr unsigned kRedBackRgb = 0xFF0000;   // a folder field naming nothing that exists
inline constexpr unsigned kLinkTextRgb = 0x1048EF;  // LabelCODEC: RGB(16, 72, 239), underlined

enum class ControlKind {
  Label,      // static text
  LinkLabel,  // static text drawn as a link, clickable (LabelCODEC)
  TextField,  // one-line text field
  Button,
  CheckBox,   // with or without caption
  ComboBox,   // drop-down list (no typing)
  CheckList,  // list with a check box on each row (ListeTX)
  Image,      // the logo picture
  StatusBar,  // docked along the bottom; only its first panel carries text
};

struct ControlLayout {
  std::string_view name;  // the control's name in the window ("TexteDossier", "Label", ...)
  int index;              // its index in its control array, -1 for a single control
  ControlKind kind;
  int left, top, width, height;  // twips, in the client area
  std::string_view caption;      // the design-time caption, empty when the model fills it
};

// Every control of the window, from top to bottom.
std::span<const ControlLayout> WindowLayout();

// The layout entry of control `name`(`index`); nullptr when the window has none.
const ControlLayout* FindControl(std::string_view name, int index = -1);

// The label that names `control` to the eye: the nearest label left of it on its row; nullptr
// when it has none.
const ControlLayout* LabelOf(const ControlLayout& control);

// The width in twips a control's caption may take: its own width less a button's bevel or a check
// box's box and spacing. Each view picks the largest font in which every caption fits.
int CaptionRoomTwips(const ControlLayout& control);

// Whether every caption fits its room at `dpi`, `width` giving a caption's width in pixels in the
// font the view weighs.
bool EveryCaptionFits(int dpi, const std::function<double(std::string_view caption)>& width);

// The fonts both views try, in order, until every caption fits: from the design's 8 points
// down, narrower before smaller. A size in points and a width in percent of the face's own.
struct FontStep {
  double points;
  int stretch;
};
inline constexpr FontStep kFontSteps[] = {{8.0, 100}, {8.0, 87}, {8.0, 75},
                                          {7.5, 75},  {7.0, 75}, {6.5, 75}};

// pixels = twips * dpi / 1440, to the nearest pixel: what every view places its controls by.
int ScaledPixels(int twips, int dpi);

// A control's edges in pixels in the client area. The right and bottom edges are scaled too,
// so neighbouring controls keep their gaps.
struct PixelEdges {
  int left, top, right, bottom;
  bool operator==(const PixelEdges&) const = default;
};
PixelEdges ScaledEdges(const ControlLayout& control, int dpiX, int dpiY);

}  // namespace tx3
