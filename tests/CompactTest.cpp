// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <set>

#include "SimCommandRun.h"
#include "TestSupport.h"
#include "chip/Chips.h"
#include "chip/CubeSimulator.h"
#include "chip/FirmwareBuild.h"
#include "compact/BuildProof.h"
#include "compact/CompactBuild.h"
#include "firmware/Buttons.h"
#include "firmware/FlashEstimate.h"
#include "program/SimError.h"
#include "sim/Report.h"

namespace ledcube::sim {

using namespace ledcube::program;
using namespace ledcube::chip;
using namespace ledcube::compact;
namespace {

// A program as the editor could record it: frames between and inside
// sequences (the same combination twice, too), repeat counts below 0, 0, 1, a
// few and many, cells that repeat.
std::string RandomProgram(unsigned seed, int frames, bool longFrames = true,
                          bool sameCellsAgain = true) {
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
        const CellState last = cells;
        if (pick(3) != 0 || !sameCellsAgain)  // else the same cells again
            do {
                for (int n = 1; n <= kCellCount; ++n) cells.Set(n, pick(3) == 0);
            } while (!sameCellsAgain && cells == last);
        // The editor takes any whole number: -15 and -30 make counts of -1 and -2.
        static constexpr int kMilliseconds[] = {-30, -15, 0, 15, 15, 30, 45, 90, 600};
        text += FrameBlock(kMilliseconds[pick(longFrames ? 9 : 8)], cells);
    }
    if (open) text += SwitchBlockClose();
    return text + ProgramClose();
}

// What the cube shows of `rounds` rounds under `buttons`, worked out from the
// recorded frames alone: each frame that plays, for its repeat count, frames
// of one pass with the same cells one after the other as one (no pass of theirs
// is shorter than the step between them, so nothing on the cube parts them).
std::vector<std::pair<CellState, int>> ExpectedFrames(const std::vector<RecordedFrame>& frames,
                                                      SwitchCombination buttons, int rounds) {
    std::vector<std::pair<CellState, int>> plays;
    for (int round = 0; round < rounds; ++round)
        for (const RecordedFrame& frame : frames)
            if (PlaysUnder(frame, buttons) && frame.repeatCount > 0)
                plays.emplace_back(frame.cells, frame.repeatCount);
    std::vector<std::pair<CellState, int>> shown;
    for (std::size_t i = 0; i < plays.size();) {
        std::size_t end = i + 1;
        while (end < plays.size() && plays[end].first == plays[i].first) ++end;
        const bool allSingle = std::all_of(plays.begin() + static_cast<long>(i),
                                           plays.begin() + static_cast<long>(end),
                                           [](const auto& play) { return play.second == 1; });
        if (allSingle) {
            shown.emplace_back(plays[i].first, static_cast<int>(end - i));
        } else {
            shown.insert(shown.end(), plays.begin() + static_cast<long>(i),
                         plays.begin() + static_cast<long>(end));
        }
        i = end;
    }
    return shown;
}

// Runs a HEX under each combination for two rounds and a bit and checks the
// first round frame by frame against the recorded frames: cells, passes, and
// each pass 15 ms of delays and the code around them at the chip's clock
// (15.34 ms at 1 MHz, 15.02 ms at 16 MHz) within 1 %; where nothing plays,
// nothing lights.
void ExpectPlaysTheRecordedFrames(const std::filesystem::path& hex,
                                  const std::vector<RecordedFrame>& frames,
                                  const Chip& chip = kAtmega8535) {
    const double passMs = 15.0 + 0.338 * 1e6 / chip.clockHz;
    for (const SwitchCombination buttons : kCombinations) {
        SCOPED_TRACE(CombinationName(buttons));
        const long round = RoundPasses(frames, buttons);
        const std::vector<ShownFrame> shown =
            DecodeShow(RunFirmware(hex, buttons, 2.1 * round * 15.4 + 100, chip));
        if (round == 0) {
            EXPECT_TRUE(shown.empty()) << ShowReport(shown);
            continue;
        }
        const auto expected = ExpectedFrames(frames, buttons, 3);
        long passes = 0;
        for (std::size_t i = 0; passes < round; ++i) {
            ASSERT_LT(i, shown.size()) << ShowReport(shown);
            EXPECT_EQ(CellsText(shown[i].cells), CellsText(expected[i].first)) << "frame " << i;
            if (shown[i].cut) break;  // one stretch of the same cells, the whole run long
            EXPECT_EQ(shown[i].passes, expected[i].second) << "frame " << i;
            // A frame is timed from its first layer's LED writes to its last
            // layer's end: up to 0.2 ms of port writes are not in it.
            EXPECT_NEAR(shown[i].durationMs + 0.1, expected[i].second * passMs,
                        expected[i].second * passMs * 0.01 + 0.1)
                << "frame " << i;
            passes += shown[i].passes;
        }
    }
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

TEST_P(CompactBuildTest, ShowsTheRecordedFramesUnderEachCombination) {
    const std::string program = RandomProgram(GetParam().seed, GetParam().frames);
    const std::vector<RecordedFrame> frames = ReadProgram(program);
    const ScratchFolder scratch;
    const ScratchFolder compactScratch;
    const Firmware unrolled = BuildFirmware(program, "cube.c", scratch);
    // The proof compares the two builds on the simulated chip, and raises on a difference.
    const ProvenCompact compact =
        BuildProvenCompact(program, frames, &unrolled, "cube.c", compactScratch);
    EXPECT_EQ(compact.reference, GetParam().reference);
    ExpectPlaysTheRecordedFrames(compact.firmware.hex, frames);
}

INSTANTIATE_TEST_SUITE_P(
    RandomPrograms, CompactBuildTest,
    testing::Values(ProgramCase{1, 12, "the generated program on the ATmega8535"},
                    ProgramCase{2, 20, "the generated program on the ATmega8535"},
                    ProgramCase{3, 30, "the generated program on the ATmega8535"},
                    ProgramCase{4, 30, "the generated program on the ATmega8535"},
                    ProgramCase{5, 100, "the generated program on the ATmega16"}));

// A program of `sequences` sequences (BP1, BP2, BP3) sharing `count` frames of
// 1 to 3 passes, each frame's cells unlike the one before.
std::string LongProgram(int count, int sequences, unsigned seed) {
    std::mt19937 random(seed);
    std::string program = ProgramHeader();
    CellState last;
    for (int sequence = 0; sequence < sequences; ++sequence) {
        program += SwitchBlockOpen(kCombinations[sequence]);
        const int end = count * (sequence + 1) / sequences;
        for (int frame = count * sequence / sequences; frame < end; ++frame) {
            CellState cells;
            do {
                for (int n = 1; n <= kCellCount; ++n) cells.Set(n, random() % 3 == 0);
            } while (cells == last);
            last = cells;
            program += FrameBlock(15 * static_cast<int>(1 + random() % 3), cells);
        }
        program += SwitchBlockClose();
    }
    return program + ProgramClose();
}

TEST(CompactBuild, AThousandFramesInThreeSequencesPlayUnderEachCombination) {
    const std::string program = LongProgram(1000, 3, 1000);
    const std::vector<RecordedFrame> frames = ReadProgram(program);
    const ScratchFolder scratch;
    // Against the frames read: the generated program is far too large for any chip here.
    const ProvenCompact compact = BuildProvenCompact(program, frames, nullptr, "cube.c", scratch);
    EXPECT_LE(compact.firmware.sizes.flash, kChipFlashBytes);
    ExpectPlaysTheRecordedFrames(compact.firmware.hex, frames);
}

TEST(CompactBuild, TheCommandBuildsTheLargestProgramAndRefusesOneFrameMore) {
    const int limit = CompactFrameLimit(1);
    EXPECT_EQ(limit, 1219);  // as the README and --help say
    const ScratchFolder folder;
    const auto hex = folder.Path() / "cube.hex";
    const std::vector<std::string> options = {"--compact", "--hex", hex.string(), "--buttons",
                                              "BP1",       "--ms",  "500"};
    const test::CommandRun largest = test::RunCommand(LongProgram(limit, 1, 1217), options);
    ASSERT_EQ(largest.status, 0) << largest.err;
    EXPECT_GT(test::HexBytes(hex), kChipFlashBytes - kCompactEntryBytes);
    EXPECT_LE(test::HexBytes(hex), kChipFlashBytes);
    EXPECT_NE(largest.out.find("the compact build shows what the frames read from the program"),
              std::string::npos)
        << largest.out;
    // The unrolled build is far over the flash, and said so with its size.
    EXPECT_NE(largest.out.find("sizes: unrolled flash 1"), std::string::npos) << largest.out;

    std::filesystem::remove(hex);
    const test::CommandRun over = test::RunCommand(LongProgram(limit + 1, 1, 1218), options);
    EXPECT_EQ(over.status, 1);
    EXPECT_EQ(test::HexBytes(hex), 0);
    EXPECT_NE(over.err.find("it holds at most 1,219 frames in 1 sequence, and this program has "
                            "1,220 frames"),
              std::string::npos)
        << over.err;
}

TEST(CompactBuild, HoldsTheMeasuredNumberOfFramesAndRefusesOneMore) {
    for (const int sequences : {0, 2}) {
        for (const int extra : {0, 1}) {
            std::vector<RecordedFrame> frames;
            const int count = CompactFrameLimit(sequences) + extra;
            for (int i = 0; i < count; ++i) {
                const int sequence = sequences == 0 ? 0 : 1 + i * sequences / count;
                frames.push_back(
                    {2, test::CellsOn({i % 27 + 1}),
                     sequence == 0 ? std::nullopt : std::optional(kCombinations[sequence - 1]),
                     sequence});
            }
            const ScratchFolder scratch;
            const Firmware built = BuildFirmware(CompactSource(frames), "cube.c", scratch);
            EXPECT_EQ(built.sizes.Fits(), extra == 0)
                << count << " frames: " << SizesLine(built.sizes);
            if (extra == 0) continue;
            try {
                BuildProvenCompact("", frames, &built, "cube.c", scratch);
                ADD_FAILURE() << "no refusal past the limit";
            } catch (const SimError& error) {
                EXPECT_NE(std::string(error.what())
                              .find("it holds at most " + GroupThousands(count - 1, ',')),
                          std::string::npos)
                    << error.what();
            }
        }
    }
}

const ShowNames kNames{"the compact build", "the generated program"};

TEST(CompactProof, NamesTheFirstFrameThatDiffers) {
    const CellState a = test::CellsOn({1});
    const CellState b = test::CellsOn({2});
    const std::vector<ShownFrame> generated = {{0.1, 3, 46.1, a, false},
                                               {46.2, 2, 30.7, b, false},
                                               {77.0, 3, 46.1, a, false},
                                               {123.2, 2, 30.7, b, false},
                                               {154.0, 1, 15.3, a, true}};
    const auto changed = [&](int frame, auto change) {
        std::vector<ShownFrame> frames = generated;
        change(frames[frame]);
        return frames;
    };
    const std::pair<std::vector<ShownFrame>, std::optional<std::string>> cases[] = {
        {generated, std::nullopt},
        {changed(1, [](ShownFrame& f) { f.cells = test::CellsOn({3}); }),
         "shown frame 2, at 46.2 ms"},
        {changed(2, [](ShownFrame& f) { f.passes = 4; }), "shown frame 3, at 77.0 ms"},
        {changed(0, [](ShownFrame& f) { f.durationMs *= 1.02; }), "shown frame 1, at 0.1 ms"},
        {changed(0, [](ShownFrame& f) { f.durationMs *= 1.005; }), std::nullopt},
        {{generated.begin(), generated.begin() + 3},
         "shown frame 4, at 123.2 ms: the compact build shows nothing"},
        {changed(4, [](ShownFrame& f) { f.cells = test::CellsOn({3}); }),
         std::nullopt},  // past a round
    };
    for (const auto& [compact, difference] : cases) {
        const std::optional<std::string> found = FirstDifference(generated, compact, 10, kNames);
        ASSERT_EQ(found.has_value(), difference.has_value()) << found.value_or("agreed");
        if (difference) {
            EXPECT_NE(found->find(*difference), std::string::npos) << *found;
        }
    }
}

TEST(CompactProof, ComparesShowsOfNothingAndOfOneStretch) {
    const CellState a = test::CellsOn({1});
    const CellState b = test::CellsOn({2});
    const std::vector<ShownFrame> nothing;
    const std::vector<ShownFrame> stretchA = {{0.1, 40, 613.4, a, true}};
    const std::vector<ShownFrame> stretchB = {{0.1, 40, 613.4, b, true}};
    const std::vector<ShownFrame> twoFrames = {{0.1, 1, 15.2, a, false},
                                               {15.4, 39, 598.0, b, true}};
    struct Case {
        const std::vector<ShownFrame>& expected;
        const std::vector<ShownFrame>& compact;
        long covered;
        bool agree;
    };
    const Case cases[] = {
        {nothing, nothing, 0, true},
        {nothing, stretchA, 0, false},  // lights where nothing plays
        {stretchA, nothing, 1, false},
        {stretchA, stretchA, 1, true},
        {stretchA, stretchB, 1, false},  // one stretch each, other cells
        {stretchA, twoFrames, 1, false},
        {twoFrames, stretchA, 2, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(!FirstDifference(c.expected, c.compact, c.covered, kNames).has_value(), c.agree)
            << FirstDifference(c.expected, c.compact, c.covered, kNames).value_or("agreed")
            << ", case " << &c - cases;
}

// The compact build of one program against another, in both ways the proof
// runs: beside the generated program, and beside the frames read.
TEST(CompactProof, RefusesTheCompactBuildOfAnotherProgram) {
    const std::string one = ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP1) +
                            FrameBlock(45, test::CellsOn({5})) + SwitchBlockClose() +
                            ProgramClose();
    const std::string other = ProgramHeader() + FrameBlock(30, test::CellsOn({9})) +
                              SwitchBlockOpen(SwitchCombination::BP1) +
                              FrameBlock(45, test::CellsOn({5})) + SwitchBlockClose() +
                              ProgramClose();
    const ScratchFolder scratch;
    const ScratchFolder otherScratch;
    const Firmware generated = BuildFirmware(one, "one.c", scratch);
    const Firmware otherCompact =
        BuildFirmware(CompactSource(ReadProgram(other)), "other.c", otherScratch);
    for (const SwitchCombination buttons : {SwitchCombination::BP1, SwitchCombination::BP2}) {
        const long round = RoundPasses(ReadProgram(one), buttons);
        const std::vector<ShownFrame> compact =
            DecodeShow(RunFirmware(otherCompact.hex, buttons, 600));
        EXPECT_NE(FirstDifference(DecodeShow(RunFirmware(generated.hex, buttons, 600)), compact,
                                  round, kNames),
                  std::nullopt)
            << CombinationName(buttons);
        EXPECT_NE(
            FirstDifference(ExpectedShow(ReadProgram(one), buttons, 2), compact, round, kNames),
            std::nullopt)
            << CombinationName(buttons);
    }
}

class ChipTest : public testing::TestWithParam<Chip> {};

// Every chip and board, unrolled and compact, shows what the ATmega8535 build shows.
TEST_P(ChipTest, ARandomProgramShowsItsFramesOnEachChipUnrolledAndCompact) {
    const Chip& chip = GetParam();
    // Frames of one pass with the same cells as the one before would part
    // differently in the generated program (straight code) and the compact
    // build (a loop); this program has none.
    const std::string program = RandomProgram(18, 14, false, false);
    const std::vector<RecordedFrame> frames = ReadProgram(program);
    const ScratchFolder scratch;
    const ScratchFolder chipScratch;
    const ScratchFolder compactScratch;
    const Firmware cube = BuildFirmware(program, "cube.c", scratch);
    const Firmware unrolled = BuildFirmware(program, "cube.c", chipScratch, chip);
    EXPECT_TRUE(unrolled.sizes.Fits()) << SizesLine(unrolled.sizes);
    // The product's proof, against the ATmega8535's build...
    const ProvenReference reference = ChooseReference(program, &cube, "cube.c", scratch);
    EXPECT_EQ(reference.text, "the generated program on the ATmega8535");
    ProveBuild(unrolled, "the unrolled build", reference, frames);
    const ProvenCompact compact =
        BuildProvenCompact(program, frames, &cube, "cube.c", compactScratch, chip);
    // ... and the frames read, judged on their own.
    {
        SCOPED_TRACE("unrolled");
        ExpectPlaysTheRecordedFrames(unrolled.hex, frames, chip);
    }
    {
        SCOPED_TRACE("compact");
        ExpectPlaysTheRecordedFrames(compact.firmware.hex, frames, chip);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryChip, ChipTest, testing::ValuesIn(Chips().begin(), Chips().end()),
                         [](const testing::TestParamInfo<Chip>& info) {
                             return test::TestName(info.param.id);
                         });

class SameCellsTest : public testing::TestWithParam<Chip> {};

// A frame with the cells of the one before, and a round ending with the cells
// it starts with, make one stretch on the cube, however long a pass of the
// chip's and of the reference's: the builds for each chip are proven so.
TEST_P(SameCellsTest, FramesWithTheCellsOfTheOneBeforeAreProvenOnEachChip) {
    const Chip& chip = GetParam();
    const CellState a = test::CellsOn({1, 5, 9, 14, 27});
    const CellState b = test::CellsOn({2, 4});
    const std::string program = ProgramHeader() + FrameBlock(90, a) + FrameBlock(45, a) +
                                FrameBlock(60, b) + FrameBlock(30, a) + ProgramClose();
    const std::vector<RecordedFrame> frames = ReadProgram(program);
    const ScratchFolder scratch;
    const ScratchFolder chipScratch;
    const ScratchFolder compactScratch;
    const Firmware cube = BuildFirmware(program, "cube.c", scratch);
    const ProvenReference reference = ChooseReference(program, &cube, "cube.c", scratch);
    EXPECT_NO_THROW(ProveBuild(BuildFirmware(program, "cube.c", chipScratch, chip),
                               "the unrolled build", reference, frames));
    EXPECT_NO_THROW(BuildProvenCompact(program, frames, &cube, "cube.c", compactScratch, chip));
}

INSTANTIATE_TEST_SUITE_P(Chips, SameCellsTest, testing::Values(kAtmega8535, kAtmega644p, kUno),
                         [](const testing::TestParamInfo<Chip>& info) {
                             return test::TestName(info.param.id);
                         });

// A program of nine frames, each lighting LED k of the bottom layer alone.
std::string OneLedAtATime() {
    std::string program = ProgramHeader();
    for (int k = 1; k <= 9; ++k) program += FrameBlock(45, test::CellsOn({k}));
    return program + ProgramClose();
}

// Where the cube's wires are on the chip's own pins: LED k lights (low) and
// the bottom layer is selected (high) on these port bits.
TEST(ChipPins, EachLedAndLayerIsDrivenOnItsPinOfTheChip) {
    struct Case {
        Chip chip;
        std::array<std::pair<char, int>, 9> leds;
        std::pair<char, int> bottomLayer;
    };
    const Case cases[] = {
        {kAtmega8535,
         {{{'A', 2},
           {'A', 1},
           {'A', 0},
           {'C', 5},
           {'C', 4},
           {'C', 3},
           {'C', 2},
           {'C', 1},
           {'C', 0}}},
         {'A', 3}},
        {kAtmega324p,
         {{{'A', 2},
           {'A', 1},
           {'A', 0},
           {'C', 5},
           {'C', 4},
           {'C', 3},
           {'C', 2},
           {'C', 1},
           {'C', 0}}},
         {'A', 3}},
        {kUno,
         {{{'D', 2},
           {'D', 3},
           {'D', 4},
           {'D', 5},
           {'D', 6},
           {'D', 7},
           {'B', 0},
           {'B', 1},
           {'B', 2}}},
         {'C', 0}},
    };
    const std::string program = OneLedAtATime();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chip.id);
        const ScratchFolder scratch;
        CubeChip chip(BuildFirmware(program, "pins.c", scratch, c.chip).hex, c.chip);
        const std::uint64_t ms = c.chip.clockHz / 1000;
        std::set<int> seen;
        // Every half millisecond through the first round: while the bottom layer is
        // selected, exactly one LED line is low, the frame's.
        for (std::uint64_t at = ms / 2; at < 9 * 46 * ms; at += ms / 2) {
            chip.Run(at - chip.Cycle());
            const auto level = [&](std::pair<char, int> pin) {
                return (chip.PortOutput(pin.first) >> pin.second) & 1;
            };
            if (!level(c.bottomLayer)) continue;
            std::vector<int> lit;
            for (int k = 1; k <= 9; ++k)
                if (!level(c.leds[k - 1])) lit.push_back(k);
            if (lit.empty())
                continue;  // the layer is selected a few cycles before its LEDs are set
            ASSERT_EQ(lit.size(), 1u) << "at " << at / ms << " ms";
            seen.insert(lit[0]);
        }
        EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    }
}

// The 40-pin chips leave the factory with JTAG on PC2-PC5: the program turns it
// off first, JTD written twice within four cycles, before any port is driven.
TEST(ChipPins, TheFortyPinChipsSwitchJtagOffBeforeTheFirstPortWrite) {
    struct Case {
        Chip chip;
        std::uint16_t jtagRegister;  // data address of the register holding JTD (bit 7)
        bool switched;
    };
    const Case cases[] = {
        {kAtmega8535, 0x54, false},                             // MCUCSR: no JTAG on the ATmega8535
        {kAtmega16, 0x54, true},                                // MCUCSR
        {kAtmega32, 0x54, true},    {kAtmega164p, 0x55, true},  // MCUCR
        {kAtmega1284p, 0x55, true}, {kUno, 0x55, false}};       // no JTAG on the ATmega328P
    const std::string program = OneLedAtATime();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chip.id);
        const ScratchFolder scratch;
        CubeChip chip(BuildFirmware(program, "jtag.c", scratch, c.chip).hex, c.chip);
        chip.WatchRegister(c.jtagRegister);
        const std::vector<PortWrite> ports = chip.Run(c.chip.clockHz / 100);
        ASSERT_FALSE(ports.empty());
        std::vector<std::uint64_t> jtd;
        for (const CubeChip::RegisterWrite& write : chip.RegisterWrites())
            if (write.value & 0x80) jtd.push_back(write.cycle);
        if (!c.switched) {
            EXPECT_TRUE(jtd.empty());
            continue;
        }
        ASSERT_EQ(jtd.size(), 2u);
        EXPECT_LE(jtd[1] - jtd[0], 4u);
        EXPECT_LT(jtd[1], ports.front().cycle);
    }
}

