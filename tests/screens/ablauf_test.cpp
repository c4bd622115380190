// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The flow between the five screens, the setup screen's play button and its
// instructions, centring, and the cues that cannot be played.
#include "Spielfixture.h"

#include "Button.h"
#include "DesktopWindow.h"
#include "Edit.h"
#include "Gewonnen1.h"
#include "GroupBox.h"
#include "Hardware1.h"
#include "Konfiguration1.h"
#include "Label.h"
#include "Level1.h"
#include "MediaPlayer.h"
#include "Naechsterspieler1.h"
#include "Panel.h"
#include "Programmstart.h"
#include "RichEdit.h"
#include "Spielertafel.h"
#include "Spielobjekte.h"
#include "StaticText.h"
#include "Tintariumstart1.h"

#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Runs `was` from the event loop once the modal screen now being raised is up.
void imModalenLauf(std::function<void()> was)
{
    QTimer::singleShot(0, TApplication::instance(), std::move(was));
}

std::vector<TForm*> alleBildschirme()
{
    return { TintariumStart, FarbenSchiessen, ColorSchiessen, Gewonnen, NaechsterSpieler };
}

} // namespace

using Ablauf = Spielfixture;

TEST_F(Ablauf, StartUndSpielMitEinemSpieler)
{
    TintariumStart->Show();
    EXPECT_EQ(obersterBildschirm(), TintariumStart);
    for (TForm* f : { static_cast<TForm*>(FarbenSchiessen), static_cast<TForm*>(ColorSchiessen),
             static_cast<TForm*>(Gewonnen), static_cast<TForm*>(NaechsterSpieler) })
        EXPECT_FALSE(f->Visible());

    mausKlick(TintariumStart->Ok, QPoint(5, 5));
    EXPECT_EQ(obersterBildschirm(), FarbenSchiessen);
    EXPECT_TRUE(TintariumStart->Visible());

    mausKlick(FarbenSchiessen->Button1, QPoint(5, 5));
    EXPECT_EQ(obersterBildschirm(), ColorSchiessen);
    EXPECT_FALSE(NaechsterSpieler->Visible());
    // A miss keeps the single player and raises no next-player screen.
    karteDruecken(karteBesorgen(false));
    EXPECT_FALSE(NaechsterSpieler->Visible());

    mausKlick(ColorSchiessen->Ende, QPoint(5, 5));
    EXPECT_EQ(obersterBildschirm(), FarbenSchiessen);
}

TEST_F(Ablauf, ZweiSpielerNaechsterSpielerUnterDemSpielUndNachFruehemVissza)
{
    TintariumStart->Show();
    TintariumStart->OkClick();
    FarbenSchiessen->KAnzahlSpieler->setItemIndex(1);
    FarbenSchiessen->Spieler1Name->setText(QStringLiteral("Anna"));
    QTest::keyClick(FarbenSchiessen->Spieler1Name, Qt::Key_Return); // Enter plays

    EXPECT_EQ(obersterBildschirm(), ColorSchiessen);
    EXPECT_TRUE(NaechsterSpieler->Visible());
    EXPECT_EQ(NaechsterSpieler->Spielername->caption(), QStringLiteral("Anna ist an der Reihe "));

    // Back before any change of player: the message is seen over the setup
    // screen; its "Ok" hides it.
    mausKlick(ColorSchiessen->Ende, QPoint(5, 5));
    EXPECT_EQ(obersterBildschirm(), NaechsterSpieler);
    mausKlick(NaechsterSpieler->Ok, QPoint(5, 5));
    EXPECT_FALSE(NaechsterSpieler->Visible());
    EXPECT_EQ(obersterBildschirm(), FarbenSchiessen);
}

TEST_F(Ablauf, WechselHoltDenNaechstenSpielerNachVorn)
{
    spielStarten(2, 0);
    karteDruecken(karteBesorgen(false));
    EXPECT_EQ(obersterBildschirm(), NaechsterSpieler);
    EXPECT_EQ(NaechsterSpieler->Spielername->caption(), QString::fromUtf8("2.játékos ist an der Reihe "));
    // The game goes on behind it.
    EXPECT_TRUE(ColorSchiessen->Uhr->isPlaying());
    QTest::keyClick(NaechsterSpieler, Qt::Key_Return);
    EXPECT_FALSE(NaechsterSpieler->Visible());
    EXPECT_EQ(obersterBildschirm(), ColorSchiessen);
    // The second player's title strip is now the blue one.
    EXPECT_EQ(ColorSchiessen->Tafeln[1]->Titel->color(), clTitelblau);
    EXPECT_EQ(ColorSchiessen->Tafeln[0]->Titel->color(), clBtnFace);
}

