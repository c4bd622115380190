// The sound switch: detection of wave and MIDI outputs at start-up, and the
// toggle behind the setup screen's `Ton` button.
#include "Hardware1.h"

#include "Button.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QString>

#include <alsa/asoundlib.h>

THardware* Hardware = nullptr;

namespace {

// ALSA reports a missing sequencer on stderr; the count of 0 says it all.
void alsaLeiser(const char*, int, const char*, int, const char*, ...) { }

int midiAusgaenge()
{
    snd_lib_error_set_handler(alsaLeiser);
    snd_seq_t* seq = nullptr;
    if (snd_seq_open(&seq, "default", SND_SEQ_OPEN_OUTPUT, SND_SEQ_NONBLOCK) < 0)
        return 0;
    snd_seq_client_info_t* client = nullptr;
    snd_seq_port_info_t* port = nullptr;
    snd_seq_client_info_malloc(&client);
    snd_seq_port_info_malloc(&port);
    constexpr unsigned schreibbar = SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;
    int anzahl = 0;
    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(seq, client) >= 0) {
        const int nummer = snd_seq_client_info_get_client(client);
        if (nummer == SND_SEQ_CLIENT_SYSTEM) // timer and announcements, no instrument
            continue;
        snd_seq_port_info_set_client(port, nummer);
        snd_seq_port_info_set_port(port, -1);
        while (snd_seq_query_next_port(seq, port) >= 0) {
            const unsigned caps = snd_seq_port_info_get_capability(port);
            if ((caps & schreibbar) == schreibbar && !(caps & SND_SEQ_PORT_CAP_NO_EXPORT))
                ++anzahl;
        }
    }
    snd_seq_port_info_free(port);
    snd_seq_client_info_free(client);
    snd_seq_close(seq);
    return anzahl;
}

} // namespace

Ausgabezaehler Ausgabezaehler::System()
{
    return { [] { return static_cast<int>(QMediaDevices::audioOutputs().size()); }, midiAusgaenge };
}

THardware::THardware(TButton* ton, const Ausgabezaehler& zaehler)
    : m_ton(ton)
{
    Tonschalter = true;
    zeigen();
    // Both counts are always asked, wave first.
    const int wellen = zaehler.wellenausgaenge ? zaehler.wellenausgaenge() : 0;
    const int midi = zaehler.midiausgaenge ? zaehler.midiausgaenge() : 0;
    if (wellen == 0 && midi == 0) {
        Tonschalter = false;
        zeigen();
        if (m_ton)
            m_ton->setEnabled(false);
    }
}

void THardware::Umschalten()
{
    Tonschalter = !Tonschalter;
    zeigen();
}

void THardware::zeigen()
{
    if (m_ton)
        m_ton->setCaption(Tonschalter ? QStringLiteral("Ton aus") : QStringLiteral("Ton ein"));
}
