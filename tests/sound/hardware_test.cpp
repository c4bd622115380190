// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of the sound switch: detection from the two device counts, the
// button's caption and state, the toggle, and that with sound off the cue
// operations touch no player.
#include "Hardware1.h"
#include "Ton.h"

#include "Button.h"
#include "MediaPlayer.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

class HardwareTest : public ::testing::Test {
protected:
    HardwareTest() { ton.setCaption("Button1"); } // the layout's caption
    ~HardwareTest() override { Hardware = nullptr; }

    // Counts that also log the order in which they are asked.
    Ausgabezaehler counts(int wave, int midi)
    {
        return { [this, wave] {
                    asked << "wave";
                    return wave;
                },
            [this, midi] {
                asked << "midi";
                return midi;
            } };
    }

    TButton ton { nullptr };
    QStringList asked;
};

TEST_F(HardwareTest, NoOutputOfEitherKindTurnsSoundOffForGood)
{
    THardware hardware(&ton, counts(0, 0));
    EXPECT_EQ(asked, (QStringList { "wave", "midi" }));
    EXPECT_FALSE(hardware.Tonschalter);
    EXPECT_EQ(ton.caption(), "Ton ein");
    EXPECT_FALSE(ton.isEnabled());
}

TEST_F(HardwareTest, OneOutputOfEitherKindCountsAsSound)
{
    for (auto [wave, midi] : { std::pair { 0, 1 }, { 1, 0 }, { 2, 3 } }) {
        asked.clear();
        TButton button(nullptr);
        button.setCaption("Button1");
        THardware hardware(&button, counts(wave, midi));
        EXPECT_EQ(asked, (QStringList { "wave", "midi" })) << wave << midi; // both, always
        EXPECT_TRUE(hardware.Tonschalter);
        EXPECT_EQ(button.caption(), "Ton aus");
        EXPECT_TRUE(button.isEnabled());
    }
}

TEST_F(HardwareTest, TwoTogglesRestoreStateAndCaption)
{
    THardware hardware(&ton, counts(1, 0));
    hardware.Umschalten();
    EXPECT_FALSE(hardware.Tonschalter);
    EXPECT_EQ(ton.caption(), "Ton ein");
    hardware.Umschalten();
    EXPECT_TRUE(hardware.Tonschalter);
    EXPECT_EQ(ton.caption(), "Ton aus");
    EXPECT_EQ(asked.size(), 2); // the toggle asks the devices nothing
}

TEST_F(HardwareTest, WithSoundOffTheCuesTouchNoPlayer)
{
    THardware hardware(&ton, counts(0, 0));
    Hardware = &hardware;
    TMediaPlayer player(nullptr);
    TonAbspielen(player, "TintariumRichtig.wav");
    EXPECT_TRUE(player.fileName().isEmpty());
    EXPECT_FALSE(player.isOpen());
    TonSchliessen(player);

    // Switched off by the button, over a player left open: still untouched.
    THardware an(&ton, counts(1, 0));
    Hardware = &an;
    an.Umschalten();
    TonAbspielen(player, "fehlt.wav"); // would fail if it were opened
    EXPECT_TRUE(player.fileName().isEmpty());
}

} // namespace
