// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The keyboard's way onto the field of tiles. The arrow keys, wherever the
// focus is on the game screen, bring the keyboard focus onto the field and
// then move a cursor over the shown tiles: Left and Right walk them in
// reading order, row by row, wrapping; Up and Down go to the nearest shown
// tile in the closest row above or below that has one. Space on the field
// presses the tile under the cursor through the tile's own mouse-down
// handler, so a key shot is a mouse shot in every respect.
//
// The mark around the tile is drawn only while the field has the focus,
// which only an arrow key gives it: a player who never touches the arrows
// sees every screen as before. It lies in the gap around the tile's cell, so
// it never covers a tile, whatever its size. For assistive technology the
// tile under the cursor is the focused element, each tile is named by its
// place, and its area is its whole cell, so that neither tells its size.
//
// After every event the cursor leaves a tile that is no longer shown for the
// shown tile nearest to it: where it lands depends on places only, never on
// colours.
#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>

#include <vector>

class TShape;

class TKartencursor : public QWidget {
    Q_OBJECT

public:
    // The tiles' cells are this many pixels wide and high.
    static constexpr int Zelle = 75;
    // The mark's width, from the cell outward.
    static constexpr int Rand = 3;

    // Lies over the whole of `feld`, the tiles' container; takes the arrow
    // keys of `bildschirm` (the game screen) and of its widgets that take
    // the focus; `karten` are the tiles' shapes by index.
    TKartencursor(QWidget* bildschirm, QWidget* feld, const std::vector<TShape*>& karten);

    // To be called after every event of the game screen: moves off a tile
    // that is no longer shown, names the tiles by their places.
    void Abgleichen();

    // The index of the tile under the cursor.
    int Karte() const { return m_karte; }
    // Whether the mark is drawn: the field has the keyboard focus.
    bool Markiert() const;
    // The cell of tile i in the field's coordinates.
    QRect ZelleVon(int i) const;
    // What the mark covers in the field's coordinates; empty while it is not
    // drawn.
    QRect Markenflaeche() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Richtung { Links, Rechts, Hoch, Runter };

    bool FeldHatFokus() const;
    void Pfeil(Richtung richtung);
    int Nachbar(Richtung richtung) const;
    int Naechste() const;
    bool Sichtbar(int i) const;
    void Schiessen();
    void Ankuendigen();
    void Neuzeichnen();
    // The outline at `abstand` pixels outside the cell, for QPainter::drawRect.
    static QRect Ring(const QRect& zelle, int abstand);

    QPointer<QWidget> m_feld;
    std::vector<QPointer<TShape>> m_karten;
    int m_karte = 0;
    // What the mark covered when it was last drawn.
    QRect m_gezeichnet;
};
