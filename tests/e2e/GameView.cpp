// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Sample points are chosen away from texts and outlines, so each reads one
// fill colour of the layout.
#include "GameView.h"

#include <QRect>

GameView::GameView(const QImage& screenshot, QPoint windowOrigin)
    : m_shot(screenshot)
    , m_origin(windowOrigin)
{
}

QRgb GameView::pixel(QPoint p) const
{
    const QPoint at = p + m_origin;
    if (!m_shot.rect().contains(at))
        return 0;
    return m_shot.pixel(at) | 0xFF000000;
}

Screen GameView::screen() const
{
    using namespace layout;
    if (pixel({ 400, 318 }) == titleBlue && pixel({ 690, 318 }) == titleBlue)
        return Screen::Setup;
    if (pixel({ 600, 328 }) == titleBlue && pixel({ 785, 328 }) == titleBlue)
        return Screen::Game;
    if (pixel({ 165, 400 }) == winnerGrey)
        return Screen::Winner;
    if (pixel({ 5, 400 }) == cardGrey)
        return Screen::NextPlayer;
    if (pixel({ 5, 400 }) == buttonFace && pixel({ 805, 400 }) != buttonFace)
        return Screen::Start;
    return Screen::Unknown;
}

std::optional<QRgb> GameView::target() const
{
    if (targetShape() == TargetShape::Hidden)
        return std::nullopt;
    return pixel(layout::targetCentre);
}

TargetShape GameView::targetShape() const
{
    // The display is 88 x 116 at 518, 343 and shows the box's own grey when
    // hidden. Circle and square (88 x 88, centred) leave the top band empty;
    // the circle also the corners of that square. Of the full-size kinds the
    // rectangle fills its outermost corner, the rounded rectangle only points
    // a little further in, the ellipse neither.
    const QPoint topLeft { 518, 343 };
    const QRgb centre = pixel(layout::targetCentre);
    if (centre == layout::buttonFace)
        return TargetShape::Hidden;
    const auto filled = [&](int x, int y) { return pixel(topLeft + QPoint(x, y)) == centre; };
    if (!filled(44, 5))
        return filled(3, 17) ? TargetShape::Square : TargetShape::Circle;
    if (filled(1, 1))
        return TargetShape::Rectangle;
    if (filled(6, 6))
        return TargetShape::RoundRect;
    return TargetShape::Ellipse;
}

int GameView::marks(int player) const
{
    int count = 0;
    while (count < 16 && mark(player, count))
        ++count;
    return count;
}

std::optional<QRgb> GameView::tile(int i) const
{
    // (78, 78) lies in the gap between cells, which shows the field itself.
    const QRgb fill = pixel(layout::insideTile(i));
    if (fill == pixel(layout::tileCell(i) + QPoint(78, 78)))
        return std::nullopt;
    return fill;
}

int GameView::shownTiles() const
{
    int shown = 0;
    for (int i = 0; i < 20; ++i)
        shown += tile(i).has_value();
    return shown;
}

bool GameView::segmentShown(int i) const
{
    return pixel(layout::segmentCentre(i)) != layout::buttonFace;
}

bool GameView::titleHighlighted(int player) const
{
    return pixel(layout::titlePoint(player)) == layout::titleBlue;
}

std::optional<QRgb> GameView::mark(int player, int k) const
{
    const QRgb fill = pixel(layout::markCentre(player, k));
    if (fill == layout::buttonFace)
        return std::nullopt;
    return fill;
}

QImage GameView::region(const QRect& r) const
{
    return m_shot.copy(r.translated(m_origin));
}
