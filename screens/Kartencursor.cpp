// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The keyboard cursor on the field: its moves, its shot and its mark.
#include "Kartencursor.h"

#include "Accessibility.h"
#include "Shape.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <set>

namespace {

// A key without Shift, Ctrl or Alt (the keypad's arrows count).
bool ohneUmschalter(const QKeyEvent* taste)
{
    return (taste->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// Position of `wert` among the sorted distinct values, counted from 1.
int Rang(const std::set<int>& werte, int wert)
{
    return static_cast<int>(std::distance(werte.begin(), werte.find(wert))) + 1;
}

} // namespace

TKartencursor::TKartencursor(QWidget* bildschirm, QWidget* feld, const std::vector<TShape*>& karten)
    : QWidget(feld)
    , m_feld(feld)
{
    m_karten.assign(karten.begin(), karten.end());
    // A drawing aid over the tiles: presses pass through to them, and it is
    // no element of its own for assistive technology.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleIgnored(this);
    setGeometry(feld->rect());
    show();

    // The arrow keys reach whichever widget has the focus; every one of the
    // screen's that can have it hands them here.
    feld->installEventFilter(this);
    bildschirm->installEventFilter(this);
    for (QWidget* w : bildschirm->findChildren<QWidget*>())
        if (w->focusPolicy() != Qt::NoFocus)
            w->installEventFilter(this);
    Abgleichen();
}

bool TKartencursor::FeldHatFokus() const
{
    // The window's focus, also while the window itself is not the active
    // one (on a desktop without a window manager keys follow the pointer).
    return m_feld && m_feld->window()->focusWidget() == m_feld;
}

bool TKartencursor::Markiert() const
{
    return FeldHatFokus() && Sichtbar(m_karte);
}

bool TKartencursor::Sichtbar(int i) const
{
    if (i < 0 || i >= static_cast<int>(m_karten.size()))
        return false;
    const TShape* karte = m_karten[static_cast<std::size_t>(i)];
    return karte && !karte->isHidden();
}

QRect TKartencursor::ZelleVon(int i) const
{
    const TShape* karte = m_karten[static_cast<std::size_t>(i)];
    return karte ? QRect(karte->pos(), QSize(Zelle, Zelle)) : QRect();
}

QRect TKartencursor::Ring(const QRect& zelle, int abstand)
{
    // drawRect with a one-pixel pen covers one pixel more to the right and
    // below than the rectangle.
    return zelle.adjusted(-abstand, -abstand, abstand - 1, abstand - 1);
}

QRect TKartencursor::Markenflaeche() const
{
    return Markiert() ? ZelleVon(m_karte).adjusted(-Rand, -Rand, Rand, Rand) : QRect();
}

void TKartencursor::Neuzeichnen()
{
    // Only where the mark was and where it goes: the tiles beneath repaint
    // themselves when they change.
    const QRect soll = Markenflaeche();
    if (soll == m_gezeichnet)
        return;
    update(m_gezeichnet);
    update(soll);
    m_gezeichnet = soll;
}

void TKartencursor::Abgleichen()
{
    // Names by place: rows and columns are the distinct tops and lefts of
    // the cells, which the layout of the field fixes for a whole game.
    std::set<int> zeilen;
    std::set<int> spalten;
    for (const auto& karte : m_karten) {
        if (!karte)
            continue;
        zeilen.insert(karte->y());
        spalten.insert(karte->x());
    }
    for (std::size_t i = 0; i < m_karten.size(); ++i) {
        TShape* karte = m_karten[i];
        if (!karte)
            continue;
        const QString name = QString::fromUtf8("Kártya, %1. sor, %2. oszlop")
                                 .arg(Rang(zeilen, karte->y()))
                                 .arg(Rang(spalten, karte->x()));
        if (karte->accessibleName() != name)
            karte->setAccessibleName(name);
        setAccessibleArea(karte, ZelleVon(static_cast<int>(i)));
    }

    if (!Sichtbar(m_karte)) {
        const int naechste = Naechste();
        if (naechste >= 0) {
            m_karte = naechste;
            Ankuendigen();
        }
    }
    Neuzeichnen();
}

int TKartencursor::Naechste() const
{
    // The shown tile whose cell lies nearest to the cursor's; the lower index
    // among equals.
    if (m_karten.empty())
        return -1;
    const QPoint hier = ZelleVon(std::clamp(m_karte, 0, static_cast<int>(m_karten.size()) - 1)).topLeft();
    int beste = -1;
    long long besterAbstand = std::numeric_limits<long long>::max();
    for (int i = 0; i < static_cast<int>(m_karten.size()); ++i) {
        if (!Sichtbar(i))
            continue;
        const QPoint d = ZelleVon(i).topLeft() - hier;
        const long long abstand = static_cast<long long>(d.x()) * d.x() + static_cast<long long>(d.y()) * d.y();
        if (abstand < besterAbstand) {
            besterAbstand = abstand;
            beste = i;
        }
    }
    return beste;
}

int TKartencursor::Nachbar(Richtung richtung) const
{
    if (!Sichtbar(m_karte))
        return Naechste();
    const QPoint hier = ZelleVon(m_karte).topLeft();
    std::vector<int> gezeigt;
    for (int i = 0; i < static_cast<int>(m_karten.size()); ++i)
        if (Sichtbar(i))
            gezeigt.push_back(i);

    if (richtung == Richtung::Links || richtung == Richtung::Rechts) {
        // Reading order: by row, then by column.
        std::sort(gezeigt.begin(), gezeigt.end(), [this](int a, int b) {
            const QPoint pa = ZelleVon(a).topLeft();
            const QPoint pb = ZelleVon(b).topLeft();
            return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
        });
        const auto stelle = std::find(gezeigt.begin(), gezeigt.end(), m_karte) - gezeigt.begin();
        const auto anzahl = static_cast<std::ptrdiff_t>(gezeigt.size());
        const auto ziel = (stelle + (richtung == Richtung::Rechts ? 1 : anzahl - 1)) % anzahl;
        return gezeigt[static_cast<std::size_t>(ziel)];
    }

    // The closest row above (or below) that has a shown tile, and in it the
    // tile nearest to the cursor's column; the left one of two as near.
    const bool hoch = richtung == Richtung::Hoch;
    int zeile = -1;
    for (int i : gezeigt) {
        const int y = ZelleVon(i).y();
        if (hoch ? y < hier.y() && (zeile < 0 || y > zeile) : y > hier.y() && (zeile < 0 || y < zeile))
            zeile = y;
    }
    if (zeile < 0)
        return m_karte;
    int beste = m_karte;
    int besterAbstand = std::numeric_limits<int>::max();
    for (int i : gezeigt) {
        const QRect zelle = ZelleVon(i);
        if (zelle.y() != zeile)
            continue;
        const int abstand = std::abs(zelle.x() - hier.x());
        if (abstand < besterAbstand || (abstand == besterAbstand && zelle.x() < ZelleVon(beste).x())) {
            besterAbstand = abstand;
            beste = i;
        }
    }
    return beste;
}

void TKartencursor::Pfeil(Richtung richtung)
{
    if (!m_feld)
        return;
    if (!FeldHatFokus()) {
        // The first arrow key (of a game, or since the focus went to a
        // button) shows the cursor where it is.
        if (!Sichtbar(m_karte))
            Abgleichen();
        m_feld->setFocus(Qt::OtherFocusReason);
        return;
    }
    const int ziel = Nachbar(richtung);
    if (ziel < 0 || ziel == m_karte)
        return;
    m_karte = ziel;
    Ankuendigen();
    Neuzeichnen();
}

void TKartencursor::Schiessen()
{
    if (!Sichtbar(m_karte))
        return;
    // The tile's own mouse-down handler, as a press of a mouse button on it
    // runs it.
    m_karten[static_cast<std::size_t>(m_karte)]->press();
}

void TKartencursor::Ankuendigen()
{
    if (m_feld && m_karte >= 0 && m_karte < static_cast<int>(m_karten.size()))
        setAccessibleCurrentItem(m_feld, m_karten[static_cast<std::size_t>(m_karte)]);
}

bool TKartencursor::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* taste = static_cast<QKeyEvent*>(event);
        if (!ohneUmschalter(taste))
            break;
        switch (taste->key()) {
        case Qt::Key_Left: Pfeil(Richtung::Links); return true;
        case Qt::Key_Right: Pfeil(Richtung::Rechts); return true;
        case Qt::Key_Up: Pfeil(Richtung::Hoch); return true;
        case Qt::Key_Down: Pfeil(Richtung::Runter); return true;
        case Qt::Key_Space:
            if (watched != m_feld)
                break;
            // Held down, the key shoots once.
            if (!taste->isAutoRepeat())
                Schiessen();
            return true;
        default: break;
        }
        break;
    }
    case QEvent::FocusIn:
        if (watched == m_feld) {
            Ankuendigen();
            Neuzeichnen();
        }
        break;
    case QEvent::FocusOut:
        if (watched == m_feld)
            Neuzeichnen();
        break;
    case QEvent::Resize:
        if (watched == m_feld)
            setGeometry(m_feld->rect());
        break;
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

void TKartencursor::paintEvent(QPaintEvent*)
{
    if (!Markiert())
        return;
    // White, then black twice, outward from the cell, in the gap between the
    // cells: seen on any colour, and never on a tile, which fills at most
    // the cell's top-left 74 x 74 pixels.
    QPainter painter(this);
    const QColor farben[] = { Qt::white, Qt::black, Qt::black };
    for (int abstand = 1; abstand <= Rand; ++abstand) {
        painter.setPen(farben[abstand - 1]);
        painter.drawRect(Ring(ZelleVon(m_karte), abstand));
    }
}
