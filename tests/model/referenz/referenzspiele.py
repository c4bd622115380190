#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Tintarium developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reference games: the expected visible state of a few games, worked out
from the game's rules alone (the random source, the colour draw, the deal,
the showing of tiles and the level schedule), without the game's own code.

One run of the program with a fixed seed plays five games in turn, one at
each difficulty, as a player who goes back to the setup screen between
games would: the random source is seeded once and every game continues its
sequence, and the distractor list of one game is still there when the next
game draws its first colours.

    referenzspiele.py            writes the expected states to standard output
    referenzspiele.py --pruefen DATEI
                                 exits 1 unless DATEI holds exactly that

The C++ test (referenzspiele_test.cpp) replays the events of the file on the
game model and compares its state after every event with the file.
"""
import sys

SEED = 4711
KARTEN = 20
SICHTBAR = [5, 6, 7, 8, 9]           # tiles shown per turn, by difficulty
VORLAGE_BLEIBT = [True, True, False, False, False]
STUFENPLAN = [60, 50, 40, 30, 20, 10]
SEGMENTE = 6
# Target display shape by level index: circle, ellipse, rectangle, rounded
# rectangle, square, as shape kind numbers (rectangle 0, square 1, rounded
# rectangle 2, rounded square 3, ellipse 4, circle 5).
ZIELFORMEN = [5, 4, 0, 2, 1]
ROUND_RECT = 2


class Zufall:
    """The 64-bit generator: seeded through a 32-bit step, drawn from bits
    32 to 62 of the state."""

    def __init__(self, seed):
        self.state = (seed * 22695477 + 1) % 2**32

    def wert(self):
        self.state = (self.state * 0x15A00004E35 + 1) % 2**64
        return (self.state >> 32) & 0x7FFFFFFF

    def __call__(self, n):
        return 0 if n <= 0 else self.wert() % n


class Karte:
    def __init__(self):
        self.farbe = None
        self.groesse = 50
        self.art = ROUND_RECT
        self.sichtbar = False


class Lauf:
    """One run: the random source, the distractor list and the tiles live
    as long as the program; the rest belongs to one game."""

    def __init__(self, seed):
        self.z = Zufall(seed)
        self.liste = [None] * KARTEN     # no drawable colour before the first draw
        self.karten = [Karte() for _ in range(KARTEN)]
        self.ziel = None
        self.form = ZIELFORMEN[0]
        self.ziel_sichtbar = False
        self.segment = 0
        self.treffer = 0

    # -- colours -----------------------------------------------------------
    def farben_ziehen(self):
        m = STUFENPLAN[min(self.stufe, len(STUFENPLAN) - 1)]
        kanaele = [self.z(255 - 2 * m) + m for _ in range(3)]   # red, green, blue
        self.ziel = kanaele[0] | kanaele[1] << 8 | kanaele[2] << 16
        self.ziel_sichtbar = True
        for i in range(KARTEN):
            while True:
                r, g, b = [(c - m + self.z(2 * m)) % 256 for c in kanaele]
                kandidat = r | g << 8 | b << 16
                if kandidat != self.ziel and kandidat not in self.liste:
                    break
            self.liste[i] = kandidat

    def farben_verteilen(self):
        frei = [1] * KARTEN
        for karte in self.karten:
            a = self.z(KARTEN)
            while frei[a] == 0:
                a = self.z(KARTEN)
            frei[a] -= 1
            karte.farbe = self.liste[a]

    def karten_zeigen(self):
        for karte in self.karten:
            karte.sichtbar = False
        gesetzt = False
        for _ in range(self.anzahl):
            a = self.z(KARTEN)
            while self.karten[a].sichtbar:
                a = self.z(KARTEN)
            if not gesetzt and self.z(2) == 0:
                gesetzt = True
                self.karten[a].farbe = self.ziel
            self.karten[a].sichtbar = True
        for karte in self.karten:
            v = self.z(75)
            while v < 20:
                v = self.z(75)
            karte.groesse = v
            karte.art = self.z(5)

    # -- clock -------------------------------------------------------------
    def uhr_start(self):
        self.segment = 0
        if self.zielform < len(ZIELFORMEN):
            self.form = ZIELFORMEN[self.zielform]
        self.ziel_sichtbar = True

    def neue_runde(self):
        self.farben_verteilen()
        self.karten_zeigen()
        self.uhr_start()

    # -- events ------------------------------------------------------------
    def neu(self, schwierigkeit):
        self.anzahl = SICHTBAR[schwierigkeit]
        self.vorlage_bleibt = VORLAGE_BLEIBT[schwierigkeit]
        self.stufe = 0                  # a new game starts the level schedule again
        self.zielform = 0
        self.treffer = 0
        for karte in self.karten:
            karte.groesse = 75
            karte.art = ROUND_RECT
            karte.sichtbar = False
        self.farben_ziehen()
        self.farben_verteilen()
        self.karten_zeigen()
        self.uhr_start()

    def schuss(self, i):
        if self.karten[i].farbe == self.ziel:
            self.treffer += 1
            if self.treffer % 5 == 0:
                self.stufe += 1
                self.zielform = self.stufe
            self.farben_ziehen()
            self.farben_verteilen()
        self.karten_zeigen()
        self.uhr_start()

    def segment_ablaufen(self):
        self.segment += 1
        if not self.vorlage_bleibt:     # hidden once the first segment is gone
            self.ziel_sichtbar = False
        if self.segment == SEGMENTE:
            self.neue_runde()

    def ende(self):
        self.treffer = 0

    # -- what the player sees ----------------------------------------------
    def erste_gezeigte(self, mit_zielfarbe):
        for i, karte in enumerate(self.karten):
            if karte.sichtbar and (karte.farbe == self.ziel) == mit_zielfarbe:
                return i
        return -1

    def zustand(self):
        gezeigt = [str(i) for i, k in enumerate(self.karten) if k.sichtbar]
        return [
            "ziel %06x %d %d" % (self.ziel, self.form, int(self.ziel_sichtbar)),
            "uhr %d treffer %d" % (SEGMENTE - self.segment, self.treffer),
            "gezeigt " + " ".join(gezeigt),
            "karten " + " ".join("%06x/%d/%d" % (k.farbe, k.groesse, k.art) for k in self.karten),
        ]


def referenzspiele():
    z = Zufall(12345)
    assert [z.wert() for _ in range(3)] == [1220244142, 1374406965, 308141128]

    lauf = Lauf(SEED)
    zeilen = ["# Written by referenzspiele.py; do not edit by hand.", "lauf %d" % SEED]

    def schritt(ereignis, karte=-1):
        zeilen.append("schritt %s %d" % (ereignis, karte))
        zeilen.extend(lauf.zustand())

    for schwierigkeit in range(5):
        zeilen.append("spiel %d" % schwierigkeit)
        lauf.neu(schwierigkeit)
        schritt("neu")
        fehl = lauf.erste_gezeigte(False)
        lauf.schuss(fehl)
        schritt("fehl", fehl)
        lauf.segment_ablaufen()
        schritt("segment")
        while lauf.segment != 0:
            lauf.segment_ablaufen()
        schritt("uhr")
        lauf.neue_runde()
        schritt("weiter")
        # Hits (skipping turns that show no target) up to the level advance
        # at five, and one hit drawn at the new level.
        while lauf.treffer < 6:
            treffer = lauf.erste_gezeigte(True)
            if treffer < 0:
                lauf.neue_runde()
                schritt("weiter")
            else:
                lauf.schuss(treffer)
                schritt("treffer", treffer)
        lauf.ende()
        schritt("ende")
    return "\n".join(zeilen) + "\n"


def main():
    text = referenzspiele()
    if len(sys.argv) == 3 and sys.argv[1] == "--pruefen":
        with open(sys.argv[2], encoding="ascii") as datei:
            if datei.read() != text:
                print("%s differs from what the rules give" % sys.argv[2], file=sys.stderr)
                return 1
        return 0
    if len(sys.argv) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    sys.stdout.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
