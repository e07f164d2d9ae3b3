#include "draw.h"

namespace skin {

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  const COLORREF previous = SetBkColor(dc, color);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  SetBkColor(dc, previous);
}

void FillVertical(HDC dc, const RECT& rect, const Gradient& fill) {
  const int height = rect.bottom - rect.top;
  for (int row = 0; row < height; ++row) {
    const auto mix = [&](std::uint8_t top, std::uint8_t bottom) {
      return static_cast<BYTE>(height > 1 ? top + (bottom - top) * row / (height - 1) : top);
    };
    const RECT line{rect.left, rect.top + row, rect.right, rect.top + row + 1};
    FillSolid(dc, line,
              RGB(mix(fill.top.r, fill.bottom.r), mix(fill.top.g, fill.bottom.g),
                  mix(fill.top.b, fill.bottom.b)));
  }
}

void RoundedFrame(HDC dc, const RECT& rect, int radius, COLORREF border) {
  const forms::Pen pen(CreatePen(PS_SOLID, 1, border));
  forms::SelectObjectScope selectPen(dc, pen.get());
  forms::SelectObjectScope selectBrush(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, radius * 2, radius * 2);
}

void RoundedBox(HDC dc, const RECT& rect, int radius, const Gradient& fill, COLORREF border) {
  const forms::Region clip(CreateRoundRectRgn(rect.left, rect.top, rect.right + 1, rect.bottom + 1,
                                              radius * 2, radius * 2));
  SelectClipRgn(dc, clip.get());
  FillVertical(dc, rect, fill);
  SelectClipRgn(dc, nullptr);
  RoundedFrame(dc, rect, radius, border);
}

void Disc(HDC dc, const RECT& rect, COLORREF fill, COLORREF border) {
  const forms::Pen pen(CreatePen(PS_SOLID, 1, border));
  const forms::Brush brush(CreateSolidBrush(fill));
  forms::SelectObjectScope selectPen(dc, pen.get());
  forms::SelectObjectScope selectBrush(dc, brush.get());
  Ellipse(dc, rect.left, rect.top, rect.right, rect.bottom);
}

void DrawGlyph(HDC dc, const Glyph& glyph, const RECT& box, COLORREF color, int scale) {
  const int left = box.left + (box.right - box.left - glyph.width * scale) / 2;
  const int top = box.top + (box.bottom - box.top - glyph.height * scale) / 2;
  for (int y = 0; y < glyph.height; ++y) {
    for (int x = 0; x < glyph.width; ++x) {
      if (!glyph.At(x, y)) continue;
      const RECT pixel{left + x * scale, top + y * scale, left + (x + 1) * scale,
                       top + (y + 1) * scale};
      FillSolid(dc, pixel, color);
    }
  }
}

void DrawDottedRect(HDC dc, const RECT& rect, COLORREF color) {
  for (int x = rect.left; x < rect.right; x += 2) {
    SetPixelV(dc, x, rect.top, color);
    SetPixelV(dc, x, rect.bottom - 1, color);
  }
  for (int y = rect.top; y < rect.bottom; y += 2) {
    SetPixelV(dc, rect.left, y, color);
    SetPixelV(dc, rect.right - 1, y, color);
  }
}

Buffer::Buffer(HDC target, const RECT& area)
    : target_(target),
      area_(area),
      memory_(target),
      bitmap_(CreateCompatibleBitmap(target, area.right - area.left, area.bottom - area.top)),
      previous_(SelectObject(memory_.get(), bitmap_.get())) {
  // Draw in the target's coordinates.
  SetViewportOrgEx(memory_.get(), -area.left, -area.top, nullptr);
  SetBkMode(memory_.get(), TRANSPARENT);
}

Buffer::~Buffer() {
  BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top,
         memory_.get(), area_.left, area_.top, SRCCOPY);
  SelectObject(memory_.get(), previous_);
}

}  // namespace skin
