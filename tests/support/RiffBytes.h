// Little-endian bytes and RIFF chunks for the tests that write AVI clips by
// hand: begin() opens a chunk, end() fills in its size and pads it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class RiffBytes {
public:
    void u8(std::uint8_t v) { data.push_back(v); }
    void u16(std::uint16_t v)
    {
        u8(v & 0xFF);
        u8(v >> 8);
    }
    void u32(std::uint32_t v)
    {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void fourcc(const char* s) { data.insert(data.end(), s, s + 4); }
    // Starts a chunk and returns where its size goes.
    std::size_t begin(const char* id)
    {
        fourcc(id);
        u32(0);
        return data.size() - 4;
    }
    // Fills in the size of a chunk begun at `at` and pads it to an even length.
    void end(std::size_t at)
    {
        const auto size = static_cast<std::uint32_t>(data.size() - at - 4);
        for (int i = 0; i < 4; ++i)
            data[at + i] = static_cast<std::uint8_t>(size >> (8 * i));
        if (size % 2)
            u8(0);
    }
    std::vector<std::uint8_t> data;
};
