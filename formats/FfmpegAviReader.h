// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// FfmpegAviReader: decodes the frames of a compressed AVI clip (run-length,
// 16-bit and whatever else FFmpeg knows) with FFmpeg, loaded at run time by
// FfmpegLibrary only when such a clip is first read. The file is read from
// memory; each frame is converted to ARGB and placed by its time stamp, and
// frames the clip leaves out are null images (never the first). The frames' sizes are
// checked against the limits given, as FFmpeg reports them, since they may
// differ from the main header's.
#pragma once

#include "RawAviReader.h"

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <vector>

class FfmpegAviReader {
public:
    enum class Outcome {
        Decoded, // frames() holds the clip
        NoLibrary, // FFmpeg cannot be loaded
        Undecodable, // FFmpeg cannot read the clip, or its frames pass the limits
    };
    using Limits = RawAviReader::Limits;

    // `bytes` is a whole RIFF AVI file; `totalFrames` frames are produced
    // (the main header's count), frames beyond it are ignored.
    FfmpegAviReader(const QByteArray& bytes, std::uint32_t totalFrames, Limits limits);

    Outcome read();
    // The frames read, as opaque ARGB32 images; empty unless read() decoded.
    std::vector<QImage> takeFrames() { return std::move(m_frames); }

private:
    const QByteArray& m_bytes;
    std::uint32_t m_totalFrames;
    Limits m_limits;
    std::vector<QImage> m_frames;
};
