// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "FakeMainView.h"
#include "RandomRecording.h"
#include "SimCommandRun.h"
#include "TempHome.h"
#include "TestSupport.h"
#include "WindowDriver.h"
#include "chip/CubeSimulator.h"
#include "chip/FirmwareBuild.h"
#include "chip/ShowDecoder.h"
#include "gif/AnimatedGif.h"
#include "program/ProgramReader.h"
#include "program/SimError.h"
#include "program/SourceRewrite.h"
#include "sim/Report.h"
#include "sim/SimCommand.h"
#include "sim/Storyboard.h"
#include "ui/CubePainter.h"
#include "workflow/CellEditor.h"
#include "workflow/RecordingWorkflow.h"

namespace ledcube::sim {

using namespace ledcube::program;
using namespace ledcube::chip;
using namespace ledcube::gif;
namespace {

using test::CellsOn;

using enum ControlId;

std::vector<ShownFrame> Simulate(const std::string& program, SwitchCombination buttons, double ms) {
    const ScratchFolder scratch;
    return DecodeShow(RunFirmware(BuildFirmware(program, "cube.c", scratch).hex, buttons, ms));
}

// The frames a program plays in one round under a combination, in order.
std::vector<RecordedFrame> OneRound(const std::string& program, SwitchCombination buttons) {
    std::vector<RecordedFrame> round;
    for (const RecordedFrame& frame : ReadProgram(program))
        if (PlaysUnder(frame, buttons) && frame.repeatCount > 0) round.push_back(frame);
    return round;
}

// Checks that the cube showed the round's frames one after the other, round
// after round, each for its repeat count (the last, cut one aside).
void ExpectRounds(const std::vector<ShownFrame>& shown, const std::vector<RecordedFrame>& round,
                  int minimumRounds) {
    ASSERT_FALSE(round.empty());
    ASSERT_GE(shown.size(), round.size() * minimumRounds) << ShowReport(shown);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const RecordedFrame& expected = round[i % round.size()];
        EXPECT_EQ(CellsText(shown[i].cells), CellsText(expected.cells)) << "frame " << i;
        if (!shown[i].cut) {
            EXPECT_EQ(shown[i].passes, expected.repeatCount) << "frame " << i;
        }
    }
}

TEST(SourceRewrite, TurnsSingleBitAccessIntoStandardC) {
    const std::pair<std::string, std::string> cases[] = {
        {"#define LED1 PORTA.2\n", "#define LED1 LEDCUBE_BIT(PORTA, 2)\n"},
        {"#define BP3 PIND.2\n", "#define BP3 LEDCUBE_BIT(PIND, 2)\n"},
        {"DDRC.7=1;", "LEDCUBE_BIT(DDRC, 7)=1;"},
        {"PORTA=0x00;\n", "PORTA=0x00;\n"},
        {"PORTA.8", "PORTA.8"},
        {"PORTE.1", "PORTE.1"},
        {"XPORTA.2", "XPORTA.2"},
        {"PORTA.25", "PORTA.25"},
    };
    for (const auto& [source, rewritten] : cases) EXPECT_EQ(RewriteBitAccess(source), rewritten);
}

TEST(ProgramReader, ReadsBackTheFramesAndTheirBlocks) {
    const std::string program = ProgramHeader() + FrameBlock(30, CellsOn({27})) +
                                SwitchBlockOpen(SwitchCombination::BP3) +
                                FrameBlock(-15, CellsOn({1, 2})) + FrameBlock(1000, CellsOn({14})) +
                                SwitchBlockClose() + ProgramClose();
    const auto frames = ReadProgram(program);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].repeatCount, 2);
    EXPECT_FALSE(frames[0].block.has_value());
    EXPECT_EQ(frames[0].cells, CellsOn({27}));
    EXPECT_EQ(frames[1].repeatCount, -1);
    EXPECT_EQ(frames[1].block, SwitchCombination::BP3);
    EXPECT_EQ(frames[2].cells, CellsOn({14}));
    EXPECT_TRUE(PlaysUnder(frames[0], SwitchCombination::BP1));
    EXPECT_FALSE(PlaysUnder(frames[1], SwitchCombination::BP1));
}

