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

TEST(LiveProtocol, ChecksFramesWithCrc7AndPicksASerialSpeedTheClockMakes) {
    const std::string check = "123456789";
    EXPECT_EQ(LiveCrc(reinterpret_cast<const std::uint8_t*>(check.data()), check.size()), 0x75);
    const std::vector<std::uint8_t> frame = LiveFrame(test::CellsOn({1, 9, 10, 27}));
    ASSERT_EQ(frame.size(), 6u);
    EXPECT_EQ(frame[0], kLiveStart);
    EXPECT_EQ(frame[1], 0x01);
    EXPECT_EQ(frame[2], 0x06);  // cells 9 and 10
    EXPECT_EQ(frame[4], 0x20);  // cell 27
    EXPECT_EQ(frame[5], LiveCrc(frame.data(), 5));
    // Whatever is lit, only the start byte has the top bit set.
    CellState lit;
    for (int n = 1; n <= kCellCount; ++n) lit.Set(n, true);
    const std::vector<std::uint8_t> all = LiveFrame(lit);
    for (std::size_t i = 1; i < all.size(); ++i) EXPECT_LT(all[i], 0x80) << i;
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

// The frames the chip showed with any LED lit, in order (the same cells in a row are one).
std::vector<ShownFrame> LitFrames(const PortTrace& trace) {
    std::vector<ShownFrame> shown;
    for (const ShownFrame& frame : DecodeShow(trace)) {
        bool any = false;
        for (int n = 1; n <= kCellCount; ++n) any = any || frame.cells.Get(n);
        if (!any) continue;
        // The cube's own pace: three 5 ms layer slots a pass, the last one cut by the next frame.
        if (!frame.cut) EXPECT_NEAR(frame.passes, frame.durationMs / 15.0, 1.0);
        if (!shown.empty() && shown.back().cells == frame.cells)
            shown.back().durationMs = frame.startMs + frame.durationMs - shown.back().startMs;
        else
            shown.push_back(frame);
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

    // The good frames sent, and when they were sent (ms).
    std::vector<CellState> sent;
    std::vector<double> sentAt;
    const auto now = [&] { return 1000.0 * static_cast<double>(trace.endCycle) / chip.clockHz; };
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
        sentAt.push_back(now());
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
        sentAt.push_back(now());
        cube.SendSerial(LiveFrame(after));
        run(60);
    }
    // Each shows as soon as its last byte is in (nine bytes on the line after a cut frame).
    const double wireMs = 9 * 10 * 1000.0 / LiveBaudFor(chip.clockHz)->baud + 0.5;
    const std::vector<ShownFrame> shown = LitFrames(trace);
    ASSERT_EQ(shown.size(), sent.size());
    for (std::size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(CellsText(shown[i].cells), CellsText(sent[i])) << i;
        EXPECT_GE(shown[i].startMs, sentAt[i]) << i;
        EXPECT_LE(shown[i].startMs, sentAt[i] + wireMs) << i;
    }

    cube.HoldButtons(SwitchCombination::BP2);
    run(40);
    const std::vector<std::uint8_t> pressed = cube.TakeSerialOutput();
    ASSERT_EQ(pressed.size(), 1u);
    EXPECT_EQ(pressed[0], kLiveButtons | 2);
}

INSTANTIATE_TEST_SUITE_P(Chips, LiveProgramTest,
                         testing::Values("atmega8535", "atmega644p", "uno", "nano"));

}  // namespace
