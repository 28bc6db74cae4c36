// A tiny 5x7 bitmap font for drawing labels straight into a picture's
// luma plane (digits, the separators of dates and times, and the capitals
// used in channel and recording-type labels).
#pragma once

#include <cstdint>
#include <string_view>

namespace kestrel::cardgen {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = 6;  // one blank column between characters

// Rows of the glyph, top first, bit 4 the leftmost pixel; null for a
// character the font lacks (drawn as a blank).
const uint8_t* GlyphRows(char c);

// Draws text into an 8-bit plane with its top-left corner at (x, y), each
// font pixel scaled to scale x scale; pixels outside the plane are clipped.
void DrawText(uint8_t* plane, int stride, int width, int height, int x, int y, int scale,
              std::string_view text, uint8_t value);

// Width in pixels of text drawn at the given scale.
inline int TextWidth(std::string_view text, int scale)
{
    return text.empty() ? 0 : (static_cast<int>(text.size()) * kGlyphAdvance - 1) * scale;
}

}  // namespace kestrel::cardgen
