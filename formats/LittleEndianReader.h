// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// LittleEndianReader: reads the little-endian integers and four-character
// codes of RIFF and Windows bitmap files out of a byte array. It does no
// bounds checking of its own on the reads: every reader of outside data
// checks a field's place against contains() (or against a size it has
// checked before) first, and reads only then.
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstring>

class LittleEndianReader {
public:
    // The reader refers to `bytes`, which must outlive it.
    explicit LittleEndianReader(const QByteArray& bytes)
        : m_data(reinterpret_cast<const unsigned char*>(bytes.constData()))
        , m_size(static_cast<std::size_t>(bytes.size()))
    {
    }

    std::size_t size() const { return m_size; }
    // True when `count` bytes from `at` lie inside the data.
    bool contains(std::size_t at, std::size_t count) const { return at <= m_size && count <= m_size - at; }

    std::uint8_t u8(std::size_t at) const
    {
        Q_ASSERT(contains(at, 1));
        return m_data[at];
    }
    std::uint16_t u16(std::size_t at) const
    {
        Q_ASSERT(contains(at, 2));
        return static_cast<std::uint16_t>(m_data[at] | m_data[at + 1] << 8);
    }
    std::uint32_t u32(std::size_t at) const
    {
        Q_ASSERT(contains(at, 4));
        const unsigned char* p = m_data + at;
        return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
    }
    std::int32_t i32(std::size_t at) const { return static_cast<std::int32_t>(u32(at)); }
    // True when the four bytes at `at` are `fourcc` ("RIFF", "avih", ...).
    bool tag(std::size_t at, const char* fourcc) const
    {
        Q_ASSERT(contains(at, 4));
        return std::memcmp(m_data + at, fourcc, 4) == 0;
    }
    const unsigned char* data(std::size_t at) const { return m_data + at; }

private:
    const unsigned char* m_data;
    std::size_t m_size;
};
