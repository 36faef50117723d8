#pragma once
// Text drawn into an RgbImage with a small built-in 5x7 font, so a picture
// written without any toolkit (the batch tool's preview) can carry labels.
// Printable ASCII; other bytes are drawn as '?'.

#include <cstdint>
#include <string_view>

#include "preview/png_encoder.h"

// Pixels of one character cell (glyph plus spacing) at scale 1.
constexpr int kTextAdvance = 6;
constexpr int kTextHeight = 8;

// Draws `text` with its top-left corner at (x, y), each font pixel a
// scale x scale square, never past maxX (exclusive); pixels outside the
// image are left out.
void DrawText(RgbImage& image, int x, int y, std::string_view text, std::uint32_t colour,
              int scale, int maxX);
