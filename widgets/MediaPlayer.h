// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// TMediaPlayer: plays a sound file in the background; never visible. Open
// decodes the whole file into 16-bit PCM (SoundDecoder) and makes sure a
// sound server can be reached (PulseOutput); Play starts the sound from its
// beginning without blocking; Close stops and releases it. The output runs on
// a thread of its own, so the caller's thread never waits for the server's
// answers. The audio stack is touched only at the first Open, so creating a
// player costs nothing. The player words the sound engine's outcomes in the
// texts the game shows.
#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>
#include <memory>

class PulseOutput;

class TMediaPlayer : public QWidget {
    Q_OBJECT
public:
    explicit TMediaPlayer(QWidget* parent);
    ~TMediaPlayer() override;

    // A plain property: takes effect at the next Open.
    void setFileName(const QString& name) { m_fileName = name; }
    QString fileName() const { return m_fileName; }

    // Closes any open device (stopping its sound), then opens fileName().
    // Throws EMCIDeviceError with a German text for the failure; after a
    // failure no device is open.
    void Open();
    // Plays the open file from its beginning and returns at once. Throws
    // EToolkitError("Kein MCI-Gerät geöffnet") when no device is open; a
    // failure to start the output is not raised.
    void Play();
    // Stops and releases the device; nothing when none is open. Never throws.
    void Close() noexcept;

    bool isOpen() const { return m_open; }
    // True from Play until the output has processed the whole sound (the
    // output's buffer running dry is not the end: the sound is still heard).
    bool isSounding() const;
    // The messages of Open's failures.
    static QString fileNotFoundText();
    static QString notPlayableText();
    static QString noDeviceText();
    static QString unknownErrorText();

private:
    // Forgets the open file; the output stops and frees its stream.
    void shut() noexcept;

    QString m_fileName;
    bool m_open = false;
    std::uint64_t m_cue = 0; // counts the Plays
    std::unique_ptr<PulseOutput> m_output; // made at the first Open
};
