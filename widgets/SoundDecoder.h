// Reads a sound file whole into 16-bit PCM with libsndfile, within bounds on
// what a cue may be (a corrupt header may claim anything). Failures throw
// EMCIDeviceError with the media player's texts.
#pragma once

#include <QByteArray>
#include <QString>

struct DecodedSound {
    QByteArray pcm; // interleaved 16-bit samples
    int channels = 0;
    int rate = 0;
};

DecodedSound decodeSoundFile(const QString& fileName);
