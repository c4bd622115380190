// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reads the game's state from a screenshot, the way a player sees it: which
// screen is on top, the target colour, the tiles, the clock and the boards.
// Positions are the layout's, relative to the game window's top-left corner.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>

#include <optional>

namespace layout {
inline constexpr QPoint startButton { 757, 512 }; // start screen "Start"
inline constexpr QPoint playButton { 757, 512 }; // setup screen "Játék"
inline constexpr QPoint quitButton { 757, 474 }; // setup screen "Vége"
inline constexpr QPoint instructionsButton { 757, 436 };
inline constexpr QPoint soundButton { 757, 398 };
inline constexpr QPoint name1Edit { 472, 456 };
inline constexpr QPoint name2Edit { 472, 492 };
inline constexpr QPoint skipButton { 655, 513 }; // game screen "Tovább"
inline constexpr QPoint backButton { 757, 513 }; // game screen "Vissza"
inline constexpr QPoint nextPlayerOk { 749, 512 };
inline constexpr QPoint winnerOk { 757, 512 };
inline constexpr QPoint targetCentre { 562, 401 };

inline constexpr QRgb titleBlue = 0xFF0080FF; // red 0, green 128, blue 255
inline constexpr QRgb buttonFace = 0xFFF0F0F0;
inline constexpr QRgb cardGrey = 0xFFC0C0C0;
inline constexpr QRgb winnerGrey = 0xFFD7D7D7;

// The widgets that take the keyboard focus, in each screen's focus order.
inline constexpr QRect name1Area { 408, 444, 129, 24 };
inline constexpr QRect name2Area { 408, 480, 129, 24 };
inline constexpr QRect difficultyArea { 575, 321, 128, 204 };
inline constexpr QRect quitArea { 720, 462, 75, 25 };
inline constexpr QRect playArea { 720, 500, 75, 25 };
inline constexpr QRect playersArea { 320, 316, 237, 90 };
inline constexpr QRect instructionsArea { 720, 424, 75, 25 };
inline constexpr QRect soundArea { 720, 386, 75, 25 };
inline constexpr QRect skipArea { 618, 501, 75, 24 };
inline constexpr QRect backArea { 720, 501, 74, 24 };
// The setup screen's lower half, which holds all its choices.
inline constexpr QRect setupChoices { 0, 300, 808, 253 };
// A point on the title picture, where the pointer rests while keys are typed.
inline constexpr QPoint restingPlace { 400, 150 };

// Top-left corner of tile i's 75 x 75 cell.
inline QPoint tileCell(int i)
{
    return { 18 + (i % 5) * 85, 70 + (i / 5) * 85 };
}
// A point inside tile i whatever its size (20 to 74) and kind: 14 pixels in
// from the cell's corner lies inside the circle of every size (from 11 to 17
// would), where 10 falls outside a circle of 69 or more.
inline QPoint insideTile(int i)
{
    return tileCell(i) + QPoint(14, 14);
}
// Centre of segment picture i of the clock.
inline QPoint segmentCentre(int i)
{
    return { 618 + 108 + (i / 3) * 35 + 12, 332 + 17 + (i % 3) * 35 + 12 };
}
// Centre of mark k on player p's board.
inline QPoint markCentre(int p, int k)
{
    return { 513 + 10 + (k % 8) * 30 + 12, 50 + 130 * p + 40 + (k / 8) * 30 + 12 };
}
// A point of player p's title strip right of any name.
inline QPoint titlePoint(int p)
{
    return { 775, 50 + 130 * p + 14 };
}
} // namespace layout

enum class Screen { Unknown, Start, Setup, Game, NextPlayer, Winner };
enum class TargetShape { Hidden, Circle, Ellipse, Rectangle, RoundRect, Square, Unknown };

class GameView {
public:
    GameView(const QImage& screenshot, QPoint windowOrigin);

    QRgb pixel(QPoint inWindow) const;
    Screen screen() const;
    std::optional<QRgb> target() const;
    TargetShape targetShape() const;
    // The fill of tile i, or nothing when its cell shows the field's background.
    std::optional<QRgb> tile(int i) const;
    int shownTiles() const;
    bool segmentShown(int i) const;
    bool titleHighlighted(int player) const;
    std::optional<QRgb> mark(int player, int k) const;
    // How many of player p's marks are filled in.
    int marks(int player) const;
    // The window region as an image, for comparing what two moments show.
    QImage region(const QRect& inWindow) const;

private:
    QImage m_shot;
    QPoint m_origin;
};
