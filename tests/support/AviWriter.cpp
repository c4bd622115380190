// Writer of uncompressed AVI clips for tests: the chunk layout of the
// classic AVI 1.0 file, little-endian, bottom-up DIB rows padded to 4 bytes.
#include "AviWriter.h"
#include "RiffBytes.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <stdexcept>

namespace {

using Bytes = RiffBytes;

} // namespace

std::uint32_t AviClip::colourOf(int k)
{
    // Distinct, easily told apart colours; never the border's white.
    return ((k * 37 % 256) << 16) | ((k * 91 % 256) << 8) | (255 - k * 13 % 200);
}

AviClip AviClip::plain(int width, int height, int count, std::uint32_t microsecondsPerFrame, std::uint32_t border)
{
    AviClip clip;
    clip.width = width;
    clip.height = height;
    clip.microsecondsPerFrame = microsecondsPerFrame;
    for (int k = 0; k < count; ++k) {
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, colourOf(k));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (x == 0 || y == 0 || x == width - 1 || y == height - 1)
                    pixels[static_cast<std::size_t>(y) * width + x] = border;
        clip.frames.push_back(std::move(pixels));
    }
    return clip;
}

std::vector<std::uint8_t> aviBytes(const AviClip& clip)
{
    if (clip.bitsPerPixel != 24 && clip.bitsPerPixel != 8)
        throw std::invalid_argument("AviWriter: 24 or 8 bits per pixel");
    const bool paletted = clip.bitsPerPixel == 8;
    std::vector<std::uint32_t> palette;
    std::map<std::uint32_t, std::uint8_t> index;
    if (paletted) {
        for (const auto& frame : clip.frames)
            for (std::uint32_t c : frame)
                if (!index.count(c)) {
                    if (palette.size() == 256)
                        throw std::invalid_argument("AviWriter: more than 256 colours");
                    index[c] = static_cast<std::uint8_t>(palette.size());
                    palette.push_back(c);
                }
    }
    const int bytesPerPixel = clip.bitsPerPixel / 8;
    const std::uint32_t stride = (clip.width * bytesPerPixel + 3) / 4 * 4;
    const std::uint32_t frameSize = stride * clip.height;
    const auto frames = static_cast<std::uint32_t>(clip.frames.size());

    Bytes b;
    const auto riff = b.begin("RIFF");
    b.fourcc("AVI ");
    const auto hdrl = b.begin("LIST");
    b.fourcc("hdrl");
    const auto avih = b.begin("avih");
    b.u32(clip.microsecondsPerFrame);
    b.u32(0); // max bytes per second
    b.u32(0); // padding granularity
    b.u32(0x10); // AVIF_HASINDEX
    b.u32(frames);
    b.u32(0); // initial frames
    b.u32(1); // streams
    b.u32(frameSize); // suggested buffer size
    b.u32(clip.width);
    b.u32(clip.height);
    for (int i = 0; i < 4; ++i)
        b.u32(0);
    b.end(avih);
    const auto strl = b.begin("LIST");
    b.fourcc("strl");
    const auto strh = b.begin("strh");
    b.fourcc("vids");
    b.fourcc("DIB ");
    b.u32(0); // flags
    b.u16(0); // priority
    b.u16(0); // language
    b.u32(0); // initial frames
    b.u32(clip.microsecondsPerFrame); // scale
    b.u32(1000000); // rate: rate / scale = frames per second
    b.u32(0); // start
    b.u32(frames); // length
    b.u32(frameSize);
    b.u32(0xFFFFFFFF); // quality
    b.u32(0); // sample size
    b.u16(0);
    b.u16(0);
    b.u16(static_cast<std::uint16_t>(clip.width));
    b.u16(static_cast<std::uint16_t>(clip.height));
    b.end(strh);
    const auto strf = b.begin("strf");
    b.u32(40);
    b.u32(clip.width);
    b.u32(clip.height); // positive: rows bottom-up
    b.u16(1);
    b.u16(static_cast<std::uint16_t>(clip.bitsPerPixel));
    b.u32(0); // BI_RGB
    b.u32(frameSize);
    b.u32(0);
    b.u32(0);
    b.u32(static_cast<std::uint32_t>(palette.size()));
    b.u32(0);
    for (std::uint32_t c : palette) { // RGBQUAD: blue, green, red, 0
        b.u8(c & 0xFF);
        b.u8((c >> 8) & 0xFF);
        b.u8((c >> 16) & 0xFF);
        b.u8(0);
    }
    b.end(strf);
    b.end(strl);
    b.end(hdrl);

    const auto movi = b.begin("LIST");
    const std::size_t moviStart = b.data.size();
    b.fourcc("movi");
    std::vector<std::uint32_t> offsets;
    for (const auto& frame : clip.frames) {
        if (frame.size() != static_cast<std::size_t>(clip.width) * clip.height)
            throw std::invalid_argument("AviWriter: frame of the wrong size");
        offsets.push_back(static_cast<std::uint32_t>(b.data.size() - moviStart));
        const auto chunk = b.begin("00db");
        for (int y = clip.height - 1; y >= 0; --y) {
            for (int x = 0; x < clip.width; ++x) {
                const std::uint32_t c = frame[static_cast<std::size_t>(y) * clip.width + x];
                if (paletted) {
                    b.u8(index[c]);
                } else {
                    b.u8(c & 0xFF);
                    b.u8((c >> 8) & 0xFF);
                    b.u8((c >> 16) & 0xFF);
                }
            }
            for (std::uint32_t p = clip.width * bytesPerPixel; p < stride; ++p)
                b.u8(0);
        }
        b.end(chunk);
    }
    b.end(movi);
    const auto idx1 = b.begin("idx1");
    for (std::uint32_t offset : offsets) {
        b.fourcc("00db");
        b.u32(0x10); // AVIIF_KEYFRAME
        b.u32(offset);
        b.u32(frameSize);
    }
    b.end(idx1);
    b.end(riff);
    return b.data;
}

bool writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool writeAvi(const std::string& path, const AviClip& clip)
{
    return writeBytes(path, aviBytes(clip));
}
