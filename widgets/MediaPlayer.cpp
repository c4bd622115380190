// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The media player: SoundDecoder decodes the whole file at Open (so Play never
// waits for the disk), and PulseOutput plays it from memory on a thread of its
// own. Open also makes sure that a sound server can be reached, so that a cue
// without one fails like any cue that cannot be opened; since the output
// connects afresh whenever its connection has failed, a server that comes back
// is simply used again by the next Open.
#include "MediaPlayer.h"

#include "PulseOutput.h"
#include "SoundDecoder.h"
#include "ToolkitError.h"

#include <chrono>

namespace {

// How long Open waits at most for a new connection to the sound server. A
// server that is gone refuses it at once and a live one answers within
// milliseconds; one that accepted it but is too busy to answer is taken as
// there after this long, and the cue plays once it answers.
constexpr std::chrono::milliseconds kServerWait { 200 };

[[noreturn]] void fail(const QString& text)
{
    throw EMCIDeviceError(text);
}

QString failureText(SoundFailure failure)
{
    switch (failure) {
    case SoundFailure::FileNotFound: return TMediaPlayer::fileNotFoundText();
    case SoundFailure::NotPlayable: return TMediaPlayer::notPlayableText();
    case SoundFailure::None:
    case SoundFailure::Unreadable: break;
    }
    return TMediaPlayer::unknownErrorText();
}

} // namespace

QString TMediaPlayer::fileNotFoundText()
{
    return QString::fromUtf8("Die angegebene Datei wurde nicht gefunden. Stellen Sie sicher, "
                             "dass Pfad und Dateiname richtig sind");
}

QString TMediaPlayer::notPlayableText()
{
    return QString::fromUtf8("Die Datei ist keine abspielbare Audiodatei. Sie ist möglicherweise "
                             "beschädigt oder hat ein nicht unterstütztes Format");
}

QString TMediaPlayer::noDeviceText()
{
    return QString::fromUtf8("Es ist kein Audioausgabegerät verfügbar, oder das Gerät wird "
                             "bereits verwendet");
}

QString TMediaPlayer::unknownErrorText()
{
    return QString::fromUtf8("Unbekannter Fehler-Code");
}

TMediaPlayer::TMediaPlayer(QWidget* parent)
    : QWidget(parent)
{
    setVisible(false);
}

// The output stops its sound and leaves the server as it goes.
TMediaPlayer::~TMediaPlayer() = default;

void TMediaPlayer::Open()
{
    shut(); // the sound still playing stops before the new file is read
    const DecodedSound sound = SoundDecoder::decodeFile(m_fileName);
    if (sound.failure != SoundFailure::None)
        fail(failureText(sound.failure));
    // The audio stack is first touched here, not when the player is made.
    if (!m_output)
        m_output = std::make_unique<PulseOutput>();
    if (!m_output->reachServer(kServerWait))
        fail(noDeviceText());
    if (!PulseOutput::playable(sound.channels, sound.rate))
        fail(notPlayableText());
    m_output->load(sound.pcm, sound.channels, sound.rate);
    m_open = true;
}

void TMediaPlayer::Play()
{
    if (!m_open)
        throw EToolkitError(QString::fromUtf8("Kein MCI-Gerät geöffnet"));
    // Always from the beginning; a failure to start ends the sound at once
    // and is not raised.
    m_output->sounding.store(++m_cue);
    m_output->play(m_cue);
}

void TMediaPlayer::Close() noexcept
{
    if (m_open)
        shut();
}

void TMediaPlayer::shut() noexcept
{
    m_open = false;
    if (!m_output)
        return;
    m_output->sounding.store(0);
    m_output->release();
}

bool TMediaPlayer::isSounding() const
{
    return m_open && m_output->sounding.load() != 0;
}