TEST_F(Ablauf, SiegerbildschirmModalWaehrendDieUhrWeiterlaeuft)
{
    FarbenSchiessen->Spieler1Name->setText(QString());
    spielStarten(1, 0);
    auto& tafel = *spiel().Spielerliste[0];
    for (int i = 0; i < 15; ++i)
        tafel.Treffer[static_cast<std::size_t>(i)].Visible = true;
    tafel.AnzahlTreffer = 15;

    bool modal = false;
    QWidget* oben = nullptr;
    QString name = QStringLiteral("unset");
    int segmentVorher = -1;
    int segmentNachher = -1;
    imModalenLauf([&] {
        modal = Gewonnen->isModal();
        oben = obersterBildschirm();
        name = Gewonnen->Label6->caption();
        // The sixteenth mark is seen behind the winner screen.
        EXPECT_FALSE(ColorSchiessen->Tafeln[0]->Treffer[15]->isHidden());
        segmentVorher = spiel().Uhrsegment;
        segmentAblaufen();
        segmentNachher = spiel().Uhrsegment;
        mausKlick(Gewonnen->Ok, QPoint(5, 5));
    });
    karteDruecken(karteBesorgen(true));

    EXPECT_TRUE(modal);
    EXPECT_EQ(oben, Gewonnen);
    EXPECT_EQ(name, QString());
    EXPECT_EQ(segmentNachher, segmentVorher + 1);
    EXPECT_FALSE(Gewonnen->Visible());
    EXPECT_FALSE(spiel().SpielLaeuft());
    EXPECT_FALSE(ColorSchiessen->Visible());
    EXPECT_EQ(obersterBildschirm(), FarbenSchiessen);
}

TEST_F(Ablauf, JatekUebernimmtNamenAnzahlUndSchwierigkeit)
{
    FarbenSchiessen->Spieler1Name->setText(QStringLiteral("Eva"));
    FarbenSchiessen->Spieler2Name->setText(QStringLiteral("Bence"));
    for (int stufe = 0; stufe < 5; ++stufe) {
        spielStarten(1, stufe);
        // Both names are copied, also with one player.
        EXPECT_EQ(Konfiguration->SpielerNamen[0], "Eva");
        EXPECT_EQ(Konfiguration->SpielerNamen[1], "Bence");
        EXPECT_EQ(Konfiguration->AnzahlSpieler, 1);
        EXPECT_EQ(Level->AnzahlSichtbar, TLevel::Schwierigkeitstabelle[static_cast<std::size_t>(stufe)].AnzahlSichtbar);
        EXPECT_EQ(Level->VorlageBleibt, TLevel::Schwierigkeitstabelle[static_cast<std::size_t>(stufe)].VorlageBleibt);
        int gezeigt = 0;
        for (const auto& karte : ColorSchiessen->Karten)
            gezeigt += karte->Form->isHidden() ? 0 : 1;
        EXPECT_EQ(gezeigt, Level->AnzahlSichtbar) << stufe;
        ColorSchiessen->EndeClick();
    }
    // The screen is never reset: the choices stand for the next game.
    FarbenSchiessen->KAnzahlSpieler->setItemIndex(1);
    FarbenSchiessen->Button1Click();
    ColorSchiessen->EndeClick();
    EXPECT_EQ(FarbenSchiessen->Spieler1Name->text(), QStringLiteral("Eva"));
    EXPECT_EQ(FarbenSchiessen->KAnzahlSpieler->itemIndex(), 1);
    EXPECT_EQ(FarbenSchiessen->Schwierigkeitsstufe->itemIndex(), 4);
    FarbenSchiessen->Button1Click();
    EXPECT_EQ(Konfiguration->AnzahlSpieler, 2);
    EXPECT_EQ(Level->AnzahlSichtbar, 9);
}

