// The media player: libsndfile decodes the whole file at Open (so Play never
// waits for the disk), and a QAudioSink made for the file's format plays it
// from memory. The sink lives on a thread of its own: each start of a sink
// opens a sound server stream and waits for the server to confirm it, which
// would otherwise hold up the game's thread at every cue. The end of a sound
// is read from the samples the output has processed, since the sink goes idle
// when its buffer runs dry, well before the last of the sound has been heard.
#include "MediaPlayer.h"

#include "SoundDecoder.h"
#include "ToolkitError.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>

namespace {

// How often at most the end of a sound is looked for, and how long the
// output may make no progress before the sound counts as ended.
constexpr int kMinEndCheckMs = 20;
constexpr int kMaxStallMs = 1000;

[[noreturn]] void fail(const QString& text)
{
    throw EMCIDeviceError(text);
}

} // namespace

// The output on its own thread: one QAudioSink, kept while the device and the
// format stay the same, playing the decoded sound from memory. The player's
// thread posts the jobs below and reads `sounding`; nothing here throws.
class TMediaPlayer::Output : public QObject {
public:
    Output()
    {
        m_endCheck.setSingleShot(true);
        connect(&m_endCheck, &QTimer::timeout, this, &Output::checkEnd);
    }

    // The number of the Play still sounding, 0 for none. The player sets it;
    // this side only clears it, and only for the Play it has started.
    std::atomic<std::uint64_t> sounding{0};

    void load(const QAudioDevice& device, const QAudioFormat& format, const QByteArray& pcm, qint64 lengthUs)
    {
        stop();
        std::unique_ptr<QAudioSink> old;
        if (device != m_device || format != m_format)
            old = std::move(m_sink);
        m_device = device;
        m_format = format;
        m_buffer.close();
        m_buffer.setData(pcm); // shares the player's bytes, copies nothing
        m_lengthUs = lengthUs;
        old.reset(); // last: see release()
    }

    void play(std::uint64_t cue)
    {
        m_cue = cue;
        m_endCheck.stop();
        if (!m_sink) {
            m_sink = std::make_unique<QAudioSink>(m_device, m_format);
            connect(m_sink.get(), &QAudioSink::stateChanged, this, &Output::stateChanged);
        }
        m_sink->stop();
        m_buffer.close();
        m_buffer.open(QIODevice::ReadOnly);
        m_progressUs = -1;
        m_stalledMs = 0;
        m_sink->start(&m_buffer);
        if (m_sink->state() == QAudio::StoppedState) // could not start
            markEnded();
    }

    void stop()
    {
        m_endCheck.stop();
        if (m_sink)
            m_sink->stop();
    }

    void release()
    {
        stop();
        // A sink's destructor handles pending events, jobs posted after this
        // one among them; so everything here is done before it runs.
        std::unique_ptr<QAudioSink> old = std::move(m_sink);
        m_buffer.close();
        m_buffer.setData(QByteArray());
        old.reset();
    }

private:
    void stateChanged(QAudio::State state)
    {
        // Looked at once the sink's own handling is over, since the end of
        // a sound stops the sink.
        if (state == QAudio::IdleState)
            m_endCheck.start(0);
        else if (state == QAudio::StoppedState && m_sink && m_sink->error() != QAudio::NoError)
            markEnded();
    }

    // Runs only while a sound's last part is with the sound server, at the
    // time it should be over; a stream that stops moving ends it as well.
    void checkEnd()
    {
        if (!m_sink || m_sink->state() != QAudio::IdleState)
            return;
        const qint64 processed = m_sink->processedUSecs();
        const qint64 left = m_lengthUs - processed;
        const int wait = int(std::clamp<qint64>(left / 1000 + 1, kMinEndCheckMs, kMaxStallMs));
        if (processed == m_progressUs)
            m_stalledMs += m_lastWaitMs;
        else
            m_stalledMs = 0;
        if (left <= 0 || m_stalledMs >= kMaxStallMs) {
            // Stopping closes the stream and with it the sink's feeding
            // timer, which would tick on while nothing plays.
            m_sink->stop();
            markEnded();
            return;
        }
        m_progressUs = processed;
        m_lastWaitMs = wait;
        m_endCheck.start(wait);
    }

    void markEnded()
    {
        std::uint64_t cue = m_cue;
        sounding.compare_exchange_strong(cue, 0);
    }

    QTimer m_endCheck{this};
    QAudioDevice m_device;
    QAudioFormat m_format;
    qint64 m_lengthUs = 0;
    std::uint64_t m_cue = 0;
    qint64 m_progressUs = -1;
    int m_stalledMs = 0;
    int m_lastWaitMs = 0;
    QBuffer m_buffer{this};
    std::unique_ptr<QAudioSink> m_sink; // after m_buffer: it reads from it
};

template <typename Job>
void TMediaPlayer::post(Job&& job)
{
    QMetaObject::invokeMethod(m_output, std::forward<Job>(job), Qt::QueuedConnection);
}

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
    if (m_thread) {
        // The sink goes first, while the output is whole; the output itself
        // is deleted on its thread as the thread finishes.
        post([output = m_output] {
            output->release();
            output->thread()->quit();
        });
        m_thread->wait();
    }
}

void TMediaPlayer::Open()
{
    // The sound still playing stops with the next job: the new sound's load,
    // or the release after a failure.
    m_open = false;
    m_lengthUs = 0;
    if (m_output)
        m_output->sounding.store(0);

    DecodedSound sound;
    QAudioDevice device;
    QAudioFormat audio;
    try {
        sound = decodeSoundFile(m_fileName);
        // The audio stack is first touched here, not when the player is made.
        device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            fail(noDeviceText());
        audio.setSampleRate(sound.rate);
        audio.setChannelCount(sound.channels);
        audio.setSampleFormat(QAudioFormat::Int16);
        if (!device.isFormatSupported(audio))
            fail(notPlayableText());
    } catch (const EMCIDeviceError&) {
        shut(); // the previous sound's stream is not kept either
        throw;
    }

    if (!m_thread) {
        m_thread = std::make_unique<QThread>();
        m_output = new Output;
        m_output->moveToThread(m_thread.get());
        connect(m_thread.get(), &QThread::finished, m_output, &QObject::deleteLater);
        m_thread->start();
    }
    const qint64 frameBytes = sound.channels * qint64(sizeof(short));
    m_lengthUs = sound.pcm.size() / frameBytes * 1000000 / sound.rate;
    post([output = m_output, device, audio, pcm = std::move(sound.pcm), length = m_lengthUs] {
        output->load(device, audio, pcm, length);
    });
    m_open = true;
}

void TMediaPlayer::Play()
{
    if (!m_open)
        throw EToolkitError(QString::fromUtf8("Kein MCI-Gerät geöffnet"));
    // Always from the beginning; a failure to start ends the sound at once
    // and is not raised.
    m_output->sounding.store(++m_cue);
    post([output = m_output, cue = m_cue] { output->play(cue); });
}

void TMediaPlayer::Close() noexcept
{
    if (m_open)
        shut();
}

void TMediaPlayer::shut() noexcept
{
    m_open = false;
    m_lengthUs = 0;
    if (!m_output)
        return;
    m_output->sounding.store(0);
    post([output = m_output] { output->release(); });
}

bool TMediaPlayer::isSounding() const
{
    return m_open && m_output->sounding.load() != 0;
}
