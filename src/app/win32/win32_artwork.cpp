#include "app/win32/win32_artwork.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <vector>

namespace tx3 {

namespace {

// Drawn on a 100 × 100 grid; each pixel is the mean of kSamples × kSamples points, since GDI
// itself draws without smoothing.
constexpr double kGrid = 100.0;
constexpr int kSamples = 4;

// A square, top-down, 32-bit bitmap: the pixel layout every picture here is drawn in.
BITMAPINFO SquareBitmapInfo(int size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A top-down 32-bit DIB section selected into a memory DC.
class Canvas {
 public:
  explicit Canvas(int size) : size_(size) {
    BITMAPINFO info = SquareBitmapInfo(size);
    dc_ = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    if (bitmap_ != nullptr) old_ = SelectObject(dc_, bitmap_);
  }
  ~Canvas() {
    if (old_ != nullptr) SelectObject(dc_, old_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  bool Ready() const { return bits_ != nullptr; }
  HDC Dc() const { return dc_; }
  uint32_t* Bits() const { return bits_; }
  int Size() const { return size_; }

 private:
  int size_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};

struct Scale {
  double factor;
  int operator()(double grid) const { return static_cast<int>(std::lround(grid * factor)); }
};

uint32_t Bgr(int r, int g, int b) {
  return (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
         static_cast<uint32_t>(b);
}

// The tile's colour runs from a light blue at the top to a dark one at the bottom; GDI writes
// the corners' transparency into a separate mask.
void DrawTile(const Canvas& c) {
  const int n = c.Size();
  for (int y = 0; y < n; ++y) {
    const double t = (y + 0.5) / n;
    const uint32_t colour = Bgr(static_cast<int>(std::lround(40 + (12 - 40) * t)),
                                static_cast<int>(std::lround(110 + (40 - 110) * t)),
                                static_cast<int>(std::lround(220 + (110 - 220) * t)));
    for (int x = 0; x < n; ++x) c.Bits()[y * n + x] = colour;
  }
}

void DrawTileMask(const Canvas& mask, Scale s) {
  HRGN tile = CreateRoundRectRgn(s(2), s(2), s(kGrid - 2) + 1, s(kGrid - 2) + 1, s(32), s(32));
  FillRgn(mask.Dc(), tile, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DeleteObject(tile);
}

void DrawWaves(const Canvas& c, Scale s) {
  const COLORREF colours[] = {RGB(255, 255, 255), RGB(200, 225, 255), RGB(150, 195, 255)};
  const double spread = 40.0 * 3.14159265358979323846 / 180.0;
  HGDIOBJ oldBrush = SelectObject(c.Dc(), GetStockObject(NULL_BRUSH));
  for (int ring = 0; ring < 3; ++ring) {
    LOGBRUSH look{BS_SOLID, colours[ring], 0};
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND,
                            static_cast<DWORD>(s(5.0 - ring)), &look, 0, nullptr);
    HGDIOBJ oldPen = SelectObject(c.Dc(), pen);
    const double r = 15.0 + 11.0 * ring;
    const double dx = r * std::cos(spread);
    const double dy = r * std::sin(spread);
    // GDI runs arcs counter-clockwise from the start point: the right arc from below the
    // three o'clock line to above it, the left one from above nine o'clock to below it.
    Arc(c.Dc(), s(50 - r), s(40 - r), s(50 + r), s(40 + r), s(50 + dx), s(40 + dy), s(50 + dx),
        s(40 - dy));
    Arc(c.Dc(), s(50 - r), s(40 - r), s(50 + r), s(40 + r), s(50 - dx), s(40 - dy), s(50 - dx),
        s(40 + dy));
    SelectObject(c.Dc(), oldPen);
    DeleteObject(pen);
  }
  SelectObject(c.Dc(), oldBrush);
}

void DrawMast(const Canvas& c, Scale s) {
  const POINT mast[] = {{s(50), s(44)}, {s(34), s(88)}, {s(40), s(88)},
                        {s(50), s(60)}, {s(60), s(88)}, {s(66), s(88)}};
  HGDIOBJ oldPen = SelectObject(c.Dc(), GetStockObject(NULL_PEN));
  HGDIOBJ oldBrush = SelectObject(c.Dc(), GetStockObject(WHITE_BRUSH));
  Polygon(c.Dc(), mast, static_cast<int>(std::size(mast)));
  Ellipse(c.Dc(), s(43), s(33), s(57) + 1, s(47) + 1);
  SelectObject(c.Dc(), oldBrush);
  SelectObject(c.Dc(), oldPen);
}

HBITMAP PixelsBitmap(const std::vector<uint32_t>& pixels, int size) {
  BITMAPINFO info = SquareBitmapInfo(size);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) return nullptr;
  std::copy(pixels.begin(), pixels.end(), static_cast<uint32_t*>(bits));
  GdiFlush();
  return bitmap;
}

uint32_t Channel(uint32_t pixel, int shift) {
  return (pixel >> shift) & 0xFFu;
}

// The logo at `sizePixels` × `sizePixels`, top row first, as premultiplied BGRA pixels
// (0xAARRGGBB); the corners outside the tile are transparent.
std::vector<uint32_t> DrawLogoPixels(int sizePixels) {
  if (sizePixels <= 0) return {};
  const int big = sizePixels * kSamples;
  Canvas picture(big);
  Canvas mask(big);
  std::vector<uint32_t> out(static_cast<size_t>(sizePixels) * sizePixels, 0);
  if (!picture.Ready() || !mask.Ready()) return out;
  const Scale s{big / kGrid};
  DrawTile(picture);
  DrawWaves(picture, s);
  DrawMast(picture, s);
  DrawTileMask(mask, s);
  GdiFlush();

  constexpr uint32_t kArea = kSamples * kSamples;
  for (int y = 0; y < sizePixels; ++y) {
    for (int x = 0; x < sizePixels; ++x) {
      uint32_t covered = 0, r = 0, g = 0, b = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const int at = (y * kSamples + sy) * big + x * kSamples + sx;
          if ((mask.Bits()[at] & 0xFFu) == 0) continue;
          const uint32_t p = picture.Bits()[at];
          ++covered;
          r += Channel(p, 16);
          g += Channel(p, 8);
          b += Channel(p, 0);
        }
      }
      // Premultiplied: the colour of the covered points over the whole pixel's area.
      const uint32_t a = (covered * 255 + kArea / 2) / kArea;
      out[static_cast<size_t>(y) * sizePixels + x] = (a << 24) | (((r + kArea / 2) / kArea) << 16) |
                                                     (((g + kArea / 2) / kArea) << 8) |
                                                     ((b + kArea / 2) / kArea);
    }
  }
  return out;
}

}  // namespace

HBITMAP LogoBitmap(int sizePixels, COLORREF background) {
  std::vector<uint32_t> pixels = DrawLogoPixels(sizePixels);
  const uint32_t back[] = {GetRValue(background), GetGValue(background), GetBValue(background)};
  for (uint32_t& p : pixels) {
    const uint32_t uncovered = 255 - Channel(p, 24);
    const uint32_t r = Channel(p, 16) + (back[0] * uncovered + 127) / 255;
    const uint32_t g = Channel(p, 8) + (back[1] * uncovered + 127) / 255;
    const uint32_t b = Channel(p, 0) + (back[2] * uncovered + 127) / 255;
    p = 0xFF000000u | (r << 16) | (g << 8) | b;
  }
  return PixelsBitmap(pixels, sizePixels);
}

HICON ProgramIcon(int sizePixels) {
  std::vector<uint32_t> pixels = DrawLogoPixels(sizePixels);
  // Icons carry straight, not premultiplied, alpha.
  for (uint32_t& p : pixels) {
    const uint32_t a = Channel(p, 24);
    if (a == 0 || a == 255) continue;
    const auto straight = [a](uint32_t c) {
      return std::min<uint32_t>(255, (c * 255 + a / 2) / a);
    };
    p = (a << 24) | (straight(Channel(p, 16)) << 16) | (straight(Channel(p, 8)) << 8) |
        straight(Channel(p, 0));
  }
  HBITMAP colour = PixelsBitmap(pixels, sizePixels);
  // The alpha channel decides; the monochrome mask only has to be there.
  std::vector<uint8_t> zeros(static_cast<size_t>((sizePixels + 15) / 16 * 2) * sizePixels, 0);
  HBITMAP mask = CreateBitmap(sizePixels, sizePixels, 1, 1, zeros.data());
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = colour;
  info.hbmMask = mask;
  HICON icon = (colour != nullptr && mask != nullptr) ? CreateIconIndirect(&info) : nullptr;
  if (colour != nullptr) DeleteObject(colour);
  if (mask != nullptr) DeleteObject(mask);
  return icon;
}

}  // namespace tx3
