// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>

#include "TestSupport.h"
#include "chip/CubeSimulator.h"
#include "chip/FirmwareBuild.h"
#include "chip/ShowDecoder.h"
#include "chip/WiringFile.h"
#include "compact/LiveBuild.h"
#include "compact/LiveSession.h"
#include "program/SimError.h"

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
        if (!frame.cut) {
            EXPECT_NEAR(frame.passes, frame.durationMs / 15.0, 1.0);
        }
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

namespace {

using State = LiveSession::State;

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

// A session with the Uno on a port, opened at time 0.
struct Session {
    LiveSession live{kUno, "/dev/ttyACM0"};
    Session() { live.Opened(0); }
    // Steps the clock from `from` to `to` by milliseconds; what was written, by time.
    std::vector<std::pair<double, std::vector<std::uint8_t>>> Run(double from, double to) {
        std::vector<std::pair<double, std::vector<std::uint8_t>>> written;
        for (double now = from; now <= to + 1e-9; now += 0.001)
            if (std::vector<std::uint8_t> bytes = live.Take(now); !bytes.empty())
                written.emplace_back(now, std::move(bytes));
        return written;
    }
};

TEST(LiveSession, AsksUntilTheBoardSaysItRunsTheLiveProgramThenSendsTheFramesWhenDue) {
    Session s;
    s.live.Show(test::CellsOn({5}), 0);
    // The bootloader's bytes, then nothing: the question every quarter second.
    s.live.Read({0x14, 0x10, 0xFF, 'x'}, 0.1);
    const auto asked = s.Run(0, 0.6);
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[1].second, std::vector<std::uint8_t>{kLiveQuestion});
    EXPECT_NEAR(asked[2].first - asked[1].first, kLiveAskEvery, 0.002);
    EXPECT_EQ(s.live.Now(), State::Asking);
    // Frames given while asking never reach the bootloader; the newest goes once live.
    s.live.Show(test::CellsOn({6}), 0.61);
    s.live.Read(Bytes(LiveHello(kUno)), 0.62);
    EXPECT_EQ(s.live.Now(), State::Live);
    EXPECT_EQ(s.live.Says(), "live on the Arduino Uno (ATmega328P) on /dev/ttyACM0");
    EXPECT_EQ(s.Run(0.62, 0.62), (std::vector{std::pair{0.62, LiveFrame(test::CellsOn({6}))}}));
    // Each at its time; of two due together only the newest; never two within a pass.
    s.live.Show(test::CellsOn({7}), 0.700);
    s.live.Show(test::CellsOn({8}), 0.800);
    s.live.Show(test::CellsOn({9}), 0.800);
    s.live.Show(test::CellsOn({10}), 0.805);
    const auto sent = s.Run(0.63, 1.0);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_NEAR(sent[0].first, 0.700, 1e-6);
    EXPECT_EQ(sent[0].second, LiveFrame(test::CellsOn({7})));
    EXPECT_NEAR(sent[1].first, 0.800, 1e-6);
    EXPECT_EQ(sent[1].second, LiveFrame(test::CellsOn({9})));
    EXPECT_NEAR(sent[2].first, 0.800 + kLiveFrameSpacing, 1e-6);
    EXPECT_EQ(s.live.FramesSent(), 4);
    EXPECT_FALSE(s.live.NextEvent().has_value());
}

TEST(LiveSession, NamesABoardThatRunsSomethingElse) {
    struct Case {
        std::vector<std::uint8_t> answer;
        double at;
        std::string says;
    };
    const Case cases[] = {
        {{},
         6.0,
         "the Arduino Uno (ATmega328P) on /dev/ttyACM0 does not answer as the live program does"},
        {Bytes("ledcube-live 1 nano\n"), 1.0,
         "the board on /dev/ttyACM0 runs another live program (1 nano), not the Arduino Uno "
         "(ATmega328P)'s"},
        {Bytes("ledcube-live 2 uno\n"), 1.0,
         "the board on /dev/ttyACM0 runs another live program (2 uno), not the Arduino Uno "
         "(ATmega328P)'s"},
    };
    for (const Case& c : cases) {
        Session s;
        s.Run(0, 0.5);
        s.live.Read(c.answer, 0.5);
        s.Run(0.5, c.at);
        EXPECT_EQ(s.live.Now(), State::Foreign) << c.says;
        EXPECT_EQ(s.live.Says(), c.says);
        // It keeps asking, once a second: flashed meanwhile, the board is taken up.
        s.live.Read(Bytes(LiveHello(kUno)), c.at + 2);
        EXPECT_EQ(s.live.Now(), State::Live) << c.says;
    }
}