TEST(ProgramReader, TellsWhatIsWrongWithAFile) {
    const std::string one = ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP1) +
                            SwitchBlockClose() + ProgramClose();
    // A frame whose second layer is held 6 ms (line 108): not one the editor writes.
    std::string slowFrame = FrameBlock(45, CellsOn({1}));
    slowFrame.replace(slowFrame.find("delay_ms(5);", slowFrame.find("Etage(0,1,0)")), 12,
                      "delay_ms(6);");
    const std::pair<std::string, std::string> cases[] = {
        {"", "does not start"},
        {"int main(void){}", "does not start"},
        {one + one, "2 programs glued"},
        {ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP1), "unfinished"},
        {ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP1) + ProgramClose(), "not closed"},
        {ProgramHeader() + "x=1;\n" + ProgramClose(), "line 89: text the editor never writes"},
        {ProgramHeader() + "while(i<5){\n" + ProgramClose(),
         "line 90: a frame that differs from the editor's frames"},
        {ProgramHeader() + FrameBlock(30, CellsOn({2})) + slowFrame + ProgramClose(),
         "line 108: a frame that differs from the editor's frames"},
        {ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP1) +
             SwitchBlockOpen(SwitchCombination::BP2) + SwitchBlockClose() + SwitchBlockClose() +
             ProgramClose(),
         "line 91: a push-button sequence opens inside another one"},
        {ProgramHeader() + FrameBlock(30, CellsOn({2})) + SwitchBlockClose() + ProgramClose(),
         "line 102: a closing brace without an open push-button sequence"},
    };
    for (const auto& [text, message] : cases) {
        try {
            ReadProgram(text);
            ADD_FAILURE() << "accepted: " << message;
        } catch (const SimError& error) {
            EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
        }
    }
}

// Writes that show one pass of `cells`, as the firmware does: for each layer
// select it, set the nine LED lines, hold for 5 ms.
void AddPass(PortTrace& trace, const CellState& cells, std::uint64_t& cycle, int extraCycles = 0) {
    static constexpr std::pair<char, int> kPins[] = {
        {'A', 2}, {'A', 1}, {'A', 0}, {'C', 5}, {'C', 4}, {'C', 3}, {'C', 2}, {'C', 1}, {'C', 0}};
    std::uint8_t a = 0;
    std::uint8_t c = 0;
    for (int layer = 1; layer <= 3; ++layer) {
        a = static_cast<std::uint8_t>(0x07 | 1 << (2 + layer));
        c = 0x3F;
        for (int k = 0; k < 9; ++k) {
            if (!cells.Get(FirstCellOfLayer(layer) + k)) continue;
            (kPins[k].first == 'A' ? a : c) &= static_cast<std::uint8_t>(~(1 << kPins[k].second));
        }
        trace.writes.push_back({cycle += 10, 'A', static_cast<std::uint8_t>(a | 0x38)});  // all on
        trace.writes.push_back({cycle += 10, 'A', a});
        trace.writes.push_back({cycle += 10, 'C', c});
        cycle += 5000;
    }
    cycle += extraCycles;
}

TEST(ShowDecoder, GroupsPassesIntoFramesByCellsAndRhythm) {
    PortTrace trace{1000000, 0, {}};
    std::uint64_t cycle = 0;
    for (int i = 0; i < 3; ++i) AddPass(trace, CellsOn({1, 14}), cycle);
    AddPass(trace, CellsOn({1, 14}), cycle, 40);  // the step to the next frame is longer...
    for (int i = 0; i < 2; ++i)
        AddPass(trace, CellsOn({1, 14}), cycle);  // ...even with the same cells
    for (int i = 0; i < 4; ++i) AddPass(trace, CellsOn({27}), cycle);
    trace.endCycle = cycle + 100;

    const auto frames = DecodeShow(trace);
    ASSERT_EQ(frames.size(), 3u) << ShowReport(frames);
    EXPECT_EQ(frames[0].passes, 4);
    EXPECT_EQ(frames[1].passes, 2);
    EXPECT_EQ(frames[2].passes, 4);
    EXPECT_EQ(frames[0].cells, CellsOn({1, 14}));
    EXPECT_EQ(frames[2].cells, CellsOn({27}));
    EXPECT_NEAR(frames[2].durationMs, 4 * 15.09, 0.5);
    EXPECT_FALSE(frames[0].cut);
    EXPECT_TRUE(frames[2].cut);
    EXPECT_EQ(CellsText(frames[0].cells), "1:#../.../... 2:.../.#./... 3:.../.../...");
}

