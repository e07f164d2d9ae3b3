// Small GDI drawing helpers for the skin, all with plain GDI (no extra DLL).
#pragma once

#include <windows.h>

#include "forms/win.h"
#include "skin/skin_data.h"

namespace skin {

inline COLORREF Ref(Rgb color) {
  return RGB(color.r, color.g, color.b);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color);
// Top to bottom, one line of pixels at a time.
void FillVertical(HDC dc, const RECT& rect, const Gradient& fill);
// A gradient inside a rounded rectangle with a one-pixel border.
void RoundedBox(HDC dc, const RECT& rect, int radius, const Gradient& fill, COLORREF border);
void RoundedFrame(HDC dc, const RECT& rect, int radius, COLORREF border);
void Disc(HDC dc, const RECT& rect, COLORREF fill, COLORREF border);
// Draws the glyph centred in `box`, each of its pixels `scale` pixels wide.
void DrawGlyph(HDC dc, const Glyph& glyph, const RECT& box, COLORREF color, int scale);
void DrawDottedRect(HDC dc, const RECT& rect, COLORREF color);

// Paints off-screen and copies the result to `target` when it goes, so nothing flickers.
class Buffer {
 public:
  Buffer(HDC target, const RECT& area);
  ~Buffer();
  Buffer(const Buffer&) = delete;
  Buffer& operator=(const Buffer&) = delete;
  HDC dc() const { return memory_.get(); }

 private:
  HDC target_;
  RECT area_;
  forms::MemoryDC memory_;
  forms::Bitmap bitmap_;
  HGDIOBJ previous_;
};

}  // namespace skin