TEST(LiveSession, ReportsEachChangeOfTheCubesButtonsAndLetsGoWhenTheCubeIsGone) {
    Session s;
    s.live.Read({kLiveButtons | 1}, 0.5);            // BP1 held as the program starts
    EXPECT_FALSE(s.live.TakeButtons().has_value());  // not yet known to be the live program
    s.live.Read(Bytes(LiveHello(kUno)), 0.6);
    EXPECT_EQ(s.live.TakeButtons(), 1);
    EXPECT_FALSE(s.live.TakeButtons().has_value());
    s.live.Read({kLiveButtons | 1, kLiveButtons | 6}, 0.7);
    EXPECT_EQ(s.live.TakeButtons(), 6);
    // Pulled: the buttons let go, the board is tried again each second.
    s.live.Lost(1.0, "no such file");
    EXPECT_EQ(s.live.TakeButtons(), 0);
    EXPECT_EQ(s.live.Now(), State::Gone);
    EXPECT_EQ(s.live.Says(),
              "the cube on /dev/ttyACM0 is gone (no such file): playing on screen only until it "
              "comes back");
    EXPECT_TRUE(s.Run(1.0, 3.0).empty());
    EXPECT_FALSE(s.live.Reopen(1.9));
    EXPECT_TRUE(s.live.Reopen(2.0));
    EXPECT_FALSE(s.live.NextEvent().has_value());  // waiting for the port
    s.live.Lost(2.1, "no such file");
    EXPECT_TRUE(s.live.Reopen(3.1));
    s.live.Opened(3.1);
    EXPECT_EQ(s.live.Now(), State::Asking);
    EXPECT_EQ(s.live.Take(3.1), std::vector<std::uint8_t>{kLiveQuestion});
}

}  // namespace

namespace {

TEST(LiveProgram, IsRefusedWhereTheWiringTakesTheSerialLineAndProvenElsewhere) {
    PinWiring onRxd = DefaultWiring(kUno.wiring);
    onRxd.leds[0] = {'D', 1};
    NameWiring(onRxd, "onrxd");
    Chip slow = kAtmega32;
    slow.clockHz = 100000;
    struct Case {
        Chip chip;
        std::string problem;  // empty: it builds and passes its proof
    };
    const Case cases[] = {
        {kUno, ""},
        {*ChipNamed("nano"), ""},
        {WithWiring(kUno, onRxd),
         "the Arduino Uno (ATmega328P)'s wiring puts LED1 on D1, but the live program needs D0 "
         "and D1 (RXD, TXD) for its serial line: choose a wiring that leaves them free"},
        {slow, "the ATmega32 at this clock makes no serial speed of 9600 baud or more"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LiveProblem(c.chip).value_or(""), c.problem) << c.chip.id;
        const ScratchFolder folder;
        if (c.problem.empty()) {
            EXPECT_TRUE(BuildLiveProgram(c.chip, folder).sizes.Fits()) << c.chip.id;
        } else {
            try {
                BuildLiveProgram(c.chip, folder);
                ADD_FAILURE() << c.chip.id << " built";
            } catch (const program::SimError& error) {
                EXPECT_EQ(error.what(), c.problem);
            }
        }
    }
    // The cube's own chip has its buttons on the serial line's pins.
    const std::optional<std::string> own = LiveProblem(kAtmega8535);
    ASSERT_TRUE(own.has_value());
    EXPECT_NE(own->find("PD0 and PD1 (RXD, TXD)"), std::string::npos) << *own;
}

}  // namespace
