// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <filesystem>
#include <optional>

#include "InLanguage.h"
#include "TempHome.h"
#include "TestSupport.h"
#include "WindowDriver.h"
#include "firmware/FirmwareText.h"
#include "ui/LampWidget.h"

namespace ledcube {
namespace {

using test::CellsOn;

using enum ControlId;

bool Lit(test::WindowDriver& d, int n) {
    return static_cast<CubeLamp*>(d.Control(IndicatorOf(n)))->IsLit();
}

TEST(WindowWorkflow, ATypicalRecordingByClicksWritesTheFileByteForByte) {
    test::TempHome home;
    test::WindowDriver d;
    d.Type(Nomf, "anim");
    d.Click(Commencer);
    d.Click(BP1);
    d.Tick(1);
    d.Click(Etage2);
    d.Tick(14);
    EXPECT_TRUE(Lit(d, 1) && Lit(d, 14));
    d.Type(Temps, "1000");
    d.Click(Suivant);
    d.Tick(14);  // layer 2 is still shown: untick 14
    EXPECT_FALSE(Lit(d, 14));
    d.Click(Suivant);
    d.Click(FinirBP);
    d.Click(Aucun);
    d.Click(TAllumer);
    d.Click(Etage3);
    d.Click(EEteindre);
    d.Type(Temps, "29");
    d.Click(Suivant);
    d.Click(FinirBP);
    d.Click(Finir);

    CellState lower;
    for (int n = 1; n <= 18; ++n) lower.Set(n, true);
    EXPECT_EQ(home.Read("anim.c"), ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP1) +
                                       FrameBlock(1000, CellsOn({1, 14})) +
                                       FrameBlock(1000, CellsOn({1})) + SwitchBlockClose() +
                                       SwitchBlockOpen(SwitchCombination::Aucun) +
                                       FrameBlock(29, lower) + SwitchBlockClose() + ProgramClose());
    EXPECT_EQ(d.Form().Cells(), lower);
    // Back to the start: a new program can be named and started.
    EXPECT_TRUE(d.Shown(Commencer));
    EXPECT_FALSE(d.Shown(Label2));
    EXPECT_FALSE(qobject_cast<QLineEdit*>(d.Control(Nomf))->isReadOnly());
}

TEST(WindowWorkflow, CellEditingKeepsBoxesLampsAndCellsTogether) {
    test::TempHome home;
    test::WindowDriver d;
    d.Type(Nomf, "cells");
    d.Click(Commencer);
    d.Click(BP2);
    d.Click(TAllumer);
    d.Click(Etage3);
    for (int n = 1; n <= kCellCount; ++n) {
        EXPECT_EQ(d.Shown(CheckBoxOf(n)), n >= 19) << n;
        EXPECT_TRUE(d.Form().IsChecked(CheckBoxOf(n))) << n;
    }
    d.Tick(23);
    d.Click(Etage1);
    d.Click(EEteindre);
    for (int n = 1; n <= kCellCount; ++n) {
        const bool on = n >= 10 && n != 23;
        EXPECT_EQ(d.Form().IsChecked(CheckBoxOf(n)), on) << n;
        EXPECT_EQ(Lit(d, n), on) << n;
        EXPECT_EQ(d.Form().Cells().Get(n), on ? 1 : 0) << n;
    }
    d.Click(TEteindre);
    EXPECT_EQ(d.Form().Cells(), CellState{});
}

TEST(WindowWorkflow, ABadDurationIsRefusedAndCanBeCorrected) {
    test::TempHome home;
    test::WindowDriver d;
    d.Type(Nomf, "bad");
    d.Click(Commencer);
    d.Click(BP3);
    const std::string before = home.Read("bad.c");
    for (const char* text : {"", "abc", "12abc", "1e3", "99999999999", "491520"}) {
        d.Type(Temps, text);
        const auto message = test::AnswerMessageBox([&] { d.Click(Suivant); });
        EXPECT_TRUE(message.has_value() && !message->isEmpty()) << text;
        EXPECT_EQ(home.Read("bad.c"), before) << text;
        EXPECT_TRUE(d.Shown(Suivant) && d.Shown(FinirBP) && !d.Shown(Finir)) << text;
    }
    d.Type(Temps, "491519");
    EXPECT_FALSE(test::AnswerMessageBox([&] { d.Click(Suivant); }).has_value());
    EXPECT_EQ(home.Read("bad.c"), before + FrameBlock(491519, CellState{}));
}

TEST(WindowWorkflow, AFailedStartLeavesTheNameEditable) {
    test::TempHome home;
    std::filesystem::create_directories(home.Drive() / "taken.c");  // a folder in the way
    test::WindowDriver d;
    d.Type(Nomf, "taken");
    const auto message = test::AnswerMessageBox([&] { d.Click(Commencer); });
    ASSERT_TRUE(message.has_value());
    EXPECT_TRUE(message->contains("taken.c")) << message->toStdString();
    EXPECT_TRUE(d.Shown(Commencer));
    EXPECT_FALSE(d.Shown(BP1));
    d.Type(Nomf, "free");  // the user corrects the name and starts again
    d.Click(Commencer);
    EXPECT_TRUE(d.Shown(BP1));
    EXPECT_EQ(home.Read("free.c"), ProgramHeader());
}

// What the editor says in each language; its captions stay French in both.
struct Speech {
    bool french;
    const char* willWrite;
    const char* recorded;
    const char* unfinished;
    const char* yes;
};

class WindowSpeechTest : public ::testing::TestWithParam<Speech> {};

TEST_P(WindowSpeechTest, EnterRecordsAndTheStatusLineSaysSoAndClosingMidProgramAsks) {
    const Speech& says = GetParam();
    std::optional<test::SpeakFrench> french;
    if (says.french) french.emplace();
    test::TempHome home;
    test::WindowDriver d;
    for (const auto& [id, caption] :
         {std::pair{Commencer, "Commencer"}, std::pair{Suivant, "Suivant"},
          std::pair{TAllumer, "Tout allumer"}})
        EXPECT_EQ(d.Control(id)->property("text").toString(), QString::fromUtf8(caption));
    d.Type(Nomf, "keys");
    EXPECT_TRUE(d.Form().StatusLine()->text().startsWith(QString::fromUtf8(says.willWrite)))
        << d.Form().StatusLine()->text().toStdString();
    QTest::keyClick(d.Control(Nomf), Qt::Key_Return);  // as Commencer
    EXPECT_EQ(home.Read("keys.c"), ProgramHeader());
    EXPECT_FALSE(d.Shown(Commencer));
    d.Click(BP1);
    d.Type(Temps, "300");
    QTest::keyClick(d.Control(Temps), Qt::Key_Enter);  // as Suivant
    EXPECT_EQ(home.Read("keys.c"), ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP1) +
                                       FrameBlock(300, CellState()));
    EXPECT_TRUE(d.Form().StatusLine()->text().startsWith(QString::fromUtf8(says.recorded)))
        << d.Form().StatusLine()->text().toStdString();
    // The status line sits below the lamps, in the window's own client area.
    QWidget* lowest = d.Control(IndicatorOf(3));
    EXPECT_GT(d.Form().StatusLine()->geometry().top(), lowest->geometry().bottom());

