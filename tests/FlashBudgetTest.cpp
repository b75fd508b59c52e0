// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QtTest>
#include <random>

#include "TempHome.h"
#include "TestSupport.h"
#include "WindowDriver.h"
#include "firmware/FlashEstimate.h"
#include "sim/CubeSimulator.h"
#include "sim/FirmwareBuild.h"
#include "sim/ProgramReader.h"

namespace ledcube::sim {
namespace {

using enum ControlId;

// A program as a user might record it, written out and estimated block by block.
struct RandomProgram {
    std::string text;
    FlashEstimate estimate;
    int frames = 0;
};

RandomProgram MakeRandomProgram(unsigned seed) {
    std::mt19937 rng(seed);
    const auto uniform = [&rng](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(rng);
    };
    RandomProgram program;
    program.text = ProgramHeader();
    program.estimate.Header();
    // A third of the cases small, where the fixed costs weigh most.
    const int frames = seed % 3 == 0 ? uniform(1, 8) : uniform(1, 90);
    const int sequences = uniform(1, 4);
    static constexpr int kDurations[] = {0, 15, 30, 300, 1000, 7500};
    for (int s = 0; s < sequences; ++s) {
        const bool block = uniform(0, 4) != 0;  // now and then frames between blocks
        const auto combination = static_cast<SwitchCombination>(uniform(0, 3));
        if (block) {
            program.text += SwitchBlockOpen(combination);
            program.estimate.Open(combination);
        }
        const int density = uniform(0, 100);
        for (int f = 0; f < std::max(1, frames / sequences); ++f) {
            CellState cells;
            for (int n = 1; n <= kCellCount; ++n) cells.Set(n, uniform(1, 100) <= density);
            const int ms = kDurations[uniform(0, 5)];
            program.text += FrameBlock(ms, cells);
            program.estimate.Frame(ms, cells);
            ++program.frames;
        }
        if (block) {
            program.text += SwitchBlockClose();
            program.estimate.Close();
        }
    }
    program.text += ProgramClose();
    return program;
}

class FlashEstimateTest : public testing::TestWithParam<unsigned> {};

TEST_P(FlashEstimateTest, IsWithinTwoPercentOfTheRealBuild) {
    const RandomProgram program = MakeRandomProgram(GetParam());
    const ScratchFolder scratch;
    const int real = BuildFirmware(program.text, "random.c", scratch).sizes.flash;
    const int estimated = program.estimate.BytesWithClosings();
    EXPECT_NEAR(estimated, real, real * 0.02) << program.frames << " frames";
    EXPECT_EQ(program.estimate.Frames(), program.frames);
}

INSTANTIATE_TEST_SUITE_P(RandomPrograms, FlashEstimateTest, testing::Range(1u, 41u));

// Records frames of changing cells of a layer in the window until Suivant
// asks; returns the number of frames recorded before the question.
int RecordUntilAsked(test::WindowDriver& d, int layer, const QString& answer) {
    d.Click(LayerButtonOf(layer));
    for (int frame = 1; frame <= 120; ++frame) {
        d.Tick(FirstCellOfLayer(layer) + frame % 9);
        const auto question = test::AnswerMessageBox([&] { d.Click(Suivant); }, answer);
        if (question) {
            EXPECT_TRUE(question->contains(QStringLiteral("8 192 octets")))
                << question->toStdString();
            return frame - 1;
        }
    }
    ADD_FAILURE() << "Suivant never asked";
    return 0;
}

TEST(FlashBudget, SuivantAsksBeforeTheFrameThatOverflowsAndNonKeepsFileAndWindow) {
    test::TempHome home;
    test::WindowDriver d;
    d.Type(Nomf, "full");
    d.Click(Commencer);
    d.Click(BP1);
    d.Type(Temps, "300");
    const int recorded = RecordUntilAsked(d, 2, QStringLiteral("Escape"));
    ASSERT_GT(recorded, 40);
    EXPECT_TRUE(d.Control(Suivant)->toolTip().contains(
        QStringLiteral("Image n° %1 du programme").arg(recorded + 1)));

    // Non wrote nothing and changed nothing; the user can go on with the window.
    const std::string before = home.Read("full.c");
    const CellState cells = d.Form().Cells();
    const auto again = test::AnswerMessageBox([&] { d.Click(Suivant); }, QStringLiteral("Non"));
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(home.Read("full.c"), before);
    EXPECT_EQ(d.Form().Cells(), cells);
    EXPECT_TRUE(d.Shown(Suivant) && d.Shown(FinirBP));

    d.Click(FinirBP);
    d.Click(Finir);
    const std::string program = home.Read("full.c");
    const ScratchFolder scratch;
    const Firmware firmware = BuildFirmware(program, "full.c", scratch);
    EXPECT_TRUE(firmware.sizes.Fits()) << SizesLine(firmware.sizes);
    EXPECT_GT(firmware.sizes.flash, kChipFlashBytes * 95 / 100) << "the question came too early";
    const std::vector<RecordedFrame> frames = ReadProgram(program);
    ASSERT_EQ(frames.size(), static_cast<std::size_t>(recorded));
    // The HEX plays the recorded frames, each for its 20 passes.
    const auto shown = DecodeShow(RunFirmware(firmware.hex, SwitchCombination::BP1, 3200));
    ASSERT_GE(shown.size(), 10u);
    for (std::size_t i = 0; i + 1 < shown.size(); ++i) {
        EXPECT_EQ(shown[i].cells, frames[i].cells) << "frame " << i;
        EXPECT_EQ(shown[i].passes, 20) << "frame " << i;
    }
    // The file now holds a program, and the name box says so.
    EXPECT_TRUE(d.Control(Nomf)->toolTip().contains(QStringLiteral("déjà 1 programme :")));
}

TEST(FlashBudget, OuiAppendsTheFrameAsUsual) {
    test::TempHome home;
    test::WindowDriver d;
    d.Type(Nomf, "over");
    d.Click(Commencer);
    d.Click(Aucun);
    d.Type(Temps, "300");
    const int recorded = RecordUntilAsked(d, 3, QStringLiteral("Oui"));
    d.Click(FinirBP);
    d.Click(Finir);
    EXPECT_EQ(ReadProgram(home.Read("over.c")).size(), static_cast<std::size_t>(recorded + 1));
}

}  // namespace
}  // namespace ledcube::sim
