// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Synthesis of the sound cues. Every note starts with a short raised-cosine
// attack and ends with a raised-cosine release, so no note starts or stops
// with a jump (a click); the sum is scaled to a fixed peak below full scale.
#include "Klaenge.h"

#include "RiffWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace Klaenge {
namespace {

struct Note {
    double frequenz; // Hz
    double beginn; // s
    double dauer; // s, including the release
    double lautstaerke;
    double abklingzeit; // s, time constant of the exponential decay
    std::vector<double> obertoene; // amplitude of partial 1, 2, ...
    double anstieg = 0.006; // s
    double ausklang = 0.04; // s
};

double rampe(double t, double laenge)
{
    if (t >= laenge)
        return 1.0;
    return 0.5 - 0.5 * std::cos(std::numbers::pi * t / laenge);
}

void spiele(Signal& s, const Note& n)
{
    const int anfang = static_cast<int>(std::lround(n.beginn * Abtastrate));
    const int laenge = static_cast<int>(std::lround(n.dauer * Abtastrate));
    if (static_cast<int>(s.size()) < anfang + laenge)
        s.resize(anfang + laenge, 0.0);
    for (int i = 0; i < laenge; ++i) {
        const double t = static_cast<double>(i) / Abtastrate;
        const double huelle
            = rampe(t, n.anstieg) * rampe(n.dauer - t, n.ausklang) * std::exp(-t / n.abklingzeit) * n.lautstaerke;
        double wert = 0;
        int k = 1;
        for (double a : n.obertoene) {
            // Higher partials fade faster, as in a struck or plucked body.
            wert += a * std::exp(-t * (k - 1) * 3.0) * std::sin(2 * std::numbers::pi * n.frequenz * k * t);
            ++k;
        }
        s[anfang + i] += huelle * wert;
    }
}

Signal normalisiert(Signal s)
{
    double groesste = 0;
    for (double v : s)
        groesste = std::max(groesste, std::abs(v));
    if (groesste > 0)
        for (double& v : s)
            v *= Spitze / groesste;
    return s;
}

} // namespace

Signal Richtig()
{
    Signal s;
    const std::vector<double> glocke { 1.0, 0.0, 0.28, 0.0, 0.1, 0.05 };
    spiele(s, { 880.0, 0.0, 0.22, 0.8, 0.12, glocke, 0.004, 0.05 });
    spiele(s, { 1318.5, 0.11, 0.39, 1.0, 0.16, glocke, 0.004, 0.08 });
    return normalisiert(s);
}

Signal Falsch()
{
    Signal s;
    // Odd partials give the hollow, buzzy timbre of a square wave.
    const std::vector<double> summer { 1.0, 0.0, 0.42, 0.0, 0.24, 0.0, 0.14, 0.0, 0.08 };
    spiele(s, { 220.0, 0.0, 0.22, 1.0, 0.4, summer, 0.01, 0.05 });
    spiele(s, { 164.8, 0.2, 0.35, 1.0, 0.35, summer, 0.01, 0.1 });
    return normalisiert(s);
}

Signal Gewonnen()
{
    Signal s;
    const std::vector<double> blech { 1.0, 0.55, 0.35, 0.22, 0.12, 0.06 };
    const double c5 = 523.25, e5 = 659.26, g5 = 783.99, c6 = 1046.5;
    spiele(s, { c5, 0.00, 0.22, 0.8, 0.5, blech, 0.012, 0.05 });
    spiele(s, { e5, 0.13, 0.22, 0.8, 0.5, blech, 0.012, 0.05 });
    spiele(s, { g5, 0.26, 0.22, 0.8, 0.5, blech, 0.012, 0.05 });
    // The closing chord: top note with the triad below it, held and let ring.
    spiele(s, { c6, 0.40, 1.2, 1.0, 0.7, blech, 0.015, 0.35 });
    spiele(s, { g5, 0.40, 1.2, 0.45, 0.7, blech, 0.015, 0.35 });
    spiele(s, { e5, 0.40, 1.2, 0.4, 0.7, blech, 0.015, 0.35 });
    spiele(s, { c5, 0.40, 1.2, 0.4, 0.7, blech, 0.015, 0.35 });
    return normalisiert(s);
}

QByteArray wav(const Signal& signal)
{
    std::vector<std::int16_t> proben;
    proben.reserve(signal.size());
    for (double v : signal)
        proben.push_back(static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767.0)));
    return RiffWriter::pcmWave(Abtastrate, 1, proben);
}

} // namespace Klaenge
