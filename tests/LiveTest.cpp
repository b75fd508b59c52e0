// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>

#include "TestSupport.h"
#include "chip/CubeSimulator.h"
#include "chip/FirmwareBuild.h"
#include "chip/ShowDecoder.h"
#include "chip/WiringFile.h"
#include "compact/LiveBuild.h"

using namespace ledcube;
using namespace ledcube::chip;
using namespace ledcube::compact;

namespace {

TEST(LiveProtocol, ChecksFramesWithCrc8AndPicksASerialSpeedTheClockMakes) {
    const std::string check = "123456789";
    EXPECT_EQ(LiveCrc(reinterpret_cast<const std::uint8_t*>(check.data()), check.size()), 0xF4);
    const std::vector<std::uint8_t> frame = LiveFrame(test::CellsOn({1, 9, 10, 27}));
    ASSERT_EQ(frame.size(), 6u);
    EXPECT_EQ(frame[0], kLiveStart);
    EXPECT_EQ(frame[1], 0x01);
    EXPECT_EQ(frame[2], 0x03);  // cells 9 and 10
    EXPECT_EQ(frame[4], 0x04);  // cell 27
    EXPECT_EQ(frame[5], LiveCrc(frame.data(), 5));
    struct Case {
        unsigned clock;
        unsigned baud;
        unsigned ubrr;
    };
    for (const Case& c : {Case{16000000, 115200, 16}, Case{12000000, 115200, 12},
                          Case{8000000, 57600, 16}, Case{1000000, 9600, 12}}) {
        const std::optional<LiveBaud> baud = LiveBaudFor(c.clock);
        ASSERT_TRUE(baud.has_value()) << c.clock;
        EXPECT_EQ(baud->baud, c.baud) << c.clock;
        EXPECT_EQ(baud->ubrr, c.ubrr) << c.clock;
    }
    EXPECT_FALSE(LiveBaudFor(100000).has_value());
}

// The cells of each frame the chip showed with any LED lit, in order.
std::vector<CellState> LitFrames(const PortTrace& trace) {
    std::vector<CellState> shown;
    for (const ShownFrame& frame : DecodeShow(trace)) {
        bool any = false;
        for (int n = 1; n <= kCellCount; ++n) any = any || frame.cells.Get(n);
        if (!any) continue;
        // The cube's own pace: three 5 ms layer slots a pass (within a look at the line).
        if (!frame.cut && frame.passes > 1) {
            EXPECT_NEAR(frame.durationMs / frame.passes, 15.0, 0.15) << frame.passes;
        }
        if (shown.empty() || !(shown.back() == frame.cells)) shown.push_back(frame.cells);
    }
    return shown;
}

class LiveProgramTest : public testing::TestWithParam<const char*> {};

TEST_P(LiveProgramTest, ShowsEveryGoodFrameItIsSentNoOtherAndReportsItsButtons) {
    const Chip plain = *ChipNamed(GetParam());
    std::mt19937 random(11);
    // The Uno as the README's cube is wired; the others as delivered.
    Chip chip = plain;
    if (std::string_view(plain.id) == "nano") {
        PinWiring wiring = DefaultWiring(plain.wiring);
        wiring.ledsLitHigh = true;
        wiring.buttonsPressedHigh = false;
        NameWiring(wiring, "inverted");
        chip = WithWiring(plain, wiring);
    }
    const ScratchFolder folder;
    const Firmware firmware = BuildFirmware(LiveSource(chip), "live.c", folder, chip);
    ASSERT_TRUE(firmware.sizes.Fits());
    CubeChip cube(firmware.hex, chip);
    PortTrace trace{chip.clockHz, 0, {}};
    const auto run = [&](double ms) {
        const std::vector<PortWrite> writes =
            cube.Run(static_cast<std::uint64_t>(ms * chip.clockHz / 1000));
        trace.writes.insert(trace.writes.end(), writes.begin(), writes.end());
        trace.endCycle = cube.Cycle();
    };
    cube.TakeSerialOutput();  // the line connected from the start
    run(20);
    cube.SendSerial({kLiveQuestion});
    run(60);
    const std::vector<std::uint8_t> said = cube.TakeSerialOutput();
    const std::string hello = LiveHello(chip);
    ASSERT_GE(said.size(), hello.size() + 1) << std::string(said.begin(), said.end());
    EXPECT_EQ(said[0], kLiveButtons);  // none held, at start
    EXPECT_EQ(std::string(said.begin() + 1, said.end()), hello);

    std::vector<CellState> sent;
    const auto randomCells = [&] {
        CellState cells;
        for (int n = 1; n <= kCellCount; ++n) cells.Set(n, random() % 3 == 0);
        cells.Set(1 + static_cast<int>(random() % 27), true);
        return cells;
    };
    for (int round = 0; round < 3; ++round) {
        // A good frame, shown; one with a bit flipped, and one cut short by the next start: never.
        const CellState good = randomCells();
        sent.push_back(good);
        cube.SendSerial(LiveFrame(good));
        run(60);
        std::vector<std::uint8_t> flipped = LiveFrame(randomCells());
        flipped[1 + random() % 4] ^= static_cast<std::uint8_t>(1u << (random() % 3));
        cube.SendSerial(flipped);
        run(60);
        std::vector<std::uint8_t> cut = LiveFrame(randomCells());
        cut.resize(3);
        cube.SendSerial(cut);
        const CellState after = randomCells();
        sent.push_back(after);
        cube.SendSerial(LiveFrame(after));
        run(60);
    }
    EXPECT_EQ(LitFrames(trace), sent);

    cube.HoldButtons(SwitchCombination::BP2);
    run(40);
    const std::vector<std::uint8_t> pressed = cube.TakeSerialOutput();
    ASSERT_EQ(pressed.size(), 1u);
    EXPECT_EQ(pressed[0], kLiveButtons | 2);
}

INSTANTIATE_TEST_SUITE_P(Chips, LiveProgramTest,
                         testing::Values("atmega8535", "atmega644p", "uno", "nano"));

}  // namespace
