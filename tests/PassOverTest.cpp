// SPDX-License-Identifier: GPL-3.0-or-later
// Delay loops passed over in one step change nothing: the same port writes at
// the same cycles, the same registers, flags and counters as every
// instruction run one by one.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "TestSupport.h"
#include "chip/CubeSimulator.h"
#include "chip/DelayLoop.h"
#include "chip/FirmwareBuild.h"
#include "compact/CompactBuild.h"
#include "firmware/Buttons.h"
#include "program/ProgramReader.h"

namespace ledcube::chip {
namespace {

// A program of the editor's with frames of 1 to 20 passes, some in sequences.
std::string ShortFramesProgram(unsigned seed) {
    std::mt19937 random(seed);
    std::string text = ProgramHeader();
    for (int block = 0; block < 4; ++block) {
        const bool sequence = block % 2 == 1;
        if (sequence) text += SwitchBlockOpen(kCombinations[random() % 4]);
        for (int frame = 0; frame < 3; ++frame) {
            CellState cells;
            for (int n = 1; n <= kCellCount; ++n) cells.Set(n, random() % 3 == 0);
            text += FrameBlock(15 * static_cast<int>(1 + random() % 20), cells);
        }
        if (sequence) text += SwitchBlockClose();
    }
    return text + ProgramClose();
}

// Runs the HEX on two chips side by side, one passing over its delay loops,
// in random slices with the buttons changed between them (in the middle of a
// loop as often as not); returns the share of the cycles passed over.
double ExpectTheSameRuns(const std::filesystem::path& hex, const Chip& chip, unsigned seed,
                         double ms) {
    CubeChip fast(hex, chip);
    CubeChip plain(hex, chip);
    fast.SetPassOver(true);
    plain.SetPassOver(false);
    std::mt19937 random(seed);
    const auto total = static_cast<std::uint64_t>(ms * chip.clockHz / 1000);
    while (plain.Cycle() < total) {
        if (random() % 3 == 0) {
            const std::array<bool, 3> held = BitsToButtons(static_cast<int>(random() % 8));
            fast.HoldButtons(held);
            plain.HoldButtons(held);
        }
        const std::uint64_t slice = 1 + random() % (chip.clockHz / 100);
        const std::vector<PortWrite> passed = fast.Run(slice);
        const std::vector<PortWrite> stepped = plain.Run(slice);
        EXPECT_TRUE(passed == stepped) << "slice ending at cycle " << plain.Cycle();
        EXPECT_TRUE(fast.State() == plain.State()) << "at cycle " << plain.Cycle();
        // The core just after a pass, against the same cycle reached step by step.
        if (fast.PassOverDelay(fast.Cycle() + slice)) {
            EXPECT_TRUE(plain.Run(fast.Cycle() - plain.Cycle()).empty());
            EXPECT_TRUE(fast.State() == plain.State()) << "passed to cycle " << fast.Cycle();
        }
        if (::testing::Test::HasFailure()) return 0;
    }
    return static_cast<double>(fast.PassedOverCycles()) / static_cast<double>(fast.Cycle());
}

struct ExactCase {
    const char* name;
    Chip chip;
    bool compact;
    double leastPassedOver;  // the share of the cycles the passing-over must take
};

class PassOverTest : public testing::TestWithParam<ExactCase> {};

TEST_P(PassOverTest, ChangesNoWriteNoRegisterNoCycle) {
    const ExactCase& c = GetParam();
    for (const unsigned seed : {1u, 2u}) {
        const std::string program = ShortFramesProgram(seed);
        const ScratchFolder scratch;
        const Firmware firmware =
            c.compact ? BuildFirmware(compact::CompactSource(program::ReadProgram(program), c.chip),
                                      "compact.c", scratch, c.chip)
                      : BuildFirmware(program, "cube.c", scratch, c.chip);
        const double share = ExpectTheSameRuns(firmware.hex, c.chip, seed, 400);
        EXPECT_GE(share, c.leastPassedOver) << "seed " << seed;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Chips, PassOverTest,
    testing::Values(ExactCase{"atmega8535_1MHz", kAtmega8535, false, 0.9},
                    ExactCase{"atmega16_8MHz", WithClock(kAtmega16, 8000000), false, 0.9},
                    ExactCase{"atmega1284p_12MHz", WithClock(kAtmega1284p, 12000000), false, 0.9},
                    ExactCase{"uno_16MHz", kUno, false, 0.95},
                    ExactCase{"nano_old_16MHz", kNanoOld, false, 0.95},
                    ExactCase{"atmega32_100kHz", WithClock(kAtmega32, 100000), false, 0.5},
                    ExactCase{"atmega8535_compact", kAtmega8535, true, 0},
                    ExactCase{"uno_compact", kUno, true, 0}),
    [](const testing::TestParamInfo<ExactCase>& info) { return std::string(info.param.name); });

// A program of our own for the Uno, built with avr-gcc as it stands.
std::filesystem::path BuildOwn(const std::string& source, const ScratchFolder& scratch) {
    const std::filesystem::path folder = scratch.Path();
    std::ofstream(folder / "own.c") << source;
    EXPECT_EQ(RunTool({"avr-gcc", "-mmcu=atmega328p", "-Os", "-DF_CPU=16000000UL", "own.c", "-o",
                       "own.elf"},
                      folder, folder / "gcc.log"),
              0)
        << ReadTextFile(folder / "gcc.log");
    EXPECT_EQ(RunTool({"avr-objcopy", "-O", "ihex", "own.elf", "own.hex"}, folder,
                      folder / "objcopy.log"),
              0);
    return folder / "own.hex";
}

// Loops with an interrupt due inside them, or a timer that the program reads
// after them: passed over only up to the simulator's next event.
TEST(PassOver, StopsShortOfAnInterruptOrATimerDueInsideTheLoop) {
    const std::pair<const char*, const char*> programs[] = {
        {"an interrupt", R"(#include <avr/io.h>
#include <avr/interrupt.h>
ISR(TIMER0_OVF_vect) { PORTD ^= 0x04; }
int main(void) {
    DDRB = 0x07; DDRC = 0x07; DDRD = 0xFC;
    TCCR0B = 0x02;  /* clk/8: an overflow every 2,048 cycles */
    TIMSK0 = 0x01;
    sei();
    for (;;) { PORTB ^= 0x01; __builtin_avr_delay_cycles(40000); }
})"},
        {"a timer", R"(#include <avr/io.h>
int main(void) {
    DDRB = 0x07; DDRC = 0x07; DDRD = 0xFC;
    OCR1A = 700;
    TCCR1B = 0x09;  /* clear on compare, clk/1 */
    for (;;) {
        __builtin_avr_delay_cycles(5003);
        PORTD = (unsigned char)(TCNT1 << 2);
        if (TIFR1 & 0x02) { TIFR1 = 0x02; PORTB ^= 0x02; }
    }
})"},
    };
    for (const auto& [name, source] : programs) {
        SCOPED_TRACE(name);
        const ScratchFolder scratch;
        const double share = ExpectTheSameRuns(BuildOwn(source, scratch), kUno, 7, 50);
        EXPECT_GT(share, 0.5);
    }
}

// The pure part: how far a pass goes and the flags it leaves, against the
// two instructions counted one by one.
TEST(DelayLoop, PassesAsTheInstructionsCountAndStopsBeforeTheLast) {
    const DelayLoop sbiw{24, 2, 4};
    const DelayLoop dec{18, 1, 3};
    const struct {
        const DelayLoop& loop;
        std::uint32_t counter;
        std::uint64_t free;
        std::uint32_t iterations;
    } cases[] = {
        {sbiw, 3997, 1000000, 3996},
        {sbiw, 3997, 401, 100},
        {sbiw, 3997, 400, 99},
        {sbiw, 1, 1000, 0},
        {sbiw, 0, 1u << 30, 65535},
        {dec, 0, 1000000, 255},
        {dec, 30, 10, 3},
        {sbiw, 0x8001, 20, 4},
        {dec, 0x81, 100, 33},
    };
    for (const auto& c : cases) {
        const std::uint32_t iterations = IterationsToPass(c.loop, c.counter, c.free);
        EXPECT_EQ(iterations, c.iterations) << c.counter << " in " << c.free;
        // The flags as the count-down instruction sets them, one iteration at a time.
        StatusFlags flags{1, 1, 1, 1, 1, 1, 1, 1};
        std::uint32_t value = c.counter;
        const std::uint32_t mask = c.loop.width == 1 ? 0xFF : 0xFFFF;
        const std::uint32_t top = c.loop.width == 1 ? 0x80 : 0x8000;
        for (std::uint32_t i = 0; i < iterations; ++i) {
            const std::uint32_t before = value;
            value = (value - 1) & mask;
            flags[1] = value == 0;
            flags[2] = (value & top) != 0;
            flags[3] = (before & top) != 0 && (value & top) == 0;
            flags[4] = flags[2] != flags[3];
            if (c.loop.width == 2) flags[0] = (value & top) != 0 && (before & top) == 0;
        }
        const LoopPass pass =
            PassIterations(c.loop, c.counter, iterations, StatusFlags{1, 1, 1, 1, 1, 1, 1, 1});
        EXPECT_EQ(pass.counter, value) << c.counter;
        EXPECT_EQ(pass.flags, flags) << c.counter;
        EXPECT_EQ(pass.cycles, iterations * static_cast<std::uint64_t>(c.loop.cycles));
    }
}

}  // namespace
}  // namespace ledcube::chip
