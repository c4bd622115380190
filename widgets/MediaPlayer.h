// TMediaPlayer: plays a sound file in the background; never visible. Open
// decodes the whole file with libsndfile into 16-bit PCM and prepares an
// output on the default audio device (Qt Multimedia); Play starts it from the
// beginning without blocking; Close stops and releases it. The audio stack is
// touched only at the first Open, so creating a player costs nothing.
#pragma once

#include <QByteArray>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <memory>

class QAudioSink;
class QBuffer;

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
    // Length of the open sound in microseconds.
    std::int64_t lengthUSecs() const { return m_lengthUs; }

    // The messages of Open's failures.
    static QString fileNotFoundText();
    static QString notPlayableText();
    static QString noDeviceText();
    static QString unknownErrorText();

private:
    QString m_fileName;
    bool m_open = false;
    QByteArray m_pcm;
    std::int64_t m_lengthUs = 0;
    std::unique_ptr<QBuffer> m_buffer;
    std::unique_ptr<QAudioSink> m_sink; // made at Open, for the file's format
};