TEST_F(Ablauf, LeereNamenUndZwanzigZeichen)
{
    FarbenSchiessen->Show();
    FarbenSchiessen->Spieler1Name->clear();
    FarbenSchiessen->Spieler2Name->clear();
    QTest::keyClicks(FarbenSchiessen->Spieler2Name, QStringLiteral("abcdefghijklmnopqrstuvwxy"));
    EXPECT_EQ(FarbenSchiessen->Spieler2Name->text(), QStringLiteral("abcdefghijklmnopqrst"));
    FarbenSchiessen->Spieler2Name->clear();
    spielStarten(2, 0);
    EXPECT_TRUE(spiel().SpielLaeuft());
    EXPECT_EQ(ColorSchiessen->Tafeln[0]->Titel->caption(), QString());
    EXPECT_EQ(NaechsterSpieler->Spielername->caption(), QStringLiteral(" ist an der Reihe "));
}

TEST_F(Ablauf, AnfangszustandUndTonknopf)
{
    EXPECT_EQ(FarbenSchiessen->Spieler1Name->text(), QString::fromUtf8("1.játékos"));
    EXPECT_EQ(FarbenSchiessen->Spieler2Name->text(), QString::fromUtf8("2.játékos"));
    EXPECT_TRUE(FarbenSchiessen->TextAnleitung->isHidden() && FarbenSchiessen->TitelAnleitung->isHidden()
        && FarbenSchiessen->Logo->isHidden());
    const QString ton = FarbenSchiessen->Ton->caption();
    FarbenSchiessen->TonClick();
    EXPECT_NE(FarbenSchiessen->Ton->caption(), ton);
    FarbenSchiessen->TonClick();
    EXPECT_EQ(FarbenSchiessen->Ton->caption(), ton);
}

TEST_F(Ablauf, TitelleistenLiegenUeberIhrenKaesten)
{
    // Where a title bar overlaps the top edge of its box, the title bar is seen.
    auto oben = [](QPoint p) { return FarbenSchiessen->Panel3->childAt(p); };
    EXPECT_EQ(oben(QPoint(400, 28)), FarbenSchiessen->StaticText1);
    EXPECT_EQ(oben(QPoint(600, 28)), FarbenSchiessen->StaticText3);
    EXPECT_EQ(oben(QPoint(400, 132)), FarbenSchiessen->StaticText2);
    EXPECT_EQ(FarbenSchiessen->StaticText1->geometry(), QRect(2, 8, 233, 17));
}

TEST_F(Ablauf, TabulatorReihenfolge)
{
    TintariumStart->Show(); // covered by the setup screen, as in the game
    FarbenSchiessen->Show();
    FarbenSchiessen->AnleitungClick(); // the instructions view takes part while shown
    const std::vector<QWidget*> erwartet
        = { FarbenSchiessen->Spieler1Name, FarbenSchiessen->Spieler2Name, FarbenSchiessen->Schwierigkeitsstufe,
              FarbenSchiessen->Ende, FarbenSchiessen->Button1, FarbenSchiessen->KAnzahlSpieler,
              FarbenSchiessen->InhaltAnleitung, FarbenSchiessen->Anleitung, FarbenSchiessen->Ton };
    // The focus chain of the screen, each widget counted once at its first stop.
    std::vector<QWidget*> gefunden;
    QWidget* w = FarbenSchiessen->Spieler1Name;
    for (int schritt = 0; schritt < 200; ++schritt) {
        for (QWidget* benannt : erwartet) {
            if ((w == benannt || benannt->isAncestorOf(w)) && w->focusPolicy() & Qt::TabFocus && w->isEnabled()
                && std::find(gefunden.begin(), gefunden.end(), benannt) == gefunden.end())
                gefunden.push_back(benannt);
        }
        w = w->nextInFocusChain();
        if (w == FarbenSchiessen->Spieler1Name)
            break;
    }
    std::vector<QWidget*> moeglich;
    for (QWidget* b : erwartet)
        if (b != FarbenSchiessen->Ton || b->isEnabled())
            moeglich.push_back(b);
    EXPECT_EQ(gefunden, moeglich);

    // Tab and Backtab themselves stop at these widgets and nowhere else,
    // also not on the covered start screen.
    QWidget* fenster = TApplication::instance()->desktopWindow();
    const auto benannt = [&]() -> QWidget* {
        for (QWidget* b : moeglich)
            if (fenster->focusWidget() == b || b->isAncestorOf(fenster->focusWidget()))
                return b;
        return nullptr;
    };
    // Active, as a player's window is: a radio group is one stop only once
    // Qt has seen its checked button take the focus.
    fenster->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenster));
    FarbenSchiessen->Spieler1Name->setFocus();
    std::vector<QWidget*> vor;
    std::vector<QWidget*> zurueck;
    for (std::size_t i = 0; i < moeglich.size(); ++i) {
        QTest::keyClick(fenster->focusWidget(), Qt::Key_Tab);
        vor.push_back(benannt());
    }
    for (std::size_t i = 0; i < moeglich.size(); ++i) {
        QTest::keyClick(fenster->focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        zurueck.push_back(benannt());
    }
    std::vector<QWidget*> vorErwartet(moeglich.begin() + 1, moeglich.end());
    vorErwartet.push_back(moeglich.front());
    const std::vector<QWidget*> zurueckErwartet(moeglich.rbegin(), moeglich.rend());
    EXPECT_EQ(vor, vorErwartet);
    EXPECT_EQ(zurueck, zurueckErwartet);
}