    // Closing before Finir asks; Non (Escape) keeps the window.
    const auto asked = test::AnswerMessageBox([&] { d.Form().close(); }, QStringLiteral("Escape"));
    ASSERT_TRUE(asked.has_value());
    EXPECT_TRUE(asked->contains(QString::fromUtf8(says.unfinished))) << asked->toStdString();
    EXPECT_TRUE(d.Form().isVisible());
    EXPECT_TRUE(test::AnswerMessageBox([&] { d.Form().close(); }, QString::fromUtf8(says.yes)));
    EXPECT_FALSE(d.Form().isVisible());
}

INSTANTIATE_TEST_SUITE_P(Languages, WindowSpeechTest,
                         ::testing::Values(Speech{false, "The program will be written to ",
                                                  "keys.c — sequence BP1 — frame 1 recorded (300 "
                                                  "ms = 20 passes ≈ 307.1 ms on the ATmega8535)",
                                                  "The program of keys.c is not finished", "Yes"},
                                           Speech{
                                               true, "Le programme sera écrit dans ",
                                               "keys.c — séquence BP1 — image 1 enregistrée (300 "
                                               "ms = 20 passages ≈ 307,1 ms sur l’ATmega8535)",
                                               "Le programme de keys.c n'est pas terminé", "Oui"}),
                         [](const ::testing::TestParamInfo<Speech>& info) {
                             return info.param.french ? "French" : "English";
                         });

}  // namespace
}  // namespace ledcube
