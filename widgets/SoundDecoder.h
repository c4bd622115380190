// Reads a sound file whole into 16-bit PCM with libsndfile, within bounds on
// what a cue may be (a corrupt header may claim anything). libsndfile runs in
// a small process of its own: on a spoiled file it may spin for minutes or
// crash, and neither may reach the game. A decode that makes no progress for
// half a second is given up and that process killed. Failures throw
// EMCIDeviceError with the media player's texts.
#pragma once

#include <QByteArray>
#include <QString>

struct DecodedSound {
    QByteArray pcm; // interleaved 16-bit samples
    int channels = 0;
    int rate = 0;
};

// What the decoder learnt of a file, whether or not it can be played; the
// fuzz target's coverage guidance reads it.
struct SoundFileReport {
    enum class Ending { Decoded, Refused, Stalled, DecoderDied };
    Ending ending = Ending::Refused;
    int sndfileError = 0; // libsndfile's code when it could not open the file
    int format = 0; // libsndfile's format code of an opened file
    int channels = 0;
    qint64 frames = 0; // as the file's header claims
};

DecodedSound decodeSoundFile(const QString& fileName, SoundFileReport* report = nullptr);
