#include "preview/png_encoder.h"

#include <zlib.h>

#include "io/atomic_file.h"

namespace {

void PutBigEndian(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value >> 24));
    out.push_back(static_cast<char>(value >> 16));
    out.push_back(static_cast<char>(value >> 8));
    out.push_back(static_cast<char>(value));
}

// Length, type, data, and the CRC over type and data.
void PutChunk(std::string& out, const char type[5], const std::string& data) {
    PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.append(type, 4);
    out += data;
    const uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(out.data() + typeAt),
                            static_cast<uInt>(4 + data.size()));
    PutBigEndian(out, static_cast<std::uint32_t>(crc));
}

}  // namespace

RgbImage::RgbImage(int w, int h, std::uint32_t rgb) : width(w), height(h) {
    pixels.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3);
    for (std::size_t i = 0; i < pixels.size(); i += 3) {
        pixels[i] = static_cast<std::uint8_t>(rgb >> 16);
        pixels[i + 1] = static_cast<std::uint8_t>(rgb >> 8);
        pixels[i + 2] = static_cast<std::uint8_t>(rgb);
    }
}

std::uint32_t RgbImage::At(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                           static_cast<std::size_t>(x)) * 3;
    return (std::uint32_t{pixels[i]} << 16) | (std::uint32_t{pixels[i + 1]} << 8) | pixels[i + 2];
}

void RgbImage::Set(int x, int y, std::uint32_t rgb) {
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                           static_cast<std::size_t>(x)) * 3;
    pixels[i] = static_cast<std::uint8_t>(rgb >> 16);
    pixels[i + 1] = static_cast<std::uint8_t>(rgb >> 8);
    pixels[i + 2] = static_cast<std::uint8_t>(rgb);
}

std::string EncodePng(const RgbImage& image) {
    if (image.width <= 0 || image.height <= 0) return std::string();
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
    if (image.pixels.size() != rowBytes * static_cast<std::size_t>(image.height)) return std::string();

    // Each scanline starts with its filter type, 0 (none).
    std::string raw;
    raw.reserve((rowBytes + 1) * static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back('\0');
        raw.append(reinterpret_cast<const char*>(image.pixels.data()) + rowBytes * static_cast<std::size_t>(y),
                   rowBytes);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(&packed[0]), &packedSize,
                  reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                  Z_BEST_SPEED) != Z_OK)
        return std::string();
    packed.resize(packedSize);

    std::string header;
    PutBigEndian(header, static_cast<std::uint32_t>(image.width));
    PutBigEndian(header, static_cast<std::uint32_t>(image.height));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter set, no interlace

    std::string png("\x89PNG\r\n\x1a\n", 8);
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", std::string());
    return png;
}

bool WritePng(const std::string& path, const RgbImage& image, std::string& error) {
    const std::string bytes = EncodePng(image);
    if (bytes.empty()) {
        error = "Cannot encode the image for '" + path + "'.";
        return false;
    }
    AtomicFileWriter writer(path, 1 << 16);
    if (!writer.Open()) {
        error = writer.Error();
        return false;
    }
    writer.Write(bytes);
    if (!writer.Commit()) {
        error = writer.Error();
        return false;
    }
    return true;
}