TEST_F(Ablauf, AnleitungOeffnenSchliessenUndNeuLesen)
{
    Fehlerfaenger faenger;
    auto* s = FarbenSchiessen;
    s->Show();
    mausKlick(s->Anleitung, QPoint(5, 5));
    EXPECT_FALSE(s->TextAnleitung->isHidden());
    EXPECT_FALSE(s->TitelAnleitung->isHidden());
    EXPECT_FALSE(s->Logo->isHidden());
    EXPECT_TRUE(s->InhaltAnleitung->toPlainText().contains(QStringLiteral("Erste Fassung")));

    mausKlick(s->Anleitung, QPoint(5, 5));
    EXPECT_TRUE(s->TextAnleitung->isHidden());
    EXPECT_TRUE(s->TitelAnleitung->isHidden());
    EXPECT_TRUE(s->Logo->isHidden());

    m_ordner.schreiben(QStringLiteral("Tintarium.rtf"), "{\\rtf1\\ansi Zweite Fassung.\\par}");
    mausKlick(s->Anleitung, QPoint(5, 5));
    EXPECT_TRUE(s->InhaltAnleitung->toPlainText().contains(QStringLiteral("Zweite Fassung")));
    mausKlick(s->Anleitung, QPoint(5, 5));

    // Plain text is shown as it is.
    m_ordner.schreiben(QStringLiteral("Tintarium.rtf"), "Nur ein Text.\n");
    mausKlick(s->Anleitung, QPoint(5, 5));
    EXPECT_EQ(s->InhaltAnleitung->toPlainText().trimmed(), QStringLiteral("Nur ein Text."));
    mausKlick(s->Anleitung, QPoint(5, 5));
    EXPECT_TRUE(faenger.meldungen.isEmpty());
}

TEST_F(Ablauf, AnleitungOhneDatei)
{
    Fehlerfaenger faenger;
    auto* s = FarbenSchiessen;
    s->Show();
    QFile::remove(m_ordner.pfad(QStringLiteral("Tintarium.rtf")));
    mausKlick(s->Anleitung, QPoint(5, 5));
    ereignisseVerarbeiten();
    ASSERT_EQ(faenger.meldungen.size(), 1);
    EXPECT_EQ(faenger.meldungen[0], QString::fromUtf8("Datei Tintarium.rtf kann nicht geöffnet werden."));
    EXPECT_EQ(faenger.titel[0], QStringLiteral("Tintarium"));
    EXPECT_FALSE(s->TextAnleitung->isHidden());
    EXPECT_FALSE(s->TitelAnleitung->isHidden());
    EXPECT_TRUE(s->Logo->isHidden());
    EXPECT_EQ(s->InhaltAnleitung->toPlainText(), QStringLiteral("InhaltAnleitung"));

    mausKlick(s->Anleitung, QPoint(5, 5));
    EXPECT_TRUE(s->TextAnleitung->isHidden());
    EXPECT_TRUE(s->TitelAnleitung->isHidden());
    EXPECT_EQ(faenger.meldungen.size(), 1);
}

// Centring: the screens are built on a desktop of the given size.
struct Zentrierung : ::testing::TestWithParam<std::pair<QSize, QPoint>> { };

TEST_P(Zentrierung, JederBildschirmSitztMittig)
{
    TApplication::setDesktopSizeForTests(GetParam().first);
    {
        Testordner ordner;
        Bildschirme bildschirme;
        for (TForm* f : alleBildschirme()) {
            EXPECT_EQ(f->Left(), GetParam().second.x()) << f->caption().toStdString();
            EXPECT_EQ(f->Top(), GetParam().second.y()) << f->caption().toStdString();
            EXPECT_EQ(f->Width(), 808);
            EXPECT_EQ(f->Height(), 601);
        }
    }
    TApplication::setDesktopSizeForTests(QSize());
}