TEST(ShowDecoder, IgnoresTheSetUpAndAnIdleLoop) {
    PortTrace trace{
        1000000, 2000000, {{5, 'A', 0x00}, {9, 'C', 0x00}, {12, 'A', 0x07}, {14, 'C', 0x3F}}};
    EXPECT_TRUE(DecodeShow(trace).empty());
    EXPECT_EQ(ShowReport({}), "the cube showed nothing\n");
}

TEST(Simulation, WorkedExampleShowsCellsOneAndFourteenFor66PassesRepeating) {
    const std::string program = ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP1) +
                                FrameBlock(1000, CellsOn({1, 14})) + SwitchBlockClose() +
                                ProgramClose();
    ExpectRounds(Simulate(program, SwitchCombination::BP1, 3200),
                 OneRound(program, SwitchCombination::BP1), 3);
    EXPECT_TRUE(Simulate(program, SwitchCombination::BP2, 500).empty());
}

// A program recorded through the editor's logic: two blocks, a frame between
// them, a frame that never shows, and a block without frames.
std::string RecordThroughTheLogic() {
    test::EditorLogic logic;
    RecordingWorkflow& workflow = logic.workflow;
    const auto frame = [&](std::initializer_list<int> lit, const char* ms) {
        logic.Frame(CellsOn(lit), ms);
    };
    logic.Start("logic");
    workflow.SwitchClick(SwitchCombination::BP1);
    frame({1, 5, 9}, "150");
    frame({2}, "14");  // repeat count 0: never shown
    frame({10, 14, 18}, "45");
    workflow.FinirBPClick();
    frame({19, 23, 27}, "30");  // between blocks: plays under every combination
    workflow.SwitchClick(SwitchCombination::Aucun);
    frame({3, 6, 9, 12, 15, 18, 21, 24, 27}, "75");
    workflow.FinirBPClick();
    workflow.SwitchClick(SwitchCombination::BP2);
    workflow.FinirBPClick();
    workflow.FinirClick();
    return logic.home.Read("logic.c");
}

struct CombinationCase {
    SwitchCombination buttons;
    std::size_t framesPerRound;
};

void PrintTo(const CombinationCase& c, std::ostream* out) {
    *out << CombinationName(c.buttons);
}

class RecordedProgramTest : public testing::TestWithParam<CombinationCase> {};

TEST_P(RecordedProgramTest, TheWrittenHexPlaysTheRecordedFramesInOrderUnderEachCombination) {
    static const std::string program = RecordThroughTheLogic();
    const auto round = OneRound(program, GetParam().buttons);
    ASSERT_EQ(round.size(), GetParam().framesPerRound);
    // The HEX that --hex writes, loaded as it would be flashed.
    const ScratchFolder folder;
    const auto file = folder.Path() / "prog.c";
    const auto hex = folder.Path() / "out.hex";
    std::ofstream(file) << program;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunSimCommand({"--ms", "100", "--hex", hex.string(), file.string()}, out, err), 0)
        << err.str();
    ExpectRounds(DecodeShow(RunFirmware(hex, GetParam().buttons, 1200)), round, 2);
}

INSTANTIATE_TEST_SUITE_P(Combinations, RecordedProgramTest,
                         testing::Values(CombinationCase{SwitchCombination::BP1, 3},
                                         CombinationCase{SwitchCombination::BP2, 1},
                                         CombinationCase{SwitchCombination::BP3, 1},
                                         CombinationCase{SwitchCombination::Aucun, 2}));

TEST(Simulation, AFrameLastsAsLongAsTheWindowsSayOnEveryClock) {
    const std::string program = ProgramHeader() + FrameBlock(195, CellsOn({1})) +
                                FrameBlock(1500, CellsOn({2})) + FrameBlock(15, CellsOn({3})) +
                                ProgramClose();
    for (const Chip& chip : {kAtmega8535, kAtmega1284p, kUno, WithClock(kAtmega16, 8000000)}) {
        const ScratchFolder scratch;
        const std::vector<ShownFrame> shown =
            DecodeShow(RunFirmware(BuildFirmware(program, "cube.c", scratch, chip).hex,
                                   SwitchCombination::Aucun, 3 * 1720, chip));
        ASSERT_GE(shown.size(), 6u) << chip.id;
        // The frames of the second round, after the set-up.
        for (std::size_t i = 3; i < 6; ++i)
            EXPECT_NEAR(shown[i].durationMs, shown[i].passes * PassMs(chip.clockHz),
                        0.1 + 0.0005 * shown[i].durationMs)
                << chip.id << " frame " << i << ": " << PassesText(shown[i].passes, chip.clockHz);
    }
}

