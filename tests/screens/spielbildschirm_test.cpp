// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game screen: its layout as painted, presses on tiles and on the hidden
// reveal area, the clock's segments, skip and back, and its creation.
#include "Spielfixture.h"

#include "Button.h"
#include "Colors.h"
#include "DesktopWindow.h"
#include "Farbenschiessen1.h"
#include "GroupBox.h"
#include "Image.h"
#include "Kartencursor.h"
#include "Label.h"
#include "Naechsterspieler1.h"
#include "Programmstart.h"
#include "Spielertafel.h"
#include "StaticText.h"
#include "Tintariumstart1.h"
#include "ToolkitError.h"

#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include <vector>

namespace {

const QColor Titelblau(0, 128, 255);
const QColor Knopfgrau(240, 240, 240);

QAccessibleInterface* zugang(QObject* widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

} // namespace

class Spielbildschirm : public Spielfixture {
protected:
    // Shows exactly these tiles, as a deal would, and brings the widgets to it.
    void zeigen(std::initializer_list<int> karten)
    {
        for (TKarten& karte : spiel().Kartenfeld)
            karte.Form.Visible = false;
        for (int i : karten)
            spiel().Kartenfeld[static_cast<std::size_t>(i)].Form.Visible = true;
        bild().Abgleichen();
    }
};

TEST_F(Spielbildschirm, ZeigtFeldTafelnZielUndUhrbilder)
{
    spielStarten(2, 0);
    ereignisseVerarbeiten();
    QImage b = aufnahme();

    // Boards: frames at 513/50 and 513/180; the current player's title strip blue.
    EXPECT_EQ(bild().Tafeln.size(), 2u);
    EXPECT_EQ(bild().Tafeln[0]->Rahmen->geometry(), QRect(513, 50, 272, 120));
    EXPECT_EQ(bild().Tafeln[1]->Rahmen->geometry(), QRect(513, 180, 272, 120));
    EXPECT_EQ(pixel(b, 513 + 2 + 262, 50 + 7 + 9), Titelblau);
    EXPECT_EQ(pixel(b, 513 + 2 + 262, 180 + 7 + 9), Knopfgrau);
    EXPECT_EQ(bild().Tafeln[0]->Titel->caption(), QString::fromUtf8("1.játékos"));
    EXPECT_EQ(bild().Tafeln[1]->Titel->caption(), QString::fromUtf8("2.játékos"));
    // No mark yet: the frame's inside shows where mark 0 will be.
    EXPECT_EQ(pixel(b, 513 + 10 + 12, 50 + 40 + 12), Knopfgrau);

    // The target display: a circle in the target colour at game start.
    EXPECT_EQ(bild().TonvorlageAnzeige->shape(), stCircle);
    const QColor ziel = qFarbe(spiel().Zielfarbe);
    EXPECT_EQ(pixel(b, 518 + 44, 343 + 58), ziel);
    EXPECT_NE(pixel(b, 518 + 2, 343 + 2), ziel);

    // The six segment pictures, their magenta third transparent.
    for (int i = 0; i < 6; ++i) {
        const int x = 618 + 108 + 35 * (i / 3);
        const int y = 332 + 17 + 35 * (i % 3);
        EXPECT_EQ(pixel(b, x + 20, y + 10), Testordner::segmentFarbe()) << i;
        EXPECT_EQ(pixel(b, x + 3, y + 10), Knopfgrau) << i;
    }

    // Tiles 0 and 19 in their cells (field at 8/50; cells at 10/20 and
    // 350/275 in it), over as many turns as it takes to see each shown.
    bool gesehen[2] = { false, false };
    for (int runde = 0; runde < 300 && !(gesehen[0] && gesehen[1]); ++runde) {
        b = aufnahme();
        const int indizes[2] = { 0, 19 };
        const QPoint zellen[2] = { { 8 + 10, 50 + 20 }, { 8 + 350, 50 + 275 } };
        for (int k = 0; k < 2; ++k) {
            const TKarten& karte = spiel().Kartenfeld[static_cast<std::size_t>(indizes[k])];
            const int v = karte.Form.Width;
            const QPoint mitte = zellen[k] + QPoint(v / 2, v / 2);
            if (karte.Form.Visible) {
                gesehen[k] = true;
                ASSERT_EQ(pixel(b, mitte.x(), mitte.y()), qFarbe(karte.Farbe)) << "tile " << indizes[k];
                // Right of the tile, inside its cell, the field shows.
                ASSERT_EQ(pixel(b, zellen[k].x() + v + 3, mitte.y()), Knopfgrau) << "tile " << indizes[k];
            } else {
                ASSERT_EQ(pixel(b, mitte.x(), mitte.y()), Knopfgrau) << "tile " << indizes[k];
            }
        }
        bild().NeueFarbeClick();
    }
    EXPECT_TRUE(gesehen[0] && gesehen[1]);
}

TEST_F(Spielbildschirm, TrefferFuellenMarkenInDenGetroffenenFarben)
{
    spielStarten(1, 0);
    std::vector<QColor> farben;
    for (int n = 0; n < 3; ++n) {
        const int i = karteBesorgen(true);
        farben.push_back(qFarbe(spiel().Zielfarbe));
        karteDruecken(i);
    }
    ASSERT_EQ(spiel().Spielerliste[0]->AnzahlTreffer, 3);
    ereignisseVerarbeiten();
    const QImage b = aufnahme();
    for (int n = 0; n < 3; ++n)
        EXPECT_EQ(pixel(b, 513 + 10 + 30 * n + 12, 50 + 40 + 12), farben[static_cast<std::size_t>(n)]) << n;
    EXPECT_EQ(pixel(b, 513 + 10 + 30 * 3 + 12, 50 + 40 + 12), Knopfgrau);
}

TEST_F(Spielbildschirm, NurDerDruckAufEineGezeigteKarteIstEinSchuss)
{
    spielStarten(1, 0);
    auto zustand = [this] { return spiel().Quelle.Zustand; };

    // A hidden tile: nothing happens.
    int verborgen = -1;
    for (std::size_t i = 0; i < spiel().Kartenfeld.size(); ++i)
        if (!spiel().Kartenfeld[i].Form.Visible)
            verborgen = static_cast<int>(i);
    ASSERT_GE(verborgen, 0);
    auto vorher = zustand();
    const QRect zelle(bild().Karten[static_cast<std::size_t>(verborgen)]->Form->geometry());
    mausKlick(bild().Feld, zelle.center());
    EXPECT_EQ(zustand(), vorher);

    // Any button on a shown tile is a shot (the field is dealt anew).
    for (Qt::MouseButton taste : { Qt::LeftButton, Qt::RightButton, Qt::MiddleButton }) {
        const int i = karteBesorgen(false);
        vorher = zustand();
        karteDruecken(i, taste);
        EXPECT_NE(zustand(), vorher) << taste;
    }

    // With the reveal labels on, a press on a label lying over a shown tile
    // reaches the label, not the tile.
    bild().BossKey();
    ASSERT_TRUE(spiel().Verraten);
    int gross = -1;
    for (int versuch = 0; versuch < 200 && gross < 0; ++versuch) {
        for (std::size_t i = 0; i < spiel().Kartenfeld.size(); ++i)
            if (spiel().Kartenfeld[i].Form.Visible && spiel().Kartenfeld[i].Form.Width > 45)
                gross = static_cast<int>(i);
        if (gross < 0)
            bild().NeueFarbeClick();
    }
    ASSERT_GE(gross, 0);
    TLabel* hinweis = bild().Karten[static_cast<std::size_t>(gross)]->Hinweis;
    ASSERT_FALSE(hinweis->isHidden());
    const QPoint aufHinweis = hinweis->geometry().topLeft() + QPoint(2, 2);
    ASSERT_TRUE(bild().Karten[static_cast<std::size_t>(gross)]->Form->geometry().contains(aufHinweis));
    vorher = zustand();
    mausKlick(bild().Feld, aufHinweis);
    EXPECT_EQ(zustand(), vorher);
}

TEST_F(Spielbildschirm, BossReagiertNurInSeinerFlaeche)
{
    spielStarten(1, 0);
    ASSERT_FALSE(spiel().Verraten);
    for (QPoint aussen : { QPoint(31, 578), QPoint(65, 578), QPoint(48, 569), QPoint(48, 587) }) {
        mausKlick(ColorSchiessen, aussen);
        EXPECT_FALSE(spiel().Verraten) << aussen.x() << "," << aussen.y();
    }
    mausKlick(ColorSchiessen, QPoint(32, 570));
    EXPECT_TRUE(spiel().Verraten);
    // The labels of exactly the shown tiles appear, reading whether each has
    // the target colour.
    for (std::size_t i = 0; i < bild().Karten.size(); ++i) {
        const TKarten& karte = spiel().Kartenfeld[i];
        EXPECT_EQ(!bild().Karten[i]->Hinweis->isHidden(), karte.Form.Visible) << i;
        if (karte.Form.Visible) {
            EXPECT_EQ(bild().Karten[i]->Hinweis->caption(),
                karte.Farbe == spiel().Zielfarbe ? QStringLiteral("true") : QStringLiteral("false"));
        }
    }
    mausKlick(ColorSchiessen, QPoint(64, 586));
    EXPECT_FALSE(spiel().Verraten);
    for (const auto& karte : bild().Karten)
        EXPECT_TRUE(karte->Hinweis->isHidden());
}

TEST_F(Spielbildschirm, UhrLaeuftDurchSechsSegmente)
{
    spielStarten(1, 3); // "Nehéz": the target does not stay
    for (TImage* b : bild().UhrBilder)
        ASSERT_FALSE(b->isHidden());
    ASSERT_FALSE(bild().TonvorlageAnzeige->isHidden());
    for (int k = 1; k <= 5; ++k) {
        segmentAblaufen();
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(bild().UhrBilder[static_cast<std::size_t>(i)]->isHidden(), i < k) << k << " " << i;
        EXPECT_TRUE(bild().TonvorlageAnzeige->isHidden()) << k;
    }
    const QImage b = aufnahme();
    EXPECT_NE(pixel(b, 618 + 108 + 20, 332 + 17 + 10), Testordner::segmentFarbe());
    EXPECT_EQ(pixel(b, 618 + 143 + 20, 332 + 87 + 10), Testordner::segmentFarbe());

    // The sixth segment ends the turn: a new turn shows all again.
    segmentAblaufen();
    for (TImage* bildchen : bild().UhrBilder)
        EXPECT_FALSE(bildchen->isHidden());
    EXPECT_FALSE(bild().TonvorlageAnzeige->isHidden());
    EXPECT_EQ(spiel().Uhrsegment, 0);
}

TEST_F(Spielbildschirm, ZielBleibtBeiLeichterStufe)
{
    spielStarten(1, 1); // "Könnyű"
    segmentAblaufen();
    EXPECT_TRUE(bild().UhrBilder[0]->isHidden());
    EXPECT_FALSE(bild().TonvorlageAnzeige->isHidden());
}

TEST_F(Spielbildschirm, TovabbUndEnterUeberspringenDenZug)
{
    spielStarten(2, 2);
    segmentAblaufen();
    ASSERT_EQ(spiel().AktuellerSpieler, 1);
    mausKlick(bild().NeueFarbe, QPoint(10, 10));
    EXPECT_EQ(spiel().AktuellerSpieler, 2);
    EXPECT_EQ(spiel().Uhrsegment, 0);
    for (TImage* b : bild().UhrBilder)
        EXPECT_FALSE(b->isHidden());

    bild().setFocus();
    QTest::keyClick(&bild(), Qt::Key_Return);
    EXPECT_EQ(spiel().AktuellerSpieler, 1);

    // A keyboard player's cursor has the focus again once the next player
    // has said "Ok".
    NaechsterSpieler->OkClick();
    QTest::keyClick(bild().NeueFarbe, Qt::Key_Right);
    ASSERT_EQ(bild().window()->focusWidget(), bild().Feld);
    QTest::keyClick(bild().Feld, Qt::Key_Return);
    ASSERT_TRUE(NaechsterSpieler->Visible());
    NaechsterSpieler->OkClick();
    EXPECT_EQ(bild().window()->focusWidget(), bild().Feld);

    // With the focus on "Vissza", Enter leaves the game instead.
    bild().Ende->setFocus();
    QTest::keyClick(bild().Ende, Qt::Key_Return);
    EXPECT_FALSE(spiel().SpielLaeuft());
    EXPECT_FALSE(bild().Visible());
}

TEST_F(Spielbildschirm, VisszaEntferntTafelnUndLaesstDieKarten)
{
    spielStarten(2, 4);
    std::vector<bool> gezeigt;
    for (const auto& karte : bild().Karten)
        gezeigt.push_back(!karte->Form->isHidden());
    mausKlick(bild().Ende, QPoint(10, 10));

    EXPECT_FALSE(bild().Visible());
    EXPECT_TRUE(bild().Tafeln.empty());
    for (auto* box : bild().findChildren<TGroupBox*>(Qt::FindDirectChildrenOnly))
        ADD_FAILURE() << "board frame left at " << box->y();
    EXPECT_FALSE(bild().Uhr->isPlaying());
    for (std::size_t i = 0; i < gezeigt.size(); ++i)
        EXPECT_EQ(!bild().Karten[i]->Form->isHidden(), gezeigt[i]) << i;

    // The next game starts with new empty boards and a circle as target.
    spielStarten(1, 0);
    ASSERT_EQ(bild().Tafeln.size(), 1u);
    EXPECT_EQ(spiel().Spielerliste[0]->AnzahlTreffer, 0);
    EXPECT_EQ(bild().TonvorlageAnzeige->shape(), stCircle);
}

// Creation without the clock's files.
TEST(Spielbildschirmerzeugung, OhneUhrclipScheitertMitSeinerMeldung)
{
    Testordner::Inhalt inhalt;
    inhalt.uhrAvi = false;
    Testordner ordner(inhalt);
    try {
        Bildschirme bildschirme;
        ADD_FAILURE() << "creation succeeded";
    } catch (const EToolkitError& fehler) {
        EXPECT_EQ(fehler.text(), QString::fromUtf8("AVI kann nicht geöffnet werden"));
    }
    EXPECT_EQ(ColorSchiessen, nullptr);
    EXPECT_TRUE(TApplication::instance()->desktopWindow()->layers().empty());
}

TEST(Spielbildschirmerzeugung, OhneSegmentbildScheitertMitSeinerMeldung)
{
    Testordner::Inhalt inhalt;
    inhalt.uhrBmp = false;
    Testordner ordner(inhalt);
    try {
        Bildschirme bildschirme;
        ADD_FAILURE() << "creation succeeded";
    } catch (const EToolkitError& fehler) {
        EXPECT_EQ(fehler.text(), QString::fromUtf8("Datei TintariumUhr.bmp kann nicht geöffnet werden"));
    }
    EXPECT_EQ(ColorSchiessen, nullptr);
}

TEST_F(Spielbildschirm, PfeiltastenFuehrenDenCursorUndDieLeertasteSchiesst)
{
    spielStarten(1, 0);
    TKartencursor& cursor = *bild().Kartencursor;
    QWidget* feld = bild().Feld;
    QWidget* fenster = bild().window();

    // Before an arrow key the cursor draws nothing and "Tovább" has the focus.
    ereignisseVerarbeiten();
    const QImage mitCursor = aufnahme();
    cursor.hide();
    ereignisseVerarbeiten();
    EXPECT_EQ(aufnahme(), mitCursor);
    cursor.show();
    EXPECT_EQ(fenster->focusWidget(), bild().NeueFarbe);

    // Tiles 1 (first row), 7 and 8 (second row) and 19 (fourth row). The
    // first arrow key only brings the focus to the cursor, where it is.
    zeigen({ 1 });
    zeigen({ 1, 7, 8, 19 });
    ASSERT_EQ(cursor.Karte(), 1);
    QTest::keyClick(bild().NeueFarbe, Qt::Key_Right);
    EXPECT_EQ(fenster->focusWidget(), feld);
    EXPECT_EQ(cursor.Karte(), 1);
    // Up and down to the nearest tile of the closest row that has one;
    // left and right in reading order, wrapping.
    std::vector<int> wege;
    for (Qt::Key taste : { Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Left, Qt::Key_Right,
             Qt::Key_Right, Qt::Key_Right }) {
        QTest::keyClick(feld, taste);
        wege.push_back(cursor.Karte());
    }
    EXPECT_EQ(wege, (std::vector<int> { 7, 19, 8, 1, 1, 19, 1, 7, 8 }));

    // The mark: white, black, black outward from tile 8's cell, in the gap
    // between cells; the tile and the point where the end-to-end tests read
    // the field are untouched.
    ereignisseVerarbeiten();
    const QImage b = aufnahme();
    const QPoint zelle(8 + 265, 50 + 105);
    EXPECT_EQ(pixel(b, zelle.x() - 1, zelle.y() + 30), QColor(Qt::white));
    for (int abstand : { 2, 3 }) {
        EXPECT_EQ(pixel(b, zelle.x() - abstand, zelle.y() + 30), QColor(Qt::black)) << abstand;
        EXPECT_EQ(pixel(b, zelle.x() + 74 + abstand, zelle.y() + 30), QColor(Qt::black)) << abstand;
        EXPECT_EQ(pixel(b, zelle.x() + 30, zelle.y() - abstand), QColor(Qt::black)) << abstand;
        EXPECT_EQ(pixel(b, zelle.x() + 30, zelle.y() + 74 + abstand), QColor(Qt::black)) << abstand;
    }
    EXPECT_EQ(pixel(b, zelle.x() - 4, zelle.y() + 30), Knopfgrau);
    EXPECT_EQ(pixel(b, zelle.x() + 78, zelle.y() + 78), Knopfgrau);
    const TKarten& acht = spiel().Kartenfeld[8];
    EXPECT_EQ(pixel(b, zelle.x() + acht.Form.Width / 2, zelle.y() + acht.Form.Height / 2), qFarbe(acht.Farbe));

    // A deal that hides the cursor's tile sends it to the nearest shown one:
    // 9, as near as 13 but first, whichever tile has the target colour.
    for (int ziel : { 13, 2, 9 }) {
        zeigen({ 8 });
        ASSERT_EQ(cursor.Karte(), 8);
        spiel().Kartenfeld[static_cast<std::size_t>(ziel)].SetzeFarbe(spiel().Zielfarbe);
        zeigen({ 2, 9, 13 });
        EXPECT_EQ(cursor.Karte(), 9) << "target colour on tile " << ziel;
    }

    // Space shoots the tile under the cursor through its mouse-down handler:
    // a hit fills the first mark in the target colour.
    const QColor ziel = qFarbe(spiel().Zielfarbe);
    QTest::keyClick(feld, Qt::Key_Space);
    EXPECT_EQ(spiel().Spielerliste[0]->AnzahlTreffer, 1);
    ereignisseVerarbeiten();
    EXPECT_EQ(pixel(aufnahme(), 513 + 10 + 12, 50 + 40 + 12), ziel);
    // Held down, the key does not shoot again.
    auto zustand = spiel().Quelle.Zustand;
    QKeyEvent gehalten(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QApplication::sendEvent(feld, &gehalten);
    EXPECT_EQ(spiel().Quelle.Zustand, zustand);

    // Enter on the field skips like "Tovább"; Tab leaves the field for the
    // screen's own order, and the mark goes with the focus.
    segmentAblaufen();
    ASSERT_EQ(spiel().Uhrsegment, 1);
    QTest::keyClick(feld, Qt::Key_Return);
    EXPECT_EQ(spiel().Uhrsegment, 0);
    EXPECT_EQ(spiel().Spielerliste[0]->AnzahlTreffer, 1);
    QTest::keyClick(feld, Qt::Key_Tab);
    EXPECT_EQ(fenster->focusWidget(), bild().NeueFarbe);
    EXPECT_FALSE(cursor.Markiert());
    QTest::keyClick(bild().NeueFarbe, Qt::Key_Left);
    QTest::keyClick(feld, Qt::Key_Backtab);
    EXPECT_EQ(fenster->focusWidget(), bild().Ende);
}

TEST_F(Spielbildschirm, HilfstechnikLiestKartenTafelZielUndUhrOhneFarben)
{
    spielStarten(1, 3); // "Nehéz": the target hides when the first segment expires

    // Tiles are buttons named by their place, taking their whole cell, with
    // the press action; nothing of them changes with the deals.
    QAccessibleInterface* sieben = zugang(bild().Karten[7]->Form);
    ASSERT_TRUE(sieben);
    EXPECT_EQ(sieben->role(), QAccessible::Button);
    EXPECT_EQ(sieben->text(QAccessible::Name), QString::fromUtf8("Kártya, 2. sor, 3. oszlop"));
    EXPECT_EQ(sieben->rect(), QRect(bild().Feld->mapToGlobal(QPoint(180, 105)), QSize(75, 75)));
    EXPECT_EQ(sieben->actionInterface()->actionNames(), QStringList { QAccessibleActionInterface::pressAction() });
    const auto gesagt = [this] {
        QStringList alles;
        for (const auto& karte : bild().Karten) {
            QAccessibleInterface* form = zugang(karte->Form);
            QAccessibleInterface* hinweis = zugang(karte->Hinweis);
            alles << form->text(QAccessible::Name) + '|' + form->text(QAccessible::Description) + '|'
                    + QString::number(form->rect().width()) + '|' + hinweis->text(QAccessible::Name);
        }
        return alles;
    };
    const QStringList zuerst = gesagt();
    for (int runde = 0; runde < 3; ++runde)
        bild().NeueFarbeClick();
    EXPECT_EQ(gesagt(), zuerst);
    // The reveal labels say what a sighted player sees of them: nothing while
    // hidden; the secret area that shows them is no element at all.
    QAccessibleInterface* schirm = zugang(&bild());
    for (int i = 0; i < schirm->childCount(); ++i)
        EXPECT_NE(schirm->child(i)->object(), bild().Boss);
    bild().BossKey();
    for (std::size_t i = 0; i < bild().Karten.size(); ++i)
        EXPECT_EQ(zugang(bild().Karten[i]->Hinweis)->text(QAccessible::Name),
            spiel().Kartenfeld[i].Form.Visible ? bild().Karten[i]->Hinweis->caption() : QString())
            << i;
    bild().BossKey();

    // The arrow key makes the tile under the cursor the focused element.
    // (That it is announced, with the changes below, the end-to-end test
    // hears over AT-SPI: offscreen, Qt sends no announcements.)
    QTest::keyClick(bild().NeueFarbe, Qt::Key_Right);
    QWidget* unterCursor = bild().Karten[static_cast<std::size_t>(bild().Kartencursor->Karte())]->Form;
    EXPECT_EQ(zugang(bild().Feld)->focusChild()->object(), unterCursor);
    EXPECT_TRUE(zugang(unterCursor)->state().focused);

    // The press action shoots as a mouse press does, once the event loop
    // runs; the board reads the player's name, its hits as its value and
    // that it is the player's turn.
    const int treffer = karteBesorgen(true);
    zugang(bild().Karten[static_cast<std::size_t>(treffer)]->Form)
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(spiel().Spielerliste[0]->AnzahlTreffer, 0);
    ereignisseVerarbeiten();
    ASSERT_EQ(spiel().Spielerliste[0]->AnzahlTreffer, 1);
    QAccessibleInterface* tafel = zugang(bild().Tafeln[0]->Rahmen);
    EXPECT_EQ(tafel->text(QAccessible::Name), QString::fromUtf8("1.játékos"));
    EXPECT_EQ(tafel->text(QAccessible::Description), QString::fromUtf8("következik"));
    EXPECT_EQ(tafel->valueInterface()->currentValue().toInt(), 1);

    // The clock: its title and the segments left; the target display: its
    // title and whether it is shown, never its colour.
    QAccessibleInterface* uhr = zugang(bild().AnzeigeUhr);
    QAccessibleInterface* ziel = zugang(bild().GroupBox1);
    EXPECT_EQ(uhr->text(QAccessible::Name), QString::fromUtf8("Hátralévő idő"));
    EXPECT_EQ(uhr->valueInterface()->currentValue().toInt(), 6);
    EXPECT_EQ(ziel->text(QAccessible::Name), QString::fromUtf8("Célszín"));
    EXPECT_EQ(ziel->text(QAccessible::Description), QString::fromUtf8("látható"));
    segmentAblaufen();
    EXPECT_EQ(uhr->valueInterface()->currentValue().toInt(), 5);
    EXPECT_EQ(ziel->text(QAccessible::Description), QString::fromUtf8("rejtett"));
}