INSTANTIATE_TEST_SUITE_P(Desktops, Zentrierung,
    ::testing::Values(
        std::make_pair(QSize(1024, 768), QPoint(108, 83)), std::make_pair(QSize(800, 600), QPoint(-4, 0))));

// A cue file that cannot be opened: reported after the event; the game step
// completes as if the cue had played.
class FehlenderTon : public Spielfixture {
protected:
    FehlenderTon() { Hardware->Tonschalter = true; }
    Fehlerfaenger m_faenger;
};

TEST_F(FehlenderTon, TrefferVollendetSeinenSchritt)
{
    spielStarten(1, 0);
    for (int n = 1; n <= 5; ++n) {
        const int i = karteBesorgen(true);
        karteDruecken(i);
        ereignisseVerarbeiten();
        ASSERT_EQ(m_faenger.meldungen.size(), n);
        EXPECT_EQ(spiel().Spielerliste[0]->AnzahlTreffer, n);
        EXPECT_EQ(spiel().Uhrsegment, 0);
        EXPECT_TRUE(ColorSchiessen->Uhr->isPlaying());
        EXPECT_FALSE(ColorSchiessen->Tafeln[0]->Treffer[static_cast<std::size_t>(n - 1)]->isHidden());
    }
    EXPECT_EQ(m_faenger.titel[0], QStringLiteral("Tintarium"));
    EXPECT_FALSE(m_faenger.meldungen[0].isEmpty());
    // The fifth hit raised the level: the target display is an ellipse now.
    EXPECT_EQ(Level->Stufe, 1);
    EXPECT_EQ(ColorSchiessen->TonvorlageAnzeige->shape(), stEllipse);
}

TEST_F(FehlenderTon, FehlschussGibtDenZugWeiter)
{
    spielStarten(2, 0);
    karteDruecken(karteBesorgen(false));
    ereignisseVerarbeiten();
    EXPECT_EQ(m_faenger.meldungen.size(), 1);
    EXPECT_EQ(spiel().AktuellerSpieler, 2);
    EXPECT_EQ(obersterBildschirm(), NaechsterSpieler);
}

TEST_F(FehlenderTon, SechzehnterTrefferZeigtDenSiegerStill)
{
    spielStarten(1, 0);
    auto& tafel = *spiel().Spielerliste[0];
    for (int i = 0; i < 15; ++i)
        tafel.Treffer[static_cast<std::size_t>(i)].Visible = true;
    tafel.AnzahlTreffer = 15;
    bool gezeigt = false;
    imModalenLauf([&] {
        gezeigt = Gewonnen->isModal();
        // No box while the winner screen is up: the report waits for the end
        // of the event.
        EXPECT_TRUE(m_faenger.meldungen.isEmpty());
        Gewonnen->OkClick();
    });
    karteDruecken(karteBesorgen(true));
    ereignisseVerarbeiten();
    EXPECT_TRUE(gezeigt);
    EXPECT_EQ(m_faenger.meldungen.size(), 1);
    EXPECT_FALSE(spiel().SpielLaeuft());
    EXPECT_FALSE(ColorSchiessen->Visible());
}

TEST_F(FehlenderTon, DoppelklickSindZweiSchuesse)
{
    // Every shot plays a cue, and each failed cue is one box, shown right
    // after the press that fired it: the boxes count the shots, and the box of
    // the first press tells whether the tile is still shown for the second.
    spielStarten(1, 4);
    int zweiMal = 0;
    for (int versuch = 0; versuch < 40 && zweiMal < 2; ++versuch) {
        const int i = karteBesorgen(false);
        auto* karte = bild().Karten[static_cast<std::size_t>(i)].get();
        // A point that any size of the tile covers.
        const QPoint stelle = karte->Form->geometry().topLeft() + QPoint(5, 5);
        bool nochDa = false;
        int schuesse = 0;
        TApplication::instance()->setErrorBoxHandler([&](const QString&, const QString&) {
            if (++schuesse == 1)
                nochDa = !karte->Form->isHidden();
        });
        QPoint imFenster = bild().Feld->mapTo(bild().window(), stelle);
        QTest::mouseDClick(bild().window()->windowHandle(), Qt::LeftButton, Qt::NoModifier, imFenster);
        ereignisseVerarbeiten();
        EXPECT_EQ(schuesse, nochDa ? 2 : 1);
        zweiMal += nochDa ? 1 : 0;
    }
    EXPECT_EQ(zweiMal, 2);
}