TEST(Simulation, AProgramOverHalfTheFlashPlaysRoundAfterRound) {
    // Past 4 KB the linker reaches the code at the start of the flash by
    // wrapping round the ATmega8535's 8 KB; the simulated chip must do the same.
    std::string program = ProgramHeader();
    for (int frame = 0; frame < 50; ++frame)
        program += FrameBlock(30, CellsOn({frame % 27 + 1, (frame * 5 + 3) % 27 + 1}));
    program += ProgramClose();
    const std::vector<ShownFrame> shown = Simulate(program, SwitchCombination::Aucun, 3 * 50 * 31);
    ExpectRounds(shown, OneRound(program, SwitchCombination::Aucun), 2);
}

TEST(Simulation, AProgramRecordedInTheWindowPlaysAsRecorded) {
    test::TempHome home;
    test::WindowDriver d;
    d.Type(Nomf, "window");
    d.Click(Commencer);
    d.Click(BP3);
    d.Type(Temps, "90");
    d.Tick(5);
    d.Click(Suivant);
    d.Click(Etage2);
    d.Click(EAllumer);
    d.Click(Suivant);
    d.Click(FinirBP);
    d.Click(Finir);
    const std::string program = home.Read("window.c");
    const auto round = OneRound(program, SwitchCombination::BP3);
    ASSERT_EQ(round.size(), 2u);
    EXPECT_EQ(round[1].cells, CellsOn({5, 10, 11, 12, 13, 14, 15, 16, 17, 18}));
    ExpectRounds(Simulate(program, SwitchCombination::BP3, 600), round, 2);
    // The only sequence plays under BP3 alone.
    for (const auto other :
         {SwitchCombination::BP1, SwitchCombination::BP2, SwitchCombination::Aucun})
        EXPECT_TRUE(Simulate(program, other, 200).empty()) << static_cast<int>(other);
}

TEST(Simulation, TheLongestFrameTheEditorAcceptsEnds) {
    const std::string program = ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP2) +
                                FrameBlock(kLongestFrameMs, CellsOn({14})) +
                                FrameBlock(30, CellsOn({1})) + SwitchBlockClose() + ProgramClose();
    const auto shown = Simulate(program, SwitchCombination::BP2, 32767 * 15.5 + 200);
    ASSERT_GE(shown.size(), 2u) << ShowReport(shown);
    EXPECT_EQ(shown[0].passes, 32767);
    EXPECT_EQ(shown[1].cells, CellsOn({1}));
}

using test::RunCommand;

