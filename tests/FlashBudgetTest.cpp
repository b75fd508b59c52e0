// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QtTest>
#include <random>

#include "InLanguage.h"
#include "TempHome.h"
#include "TestSupport.h"
#include "WindowDriver.h"
#include "chip/CubeSimulator.h"
#include "chip/FirmwareBuild.h"
#include "firmware/FlashEstimate.h"
#include "program/ProgramReader.h"

namespace ledcube::sim {

using namespace ledcube::program;
using namespace ledcube::chip;
namespace {

using enum ControlId;

// A program as a user might record it, written out and estimated block by block.
struct RandomProgram {
    std::string text;
    FlashEstimate estimate;
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
    EXPECT_NEAR(estimated, real, real * 0.02);
}

INSTANTIATE_TEST_SUITE_P(RandomPrograms, FlashEstimateTest, testing::Range(1u, 41u));

// Programs of no or one playing frame, where the compiler's fixed costs are all there is.
TEST(FlashEstimate, IsWithinTwoPercentForProgramsOfNoOrOnePlayingFrame) {
    using enum SwitchCombination;
    struct Block {
        std::optional<SwitchCombination> open;  // none: a frame of `ms`
        int ms = 0;
    };
    const std::vector<std::vector<Block>> programs = {
        {},
        {{BP1}, {std::nullopt}},
        {{std::nullopt, 0}},
        {{std::nullopt, 15}},
        {{std::nullopt, 300}},
        {{Aucun}, {std::nullopt, 300}, {std::nullopt}},
        {{BP2}, {std::nullopt, 15}, {std::nullopt}},
        {{std::nullopt, 0}, {std::nullopt, 14}, {std::nullopt, 1000}},
        {{std::nullopt, -30}, {BP3}, {std::nullopt, 0}, {std::nullopt}},
    };
    for (const std::vector<Block>& blocks : programs) {
        std::string text = ProgramHeader();
        FlashEstimate estimate;
        estimate.Header();
        bool open = false;
        std::string described;
        for (const Block& block : blocks) {
            if (block.open) {
                text += SwitchBlockOpen(*block.open);
                estimate.Open(*block.open);
                open = true;
                described += std::string(CombinationName(*block.open)) + " { ";
            } else if (open && block.ms == 0) {
                text += SwitchBlockClose();
                estimate.Close();
                open = false;
                described += "} ";
            } else {
                text += FrameBlock(block.ms, test::CellsOn({5, 14}));
                estimate.Frame(block.ms, test::CellsOn({5, 14}));
                described += std::to_string(block.ms) + " ms ";
            }
        }
        text += ProgramClose();
        const ScratchFolder scratch;
        const int real = BuildFirmware(text, "small.c", scratch).sizes.flash;
        EXPECT_NEAR(estimate.BytesWithClosings(), real, real * 0.02) << described;
    }
}

TEST(FlashBudget, SuivantAsksBeforeTheFrameThatOverflowsAndNonLeavesAProgramThatFits) {
    const test::SpeakFrench french;  // the question as a French user reads it
    test::TempHome home;
    test::WindowDriver d;
    d.Type(Nomf, "full");
    d.Click(Commencer);
    d.Click(BP1);
    d.Type(Temps, "300");
    d.Click(Etage2);
    // Frames of changing cells until Suivant asks; Escape answers Non.
    int recorded = 0;
    std::optional<QString> question;
    while (!question && recorded < 120) {
        d.Tick(10 + recorded % 9);
        question = test::AnswerMessageBox([&] { d.Click(Suivant); }, QStringLiteral("Escape"));
        if (!question) ++recorded;
    }
    ASSERT_TRUE(question.has_value()) << "Suivant never asked";
    EXPECT_TRUE(question->contains(QStringLiteral("8 192 octets"))) << question->toStdString();
    EXPECT_TRUE(d.Control(Suivant)->toolTip().contains(
        QStringLiteral("Image n° %1 du programme").arg(recorded + 1)));
    // The question's buttons give the answers they bear.
    for (const auto& [answer, oui] : {std::pair{"Oui", true}, std::pair{"Non", false}}) {
        bool said = !oui;
        test::AnswerMessageBox([&] { said = d.Form().Confirm("?"); }, QString::fromUtf8(answer));
        EXPECT_EQ(said, oui) << answer;
    }

    d.Click(FinirBP);
    d.Click(Finir);
    const std::string program = home.Read("full.c");
    const ScratchFolder scratch;
    const Firmware firmware = BuildFirmware(program, "full.c", scratch);
    EXPECT_TRUE(firmware.sizes.Fits()) << SizesLine(firmware.sizes);
    EXPECT_GT(firmware.sizes.flash, kChipFlashBytes * 95 / 100) << "the question came too early";
    const std::vector<RecordedFrame> frames = ReadProgram(program);
    ASSERT_EQ(frames.size(), static_cast<std::size_t>(recorded)) << "Non appended the frame";
    // The HEX plays the recorded frames, each for its 20 passes.
    const auto shown = DecodeShow(RunFirmware(firmware.hex, SwitchCombination::BP1, 3200));
    ASSERT_GE(shown.size(), 10u);
    for (std::size_t i = 0; i + 1 < shown.size(); ++i) {
        EXPECT_EQ(shown[i].cells, frames[i].cells) << "frame " << i;
        EXPECT_EQ(shown[i].passes, 20) << "frame " << i;
    }
    EXPECT_TRUE(d.Control(Nomf)->toolTip().contains(QStringLiteral("déjà 1 programme :")));
}

}  // namespace
}  // namespace ledcube::sim
