#include "bitmap_png.h"

#include <zlib.h>

#include <cstdint>
#include <cstdlib>

namespace kz::ui {

namespace {

std::uint32_t le32(const BYTE* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

std::uint16_t le16(const BYTE* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

void putBe32(std::string& out, std::uint32_t v) {
    out.push_back(static_cast<char>(v >> 24));
    out.push_back(static_cast<char>(v >> 16));
    out.push_back(static_cast<char>(v >> 8));
    out.push_back(static_cast<char>(v));
}

void chunk(std::string& out, const char* type, const std::string& data) {
    putBe32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.append(type, 4);
    out.append(data);
    const auto crc = crc32(0L, reinterpret_cast<const Bytef*>(out.data() + start),
                           static_cast<uInt>(out.size() - start));
    putBe32(out, static_cast<std::uint32_t>(crc));
}

} // namespace

std::string bitmapToPng(const BitmapBits& bits) {
    constexpr std::uint32_t kHeaderSize = 40;
    if (bits.data == nullptr || bits.size < kHeaderSize) {
        return {};
    }
    const BYTE* p = bits.data;
    const std::uint32_t headerSize = le32(p);
    const auto width = static_cast<std::int32_t>(le32(p + 4));
    const auto height = static_cast<std::int32_t>(le32(p + 8));
    const std::uint16_t bitCount = le16(p + 14);
    const std::uint32_t compression = le32(p + 16);
    const std::uint32_t colorsUsed = le32(p + 32);
    if (headerSize < kHeaderSize || headerSize > bits.size || width <= 0 || height == 0 ||
        width > 16384 || std::abs(height) > 16384 || compression != 0 ||
        (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)) {
        return {};
    }
    const std::uint32_t rows = static_cast<std::uint32_t>(std::abs(height));
    const std::uint32_t paletteSize =
        bitCount <= 8 ? (colorsUsed != 0 ? colorsUsed : 1u << bitCount) : 0;
    const std::uint64_t stride = ((std::uint64_t(width) * bitCount + 31) / 32) * 4;
    const std::uint64_t pixelsAt = std::uint64_t(headerSize) + std::uint64_t(paletteSize) * 4;
    if (paletteSize > 256 || pixelsAt + stride * rows > bits.size) {
        return {};
    }
    const BYTE* palette = p + headerSize;
    const BYTE* pixels = p + pixelsAt;

    // Rows top-down, each with filter type 0, three bytes per pixel.
    std::string raw;
    raw.reserve(rows * (std::size_t(width) * 3 + 1));
    for (std::uint32_t y = 0; y < rows; ++y) {
        const std::uint32_t stored = height > 0 ? rows - 1 - y : y;
        const BYTE* row = pixels + stride * stored;
        raw.push_back('\0');
        for (std::int32_t x = 0; x < width; ++x) {
            BYTE b = 0, g = 0, r = 0;
            if (bitCount <= 8) {
                const std::uint32_t bitPos = std::uint32_t(x) * bitCount;
                const BYTE byte = row[bitPos / 8];
                const std::uint32_t shift = 8 - bitCount - bitPos % 8;
                std::uint32_t index = (byte >> shift) & ((1u << bitCount) - 1);
                if (index >= paletteSize) {
                    index = 0;
                }
                b = palette[index * 4];
                g = palette[index * 4 + 1];
                r = palette[index * 4 + 2];
            } else {
                const BYTE* px = row + std::size_t(x) * (bitCount / 8);
                b = px[0];
                g = px[1];
                r = px[2];
            }
            raw.push_back(static_cast<char>(r));
            raw.push_back(static_cast<char>(g));
            raw.push_back(static_cast<char>(b));
        }
    }

    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                  reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                  Z_BEST_COMPRESSION) != Z_OK) {
        return {};
    }
    packed.resize(packedSize);

    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    putBe32(header, static_cast<std::uint32_t>(width));
    putBe32(header, rows);
    header += std::string("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, no interlace
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", packed);
    chunk(png, "IEND", "");
    return png;
}

std::string base64(const std::string& bytes) {
    static const char* const kDigits =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::uint32_t n =
            std::uint32_t(static_cast<BYTE>(bytes[i])) << 16 |
            (i + 1 < bytes.size() ? std::uint32_t(static_cast<BYTE>(bytes[i + 1])) << 8 : 0) |
            (i + 2 < bytes.size() ? std::uint32_t(static_cast<BYTE>(bytes[i + 2])) : 0);
        out.push_back(kDigits[(n >> 18) & 63]);
        out.push_back(kDigits[(n >> 12) & 63]);
        out.push_back(i + 1 < bytes.size() ? kDigits[(n >> 6) & 63] : '=');
        out.push_back(i + 2 < bytes.size() ? kDigits[n & 63] : '=');
    }
    return out;
}

} // namespace kz::ui