TEST(SimCommand, ReportsWhatTheCubeShowsOrWhyItCannotRun) {
    const std::string one = ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP1) +
                            FrameBlock(150, CellsOn({9})) + SwitchBlockClose() + ProgramClose();
    std::string broken = one;
    broken.replace(broken.find("delay_ms(5);"), 12, "delay_ms(5)");
    const std::string two = ProgramHeader() + FrameBlock(45, CellsOn({27})) + ProgramClose();
    std::string tooBig = ProgramHeader();
    for (int i = 0; i < 70; ++i) tooBig += FrameBlock(300, CellsOn({1 + i % 27, 27 - i % 20}));
    tooBig += ProgramClose();
    // A hand edit that takes more RAM than the chip has: the linker lets it through.
    std::string ramHog = one;
    ramHog.insert(ProgramHeader().size(), "static volatile unsigned char pad[490];\npad[1]=1;\n");
    // A hand edit of 9 MB of data in flash: more than any build links.
    std::string huge = one;
    huge.insert(ProgramHeader().size(),
                "__asm__(\".pushsection .progmem.data\\n.space 9000000\\n.popsection\");\n");
    struct Case {
        std::string text;
        std::vector<std::string> options;
        int status;
        std::string inOut;
        std::string inErr;
    };
    const Case cases[] = {
        {one, {"--buttons", "BP1"}, 0, "1:.../.../..# 2:", ""},
        {one, {"--buttons", "BP2", "--ms", "200"}, 0, "the cube showed nothing", ""},
        {one,
         {"--buttons", "BP2", "--ms", "200"},
         0,
         "--buttons BP1 shows the BP1 sequence (10 passes a round)\n",
         ""},
        {one, {"--buttons", "bp1"}, 0, "sizes: unrolled flash ", ""},
        {one, {"--buttons", "bp1"}, 0, "; compact flash ", ""},
        {one, {"--buttons", "aUCUN", "--ms", "100"}, 0, "of 8,192 bytes", ""},
        {one + two, {}, 0, "program 2 of 2 in the file", ""},
        {one + two, {}, 0, "1:.../.../... 2:.../.../... 3:.../.../..#", ""},
        {one + two, {"--program", "1", "--buttons", "BP1"}, 0, "program 1 of 2", ""},
        {one + two, {"--program", "3"}, 1, "", "no program 3: the file holds 2 programs"},
        {one + ProgramHeader(), {}, 0, "program 1 of 2 in the file; the last program", ""},
        {one + ProgramHeader(), {"--program", "2"}, 1, "", "program 2 is unfinished"},
        {ProgramHeader(), {}, 1, "", "unfinished"},
        {"int main(void){}", {}, 1, "", "not a program written by the editor"},
        {broken,
         {},
         1,
         "",
         "does not compile for the ATmega8535: the compiler finds an error at line 95"},
        {broken, {"--verbose"}, 1, "", "prog.c:95:1: error:"},
        {huge,
         {},
         1,
         "",
         "the program is too large to build for the ATmega8535 (over 8 MB of code)"},
        {huge, {"--verbose"}, 1, "", "collect2"},
        {tooBig, {}, 1, "(10", "frames too many"},
        {tooBig,
         {},
         1,
         "",
         "--compact builds it as a table of frames in flash, which holds up to 1,221"},
        {tooBig, {"--compact", "--ms", "400"}, 0, "; compact flash 1,", ""},
        {tooBig,
         {"--compact", "--ms", "400"},
         0,
         "shows what the generated program on the ATmega16",
         ""},
        {one, {"--compact", "--buttons", "BP1"}, 0, "1:.../.../..# 2:", ""},
        {ramHog, {}, 1, "RAM 522 of 512", "522 bytes of RAM"},
        {one, {"--buttons", "BP4"}, 2, "", "BP1, BP2, BP3 or Aucun"},
        {one, {"--ms", "-5"}, 2, "", "--ms takes"},
        {one, {"--program", "0"}, 2, "", "--program takes"},
        {one, {"--programmer", "usb asp"}, 2, "", "--programmer takes"},
        {one, {"--bogus"}, 2, "", "Unknown option 'bogus'"},
        {one, {"--chip", "atmega9999"}, 2, "", "--chip takes one of atmega8535, atmega16,"},
        {one, {"--clock", "5"}, 2, "", "--clock takes the clock in hertz"},
        {one, {"--size", "10", "--gif", "x.gif"}, 2, "", "--size takes a width in pixels"},
        {one, {"--clock", "8000000", "--buttons", "BP1"}, 0, "; ATmega8535 at 8 MHz", ""},
        {one,
         {"--live"},
         2,
         "",
         "--live streams to the cube on a serial port: name it with --port"},
        {one, {"--live", "--port", "/dev/null", "--gif", "x.gif"}, 2, "", "--png, --gif and --hex"},
        {one,
         {"--live", "--port", "/dev/null"},
         1,
         "",
         "the ATmega8535's wiring puts BP1 on PD0, but the live program needs PD0 and PD1"},
        {one,
         {"--live", "--chip", "uno", "--port", "/nonexistent/ttyACM9"},
         1,
         "",
         "cannot open /nonexistent/ttyACM9: "},
    };
    for (const Case& c : cases) {
        const auto [status, out, err] = RunCommand(c.text, c.options);
        EXPECT_EQ(status, c.status) << err;
        EXPECT_NE(out.find(c.inOut), std::string::npos) << out;
        EXPECT_NE(err.find(c.inErr), std::string::npos) << err;
        // The compiler's and linker's own words only when asked for.
        const bool verbose =
            std::find(c.options.begin(), c.options.end(), "--verbose") != c.options.end();
        if (verbose) continue;
        for (const char* tool : {"ld:", "collect2", ": error:", ".elf"})
            EXPECT_EQ(err.find(tool), std::string::npos) << err;
    }
}

