#pragma once
// A minimal PNG writer for 8-bit RGB images: one IDAT chunk, no filters.
// Enough for the placement preview; readable by every image viewer.

#include <cstdint>
#include <string>
#include <vector>

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // row-major, top row first, 3 bytes per pixel

    RgbImage() = default;
    RgbImage(int w, int h, std::uint32_t rgb);  // filled with one colour (0xRRGGBB)
    std::uint32_t At(int x, int y) const;       // 0xRRGGBB
    void Set(int x, int y, std::uint32_t rgb);  // no bounds check
};

// The PNG file's bytes; empty when the image is empty or cannot be compressed.
std::string EncodePng(const RgbImage& image);

// Writes the PNG atomically; false with the reason in `error`.
bool WritePng(const std::string& path, const RgbImage& image, std::string& error);
