// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>

#include "TestSupport.h"
#include "firmware/FlashEstimate.h"
#include "sim/CompactBuild.h"
#include "sim/CompactProof.h"
#include "sim/CubeSimulator.h"
#include "sim/FirmwareBuild.h"
#include "sim/SimError.h"

namespace ledcube::sim {
namespace {

constexpr SwitchCombination kCombinations[] = {SwitchCombination::BP1, SwitchCombination::BP2,
                                               SwitchCombination::BP3, SwitchCombination::Aucun};

// A program as the editor could record it: frames between and inside
// sequences (the same combination twice, too), repeat counts 0, 1, a few and
// many, cells that repeat.
std::string RandomProgram(unsigned seed, int frames) {
    std::mt19937 random(seed);
    const auto pick = [&](int n) { return static_cast<int>(random() % n); };
    std::string text = ProgramHeader();
    bool open = false;
    CellState cells;
    for (int frame = 0; frame < frames; ++frame) {
        if (pick(5) == 0) {
            if (open) text += SwitchBlockClose();
            open = !open || pick(2) == 0;
            if (open) text += SwitchBlockOpen(kCombinations[pick(4)]);
        }
        if (pick(3) != 0)  // else the same cells again
            for (int n = 1; n <= kCellCount; ++n) cells.Set(n, pick(3) == 0);
        static constexpr int kMilliseconds[] = {0, 15, 15, 30, 45, 90, 600};
        text += FrameBlock(kMilliseconds[pick(7)], cells);
    }
    if (open) text += SwitchBlockClose();
    return text + ProgramClose();
}

struct ProgramCase {
    unsigned seed;
    int frames;
    const char* reference;  // what the proof runs beside the compact build
};

void PrintTo(const ProgramCase& c, std::ostream* out) {
    *out << "seed " << c.seed << ", " << c.frames << " frames";
}

class CompactBuildTest : public testing::TestWithParam<ProgramCase> {};

TEST_P(CompactBuildTest, ShowsTheGeneratedProgramsFramesUnderEachCombination) {
    const std::string program = RandomProgram(GetParam().seed, GetParam().frames);
    const std::vector<RecordedFrame> frames = ReadProgram(program);
    const ScratchFolder scratch;
    const ScratchFolder compactScratch;
    const Firmware unrolled = BuildFirmware(program, "cube.c", scratch);
    // The proof compares the two builds on the simulated chip, and raises on a difference.
    const ProvenCompact compact =
        BuildProvenCompact(program, frames, unrolled, "cube.c", compactScratch);
    EXPECT_EQ(compact.reference, GetParam().reference);
    // And the compact build shows the recorded frames, checked from the frames alone.
    for (const SwitchCombination buttons : kCombinations) {
        const long round = RoundPasses(frames, buttons);
        const std::vector<ShownFrame> shown = DecodeShow(
            RunFirmware(compact.firmware.hex, buttons, (round + 2 * 40) * 15.4 * 1.02 + 100));
        EXPECT_EQ(FirstDifference(ExpectedShow(frames, buttons, 2), shown, round - 40, 0.25), std::nullopt)
            << CombinationName(buttons);
    }
}

INSTANTIATE_TEST_SUITE_P(
    RandomPrograms, CompactBuildTest,
    testing::Values(ProgramCase{1, 12, "the generated program on the ATmega8535"},
                    ProgramCase{2, 20, "the generated program on the ATmega8535"},
                    ProgramCase{3, 30, "the generated program on the ATmega8535"},
                    ProgramCase{4, 30, "the generated program on the ATmega8535"},
                    ProgramCase{5, 75, "the generated program on the ATmega16"}));

TEST(CompactBuild, ThreeHundredFramesInTwoSequencesFitAndShowInOrder) {
    std::mt19937 random(300);
    std::string program = ProgramHeader();
    for (const SwitchCombination sequence : {SwitchCombination::BP1, SwitchCombination::BP2}) {
        program += SwitchBlockOpen(sequence);
        for (int frame = 0; frame < 150; ++frame) {
            CellState cells;
            for (int n = 1; n <= kCellCount; ++n) cells.Set(n, random() % 3 == 0);
            program += FrameBlock(15 * static_cast<int>(1 + random() % 4), cells);
        }
        program += SwitchBlockClose();
    }
    program += ProgramClose();
    const std::vector<RecordedFrame> frames = ReadProgram(program);
    const ScratchFolder scratch;
    const ScratchFolder compactScratch;
    const ProvenCompact compact = BuildProvenCompact(
        program, frames, BuildFirmware(program, "cube.c", scratch), "cube.c", compactScratch);
    EXPECT_LT(compact.firmware.sizes.flash, kChipFlashBytes);
    for (const SwitchCombination buttons : kCombinations) {
        const long round = RoundPasses(frames, buttons);
        const std::vector<ShownFrame> shown =
            DecodeShow(RunFirmware(compact.firmware.hex, buttons, (round + 8) * 15.4 * 1.02 + 100));
        EXPECT_EQ(FirstDifference(ExpectedShow(frames, buttons, 2), shown, round - 4, 0.25),
                  std::nullopt)
            << CombinationName(buttons);
    }
}

TEST(CompactBuild, HoldsTheMeasuredNumberOfFramesAndRefusesOneMore) {
    for (const int sequences : {0, 2}) {
        for (const int extra : {0, 1}) {
            std::vector<RecordedFrame> frames;
            const int count = CompactFrameLimit(sequences) + extra;
            for (int i = 0; i < count; ++i) {
                const int sequence = sequences == 0 ? 0 : 1 + i * sequences / count;
                frames.push_back({2, test::CellsOn({i % 27 + 1}),
                                  sequence == 0 ? std::nullopt
                                                : std::optional(kCombinations[sequence - 1]),
                                  sequence});
            }
            const ScratchFolder scratch;
            const Firmware built = BuildFirmware(CompactSource(frames), "cube.c", scratch);
            EXPECT_EQ(built.sizes.Fits(), extra == 0) << count << " frames: " << SizesLine(built.sizes);
            if (extra == 0) continue;
            try {
                BuildProvenCompact("", frames, built, "cube.c", scratch);
                ADD_FAILURE() << "no refusal past the limit";
            } catch (const SimError& error) {
                EXPECT_NE(std::string(error.what()).find("it holds at most " +
                                                         GroupThousands(count - 1, ',')),
                          std::string::npos)
                    << error.what();
            }
        }
    }
}

TEST(CompactProof, NamesTheFirstFrameThatDiffers) {
    const CellState a = test::CellsOn({1});
    const CellState b = test::CellsOn({2});
    const std::vector<ShownFrame> generated = {{0.1, 3, 46.1, a, false}, {46.2, 2, 30.7, b, false},
                                               {77.0, 3, 46.1, a, false}, {123.2, 2, 30.7, b, false},
                                               {154.0, 1, 15.3, a, true}};
    const auto changed = [&](int frame, auto change) {
        std::vector<ShownFrame> frames = generated;
        change(frames[frame]);
        return frames;
    };
    const std::pair<std::vector<ShownFrame>, std::optional<std::string>> cases[] = {
        {generated, std::nullopt},
        {changed(1, [](ShownFrame& f) { f.cells = test::CellsOn({3}); }), "shown frame 2, at 46.2 ms"},
        {changed(2, [](ShownFrame& f) { f.passes = 4; }), "shown frame 3, at 77.0 ms"},
        {changed(0, [](ShownFrame& f) { f.durationMs *= 1.02; }), "shown frame 1, at 0.1 ms"},
        {changed(0, [](ShownFrame& f) { f.durationMs *= 1.005; }), std::nullopt},
        {{generated.begin(), generated.begin() + 3}, "the shows part after shown frame 3"},
    };
    for (const auto& [compact, difference] : cases) {
        const std::optional<std::string> found = FirstDifference(generated, compact, 10);
        ASSERT_EQ(found.has_value(), difference.has_value()) << found.value_or("agreed");
        if (difference) {
            EXPECT_NE(found->find(*difference), std::string::npos) << *found;
        }
    }
}

}  // namespace
}  // namespace ledcube::sim