TEST(SimCommand, DrawsAStoryboardOfTheShownFrames) {
    const std::string program = ProgramHeader() + SwitchBlockOpen(SwitchCombination::Aucun) +
                                FrameBlock(45, CellsOn({1})) + FrameBlock(45, CellsOn({2})) +
                                SwitchBlockClose() + ProgramClose();
    const ScratchFolder folder;
    const auto png = folder.Path() / "story.png";
    const auto [status, out, err] = RunCommand(program, {"--ms", "300", "--png", png.string()});
    ASSERT_EQ(status, 0) << err;
    const QImage image(QString::fromStdString(png.string()));
    ASSERT_FALSE(image.isNull());
    // Rounds of two frames: each round starts a row of its own, under the title;
    // the first frame lights LED 1, the second LED 2, and all else is dark.
    const QPoint tiles[] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {0, 2}};
    for (int tile = 0; tile < 5; ++tile) {
        const int lit = tile % 2 == 0 ? 1 : 2;
        for (int n = 1; n <= kCellCount; ++n) {
            const QPoint centre = LampCircle(n, StoryboardCube(tiles[tile])).center().toPoint();
            ASSERT_TRUE(image.rect().contains(centre)) << "tile " << tile;
            const QColor colour = image.pixelColor(centre);
            EXPECT_EQ(colour, n == lit ? kLampLit : kLampDark)
                << "tile " << tile << ", LED " << n << ": " << colour.name().toStdString();
        }
    }
    EXPECT_DOUBLE_EQ(DefaultRunMs(program, SwitchCombination::Aucun), 3 * 6 * 15.5);
    EXPECT_DOUBLE_EQ(DefaultRunMs(ProgramHeader() + ProgramClose(), SwitchCombination::BP1), 100);
    EXPECT_DOUBLE_EQ(DefaultRunMs("int main(void){}", SwitchCombination::BP1), 10000);
}

TEST(Flashing, AvrdudeCommandForEachChipQuotesOnlyWhatTheShellWouldSplit) {
    using Text = std::optional<std::string>;
    const std::tuple<std::string, Chip, Text, Text, std::string> cases[] = {
        {"cube.hex", kAtmega8535, {}, {}, "avrdude -p m8535 -c usbasp -U flash:w:cube.hex:i"},
        {"/tmp/a-b_c.hex",
         kAtmega8535,
         "avrisp2",
         {},
         "avrdude -p m8535 -c avrisp2 -U flash:w:/tmp/a-b_c.hex:i"},
        {"my cube.hex",
         kAtmega8535,
         {},
         {},
         "avrdude -p m8535 -c usbasp -U 'flash:w:my cube.hex:i'"},
        {"it's.hex",
         kAtmega8535,
         {},
         {},
         R"(avrdude -p m8535 -c usbasp -U 'flash:w:it'\''s.hex:i')"},
        {"c.hex", kAtmega1284p, {}, {}, "avrdude -p m1284p -c usbasp -U flash:w:c.hex:i"},
        {"c.hex",
         kUno,
         {},
         {},
         "avrdude -p m328p -c arduino -P /dev/ttyACM0 -b 115200 -U flash:w:c.hex:i"},
        {"c.hex",
         kNanoOld,
         {},
         {},
         "avrdude -p m328p -c arduino -P /dev/ttyUSB0 -b 57600 -U flash:w:c.hex:i"},
        {"c.hex",
         kNano,
         {},
         "/dev/ttyUSB1",
         "avrdude -p m328p -c arduino -P /dev/ttyUSB1 -b 115200 -U flash:w:c.hex:i"},
        {"c.hex", kUno, "usbasp", {}, "avrdude -p m328p -c usbasp -U flash:w:c.hex:i"},
    };
    for (const auto& [hex, chip, programmer, port, command] : cases)
        EXPECT_EQ(AvrdudeCommand(hex, chip, programmer, port), command);
}