TEST(ChipClock, AnotherClockKeepsTheSlotAtFiveMillisecondsInMoreCycles) {
    const std::string program = ProgramHeader() + FrameBlock(450, test::CellsOn({1, 14, 27})) +
                                FrameBlock(450, test::CellsOn({5})) + ProgramClose();
    for (const unsigned hertz : {1000000u, 8000000u, 12000000u}) {
        SCOPED_TRACE(hertz);
        const Chip chip = WithClock(kAtmega32, hertz);
        for (const bool compact : {false, true}) {
            const ScratchFolder scratch;
            const Firmware built =
                BuildFirmware(compact ? CompactSource(ReadProgram(program), chip) : program,
                              "clock.c", scratch, chip);
            const PortTrace trace = RunFirmware(built.hex, SwitchCombination::Aucun, 1000, chip);
            PassDecoder decoder(trace.frequency);
            std::vector<DecodedPass> passes;
            for (const PortWrite& write : trace.writes)
                if (auto pass = decoder.Feed(write)) passes.push_back(*pass);
            ASSERT_GE(passes.size(), 40u);
            const double cycles = static_cast<double>(passes[2].start - passes[1].start);
            EXPECT_NEAR(cycles, 3.0 * SlotCycles(hertz), 0.005 * 3 * SlotCycles(hertz)) << compact;
            EXPECT_NEAR(cycles / hertz, 0.015, 0.015 * 0.025) << compact;  // 15 ms and the code
        }
    }
}

