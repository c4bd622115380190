// The media player: libsndfile decodes the whole file at Open (so Play never
// waits for the disk), and a QAudioSink made for the file's format plays it
// from memory. The end of a sound is read from the samples the output has
// processed, since the sink goes idle when its buffer runs dry, well before
// the last of the sound has been heard.
#include "MediaPlayer.h"

#include "ToolkitError.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>

#include <sndfile.h>

#include <cerrno>
#include <vector>

namespace {

// Bounds for what a sound cue may be; a corrupt header may claim anything.
constexpr int kMaxChannels = 8;
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 384000;
constexpr qint64 kMaxPcmBytes = 256ll * 1024 * 1024;

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

[[noreturn]] void fail(const QString& text)
{
    throw EMCIDeviceError(text);
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

TMediaPlayer::~TMediaPlayer()
{
    Close();
}

void TMediaPlayer::Open()
{
    Close();

    const QFileInfo info(m_fileName);
    if (m_fileName.isEmpty() || !info.exists())
        fail(fileNotFoundText());
    if (info.isDir())
        fail(notPlayableText());

    SF_INFO format{};
    errno = 0;
    const std::unique_ptr<SNDFILE, SndfileCloser> file(
        sf_open(QFile::encodeName(m_fileName).constData(), SFM_READ, &format));
    if (!file) {
        const int systemError = errno;
        // libsndfile names a format fault with one of many codes; only a
        // system error says anything about the file itself.
        if (sf_error(nullptr) != SF_ERR_SYSTEM)
            fail(notPlayableText());
        fail(systemError == ENOENT ? fileNotFoundText() : unknownErrorText());
    }
    if (format.channels < 1 || format.channels > kMaxChannels || format.samplerate < kMinRate
        || format.samplerate > kMaxRate)
        fail(notPlayableText());
    // Floating-point files are scaled to the 16-bit range instead of clipped.
    sf_command(file.get(), SFC_SET_SCALE_FLOAT_INT_READ, nullptr, SF_TRUE);

    // Read until the data ends rather than trusting the frame count in the
    // header: a truncated file simply yields fewer samples.
    QByteArray pcm;
    std::vector<short> chunk(4096 * static_cast<std::size_t>(format.channels));
    for (;;) {
        const sf_count_t frames = sf_readf_short(file.get(), chunk.data(), 4096);
        if (frames <= 0)
            break;
        const qint64 bytes = frames * format.channels * qint64(sizeof(short));
        if (pcm.size() + bytes > kMaxPcmBytes)
            fail(notPlayableText());
        pcm.append(reinterpret_cast<const char*>(chunk.data()), bytes);
    }
    if (pcm.isEmpty()) // a header without samples: nothing to play
        fail(notPlayableText());

    // The audio stack is first touched here, not when the player is made.
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        fail(noDeviceText());
    QAudioFormat audio;
    audio.setSampleRate(format.samplerate);
    audio.setChannelCount(format.channels);
    audio.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(audio))
        fail(notPlayableText());

    m_pcm = std::move(pcm);
    m_lengthUs = m_pcm.size() / (format.channels * qint64(sizeof(short))) * 1000000 / format.samplerate;
    m_buffer = std::make_unique<QBuffer>(&m_pcm);
    m_sink = std::make_unique<QAudioSink>(device, audio);
    m_open = true;
}

void TMediaPlayer::Play()
{
    if (!m_open)
        throw EToolkitError(QString::fromUtf8("Kein MCI-Gerät geöffnet"));
    // Always from the beginning; a failure to start shows in the sink's
    // state and is not raised.
    m_sink->stop();
    m_buffer->close();
    m_buffer->open(QIODevice::ReadOnly);
    m_sink->start(m_buffer.get());
}

void TMediaPlayer::Close() noexcept
{
    if (!m_open)
        return;
    m_sink->stop();
    m_sink.reset();
    m_buffer.reset();
    m_pcm.clear();
    m_lengthUs = 0;
    m_open = false;
}

bool TMediaPlayer::isSounding() const
{
    return m_open && m_sink->state() != QAudio::StoppedState && m_sink->processedUSecs() < m_lengthUs;
}