TEST(Report, MergesDarkStretchesAndMarksRounds) {
    const auto frame = [](double start, int passes, const CellState& cells) {
        return ShownFrame{start, passes, passes * 15.3, cells, false};
    };
    const CellState dark;
    // A round of 3 + 2 dark + 1 dark passes, shown twice.
    const std::vector<ShownFrame> shown = {frame(0, 3, CellsOn({5})), frame(46, 2, dark),
                                           frame(76.6, 1, dark),      frame(91.9, 3, CellsOn({5})),
                                           frame(138, 2, dark),       frame(168.6, 1, dark)};
    const auto merged = MergeDarkStretches(shown);
    ASSERT_EQ(merged.size(), 4u);
    EXPECT_EQ(merged[1].passes, 3);
    EXPECT_NEAR(merged[1].durationMs, 76.6 + 15.3 - 46, 1e-9);
    EXPECT_EQ(RoundOf(merged, 6), (std::vector<long>{1, 1, 2, 2}));
    const std::string report = ShowReport(merged, 6);
    EXPECT_NE(report.find("-- round 2 --\n      91.9"), std::string::npos) << report;
    EXPECT_EQ(report.find("round 3"), std::string::npos) << report;
    EXPECT_NE(report.find("  dark\n"), std::string::npos) << report;
}

TEST(AnimatedGif, TheGifReadBackHoldsTheShownFramesForAsLongWithTheirLampsLit) {
    const std::vector<std::pair<CellState, int>> recorded = {{CellsOn({1}), 45},
                                                             {CellsOn({2, 14}), 60},
                                                             {CellsOn({27}), 30},
                                                             {CellsOn({1, 9, 19}), 150}};
    std::string program = ProgramHeader() + SwitchBlockOpen(SwitchCombination::Aucun);
    for (const auto& [cells, ms] : recorded) program += FrameBlock(ms, cells);
    program += SwitchBlockClose() + ProgramClose();
    const ScratchFolder folder;
    const auto gif = folder.Path() / "show.gif";
    const auto [status, out, err] = RunCommand(program, {"--gif", gif.string(), "--size", "240"});
    ASSERT_EQ(status, 0) << err;
    QImageReader reader(QString::fromStdString(gif.string()));
    ASSERT_TRUE(reader.supportsAnimation());
    EXPECT_EQ(reader.imageCount(), 4);  // one round
    EXPECT_EQ(reader.loopCount(), -1);  // for ever
    double total = 0;
    for (int i = 0; i < 4; ++i) {
        const QImage picture = reader.read();
        ASSERT_FALSE(picture.isNull()) << i;
        EXPECT_EQ(picture.width(), 240);
        const int delay = reader.nextImageDelay();
        // Each frame lasts its passes: 15.34 ms a pass at 1 MHz.
        EXPECT_NEAR(delay, recorded[i].second / 15 * 15.34, 10) << i;
        total += delay;
        for (int n = 1; n <= kCellCount; ++n) {
            const QPoint centre = LampCircle(n, GifCube(240)).center().toPoint();
            EXPECT_EQ(picture.pixelColor(centre), recorded[i].first.Get(n) ? kLampLit : kLampDark)
                << "frame " << i << ", LED " << n;
        }
    }
    double round = 0;
    for (const auto& [cells, ms] : recorded) round += ms / 15 * 15.34;
    EXPECT_NEAR(total, round, 10);
    // A file that cannot be written is said so.
    const auto [failed, failedOut, failedErr] =
        RunCommand(program, {"--gif", (folder.Path() / "no" / "show.gif").string()});
    EXPECT_EQ(failed, 1);
    EXPECT_NE(failedErr.find("cannot write the animation"), std::string::npos) << failedErr;
}

}  // namespace

}  // namespace ledcube::sim

namespace ledcube::test {

CommandRun RunCommand(const std::string& text, std::vector<std::string> options) {
    const chip::ScratchFolder folder;
    const auto file = folder.Path() / "prog.c";
    std::ofstream(file) << text;
    options.push_back(file.string());
    std::ostringstream out;
    std::ostringstream err;
    const int status = sim::RunSimCommand(options, out, err);
    return {status, out.str(), err.str()};
}

int HexBytes(const std::filesystem::path& hex) {
    int bytes = 0;
    if (std::filesystem::exists(hex))
        for (const chip::HexChunk& chunk : chip::ReadIntelHex(hex))
            bytes += static_cast<int>(chunk.bytes.size());
    return bytes;
}

}  // namespace ledcube::test