TEST(ChipBuild, AProgramTooLargeForTheAtmega8535BuildsForTheAtmega32) {
    std::string program = ProgramHeader();
    for (int frame = 0; frame < 90; ++frame)
        program +=
            FrameBlock(15 * (2 + frame), test::CellsOn({frame % 27 + 1, (frame * 7) % 27 + 1}));
    program += ProgramClose();
    const ScratchFolder folder;
    const auto [cubeStatus, cubeOut, cubeErr] = test::RunCommand(program, {"--ms", "100"});
    EXPECT_EQ(cubeStatus, 1);
    EXPECT_NE(cubeErr.find("bytes of flash, and the ATmega8535 has 8,192: about "),
              std::string::npos)
        << cubeErr;
    const auto hex = folder.Path() / "sixty.hex";
    const auto [status, out, err] =
        test::RunCommand(program, {"--chip", "ATmega32", "--ms", "100", "--hex", hex.string()});
    EXPECT_EQ(status, 0) << err;
    EXPECT_NE(out.find(" of 32,768 bytes"), std::string::npos) << out;
    EXPECT_NE(out.find("; ATmega32 at 1 MHz"), std::string::npos) << out;
    EXPECT_NE(
        out.find("the build for the ATmega32 shows what the generated program on the ATmega16"),
        std::string::npos)
        << out;
    EXPECT_NE(out.find("avrdude -p m32 -c usbasp -U flash:w:"), std::string::npos) << out;
    EXPECT_GT(test::HexBytes(hex), kChipFlashBytes);
}

}  // namespace
}  // namespace ledcube::sim
