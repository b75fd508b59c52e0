// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <thread>

#include "SimCommandRun.h"
#include "TestSupport.h"
#include "chip/Avrdude.h"
#include "chip/FirmwareBuild.h"
#include "chip/ShowDecoder.h"
#include "chip/SimulatedBoard.h"
#include "firmware/FlashEstimate.h"
#include "program/ProgramReader.h"
#include "sim/SimCommand.h"

namespace ledcube::sim {

using namespace ledcube::program;
using namespace ledcube::chip;
namespace {

using test::CellsOn;

// Two frames between the sequences, a BP1 sequence of three and an Aucun sequence of one.
std::string Recorded() {
    return ProgramHeader() + FrameBlock(90, CellsOn({1, 14, 27})) +
           SwitchBlockOpen(SwitchCombination::BP1) + FrameBlock(150, CellsOn({2})) +
           FrameBlock(45, CellsOn({11, 12})) + FrameBlock(60, CellsOn({20})) + SwitchBlockClose() +
           SwitchBlockOpen(SwitchCombination::Aucun) + FrameBlock(75, CellsOn({5, 23})) +
           SwitchBlockClose() + ProgramClose();
}

// The shown frames match the recorded round, round after round, from the first.
void ExpectShows(const std::vector<ShownFrame>& shown, const std::vector<RecordedFrame>& frames,
                 SwitchCombination buttons) {
    std::vector<RecordedFrame> round;
    for (const RecordedFrame& frame : frames)
        if (PlaysUnder(frame, buttons) && frame.repeatCount > 0) round.push_back(frame);
    ASSERT_GE(shown.size(), 2 * round.size()) << CombinationName(buttons);
    for (std::size_t i = 0; i + 1 < shown.size(); ++i) {
        EXPECT_EQ(CellsText(shown[i].cells), CellsText(round[i % round.size()].cells)) << i;
        EXPECT_EQ(shown[i].passes, round[i % round.size()].repeatCount) << i;
    }
}

bool WaitFor(const std::function<bool()>& done, double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

class BoardTest : public testing::TestWithParam<Chip> {};

// A board at 1 kHz, so that a cycle is a millisecond: after running `ran`
// cycles with the wall clock at `now` ms, it may run on at `due` ms.
struct PaceStep {
    std::uint64_t ran;
    int now;
    int due;
};

TEST(BoardPace, WaitsForTheWallClockAndLetsGoOfTimeTheMachineTook) {
    const BoardPace::Clock::time_point zero{};
    BoardPace pace(zero, 1000);
    const PaceStep steps[] = {
        {1, 0, 1},      // ahead: waits
        {2, 2, 2},      // on time
        {5, 45, 5},     // 40 ms behind: a hiccup, made up
        {6, 300, 300},  // 294 ms taken from it: let go, runs on at once
        {7, 300, 301},  // and goes on from there rather than racing
        {8, 330, 302},  // behind again, within a hiccup: catches up
    };
    for (const PaceStep& step : steps)
        EXPECT_EQ(pace.Due(step.ran, zero + std::chrono::milliseconds(step.now)),
                  zero + std::chrono::milliseconds(step.due))
            << step.ran;
}

}  // namespace

void PrintTo(const Chip& chip, std::ostream* out) {
    *out << chip.id;
}

namespace {

TEST_P(BoardTest, AvrdudeFlashesTheBootloaderAndTheChipShowsTheRecordedFrames) {
    const Chip board = GetParam();
    const ScratchFolder boot;
    SimulatedBoard simulated(board, BootloaderOf(board, boot.Path()));
    const test::CommandRun run = test::RunCommand(
        Recorded(), {"--flash", "--chip", board.id, "--port", simulated.Port(), "--ms", "10"});
    ASSERT_EQ(run.status, 0) << run.err;
    // The bytes written are the HEX's.
    const ScratchFolder scratch;
    const int bytes = test::HexBytes(BuildFirmware(Recorded(), "cube.c", scratch, board).hex);
    EXPECT_NE(run.out.find("flashed " + GroupThousands(bytes, ',') +
                           " bytes to the ATmega328P on " + simulated.Port() + " and verified"),
              std::string::npos)
        << run.out;
    // The reset that ends programming starts the program.
    ASSERT_TRUE(WaitFor([&] { return simulated.ProgramRunning(); }, 10));
    const std::vector<RecordedFrame> frames = ReadProgram(Recorded());
    for (const SwitchCombination buttons : {SwitchCombination::BP1, SwitchCombination::Aucun})
        ExpectShows(DecodeShow(simulated.Play(buttons, 2000)), frames, buttons);
}

// What a board did once avrdude flashed the recorded program through its
// bootloader: the program's first second as the bootloader started it, and
// two seconds under BP1 started afresh.
struct Flashed {
    PortTrace start;
    PortTrace played;
};

Flashed FlashAndWatch(const Chip& board, bool passOver) {
    const ScratchFolder boot;
    const std::filesystem::path bootloader = BootloaderOf(board, boot.Path());
    // The board's chip reads the switch when it is made; ledcube-sim proves with its own.
    if (!passOver) setenv("LEDCUBE_PASS_OVER", "0", 1);
    SimulatedBoard simulated(board, bootloader);
    unsetenv("LEDCUBE_PASS_OVER");
    const test::CommandRun run =
        test::RunCommand(Recorded(), {"--flash", "--chip", board.id, "--port", simulated.Port()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(WaitFor([&] { return simulated.StartKept(); }, 15)) << passOver;
    simulated.Stop();
    return {simulated.StartOfProgram(), simulated.Play(SwitchCombination::BP1, 2000)};
}

// The bootloader, avrdude's talk with it and the program it starts do the
// same with the delay loops passed over as stepped, write for write.
TEST_P(BoardTest, DoesTheSameWithTheDelayLoopsPassedOverOrStepped) {
    const Flashed on = FlashAndWatch(GetParam(), true);
    const Flashed off = FlashAndWatch(GetParam(), false);
    const std::vector<RecordedFrame> frames = ReadProgram(Recorded());
    ExpectShows(DecodeShow(on.start), frames, SwitchCombination::Aucun);
    EXPECT_EQ(on.start.writes, off.start.writes);
    ExpectShows(DecodeShow(on.played), frames, SwitchCombination::BP1);
    EXPECT_EQ(on.played.writes, off.played.writes);
}

INSTANTIATE_TEST_SUITE_P(Boards, BoardTest, testing::Values(kUno, kNanoOld),
                         [](const testing::TestParamInfo<Chip>& info) {
                             return test::TestName(info.param.id);
                         });

// ledcube-sim --live on the simulated Uno: refused while the board runs
// something else, then the live program put on it and the show streamed, the
// board's wires showing the frames the BP1 round plays, in order.
TEST(LiveCommand, PutsTheLiveProgramOnTheBoardAndStreamsTheShowInOrder) {
    const ScratchFolder boot;
    SimulatedBoard board(kUno, BootloaderOf(kUno, boot.Path()));
    std::vector<std::string> options = {"--live",    "--chip", "uno",  "--port", board.Port(),
                                        "--buttons", "BP1",    "--ms", "2000"};
    const test::CommandRun refused = test::RunCommand(Recorded(), options);
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("the Arduino Uno (ATmega328P) on " + board.Port() +
                               " does not answer as the live program does: put the live program "
                               "on it with --live --flash"),
              std::string::npos)
        << refused.err;

    board.StartRecording();
    options.push_back("--flash");
    const test::CommandRun run = test::RunCommand(Recorded(), options);
    ASSERT_EQ(run.status, 0) << run.err;
    std::smatch said;
    ASSERT_TRUE(std::regex_search(
        run.out, said,
        std::regex(R"(streamed (\d+) frames in 2\.0 s to the Arduino Uno \(ATmega328P\) on )" +
                   board.Port())))
        << run.out;
    const int streamed = std::stoi(said[1]);

    std::vector<CellState> round;
    for (const RecordedFrame& frame : ReadProgram(Recorded()))
        if (PlaysUnder(frame, SwitchCombination::BP1)) round.push_back(frame.cells);
    std::vector<CellState> lit;
    for (const ShownFrame& frame : DecodeShow(board.Recording()))
        if (frame.cells != CellState() && (lit.empty() || lit.back() != frame.cells))
            lit.push_back(frame.cells);
    // About eight rounds in two seconds, each frame sent once: the first, dark, shows
    // nothing, and a machine busy elsewhere may hold one back behind the next.
    ASSERT_GE(lit.size(), 3 * round.size());
    EXPECT_LT(static_cast<int>(lit.size()), streamed);
    EXPECT_GE(static_cast<int>(lit.size()), streamed - 3);
    const auto first = std::find(round.begin(), round.end(), lit.front());
    ASSERT_NE(first, round.end()) << CellsText(lit.front());
    const std::size_t offset = static_cast<std::size_t>(first - round.begin());
    for (std::size_t i = 0; i < lit.size(); ++i)
        EXPECT_EQ(CellsText(lit[i]), CellsText(round[(offset + i) % round.size()])) << i;
}

struct FailureCase {
    const char* name;
    std::function<std::vector<std::string>(const std::string& port)> options;
    bool board;           // a simulated Uno on the port, else nothing behind it
    const char* avrdude;  // the AVRDUDE variable, or none
    std::string says;
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

class FlashFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(FlashFailureTest, SaysWhatWentWrongInOneSentence) {
    const FailureCase& c = GetParam();
    std::optional<SimulatedBoard> board;
    const ScratchFolder boot;
    int master = -1;
    int slave = -1;
    std::string port;
    if (c.board) {
        board.emplace(kUno, BootloaderOf(kUno, boot.Path()));
        port = board->Port();
    } else {
        char name[256] = {};
        ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
        port = name;
    }
    if (c.avrdude) setenv("AVRDUDE", c.avrdude, 1);
    std::vector<std::string> arguments = c.options(port);
    arguments.insert(arguments.end(), {"--flash", "--ms", "10"});
    const test::CommandRun run = test::RunCommand(Recorded(), arguments);
    unsetenv("AVRDUDE");
    if (master >= 0) close(master), close(slave);
    EXPECT_EQ(run.status, 1);
    std::string says = c.says;
    if (const std::size_t at = says.find("PORT"); at != std::string::npos)
        says.replace(at, 4, port);
    EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FlashFailureTest,
    testing::Values(
        FailureCase{"avrdude missing",
                    [](const std::string& port) {
                        return std::vector<std::string>{"--chip", "uno", "--port", port};
                    },
                    false, "/nonexistent/avrdude", AvrdudeMissing()},
        FailureCase{"a port that does not answer",
                    [](const std::string& port) {
                        return std::vector<std::string>{"--chip", "uno", "--port", port};
                    },
                    false, nullptr, "nothing answers on PORT"},
        FailureCase{
            "another chip answers",
            [](const std::string& port) {
                return std::vector<std::string>{"--chip",  "atmega16", "--programmer",
                                                "arduino", "--port",   port};
            },
            true, nullptr,
            "the chip that answered is an ATmega328P (signature 1E 95 0F), not the ATmega16"}),
    [](const testing::TestParamInfo<FailureCase>& info) {
        return test::TestName(info.param.name);
    });

TEST(StallWatch, StopsARunWhoseBarsStandStillOnceTheyHaveStarted) {
    const std::string retry = "avrdude: stk500_recv(): programmer is not responding\n";
    const std::string writing = "avrdude: writing flash (1898 bytes):\n\nWriting | ";
    const std::string verifying = writing + std::string(50, '#') + " | 100% 0.30s\n\nReading | ";
    // Each case: the log at 0 ms, then at `ms` with `more` added; stalled then?
    const struct {
        std::string log, more;
        long long ms;
        bool stalled;
    } cases[] = {
        {retry, retry, 60000, false},        // before the bars avrdude gives up by itself
        {writing + "#", "#", 9000, false},   // a new mark is progress
        {writing + "#", retry, 8000, true},  // its retries are no progress
        {verifying + "#", "", 8000, true},
    };
    for (const auto& c : cases) {
        StallWatch watch;
        EXPECT_FALSE(watch.Stalled(c.log, 0));
        EXPECT_EQ(watch.Stalled(c.log + c.more, c.ms), c.stalled) << c.log + c.more;
    }
    EXPECT_EQ(StalledSentence(writing + std::string(25, '#'), 1898, true, "/dev/ttyACM0"),
              "the board stopped answering on /dev/ttyACM0 after 949 of 1,898 bytes: check the "
              "cable and flash again");
}

TEST(FlashStall, ABoardThatStopsAnsweringInTheMiddleIsGivenUpWithOneSentence) {
    const ScratchFolder boot;
    SimulatedBoard board(kUno, BootloaderOf(kUno, boot.Path()));
    board.GoAwayAfter(1200);
    const ScratchFolder scratch;
    const std::filesystem::path hex = BuildFirmware(Recorded(), "cube.c", scratch, kUno).hex;
    const auto start = std::chrono::steady_clock::now();
    const FlashRun run = FlashChip(hex, kUno, std::nullopt, board.Port(), 3000);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
              3 + 8)
        << run.log;
    EXPECT_FALSE(run.outcome.flashed);
    const std::string sentence = run.outcome.sentence;
    EXPECT_TRUE(
        sentence.starts_with("the board stopped answering on " + board.Port() + " after ") &&
        sentence.ends_with(" of " + GroupThousands(HexDataBytes(hex), ',') +
                           " bytes: check the cable and flash again"))
        << sentence << "\n"
        << run.log;
}

struct LogCase {
    const char* name;
    std::string log;
    int exitCode;
    std::string says;
};

void PrintTo(const LogCase& c, std::ostream* out) {
    *out << c.name;
}

class AvrdudeLogTest : public testing::TestWithParam<LogCase> {};

// avrdude's own lines, as it prints them when things go wrong on a real desk.
TEST_P(AvrdudeLogTest, ReadsAsOneSentenceWithTheRemedy) {
    const FlashOutcome outcome =
        ReadAvrdudeLog(GetParam().log, GetParam().exitCode, kUno, "/dev/ttyACM0");
    EXPECT_FALSE(outcome.flashed);
    EXPECT_EQ(outcome.sentence.substr(0, GetParam().says.size()), GetParam().says)
        << outcome.sentence;
}

INSTANTIATE_TEST_SUITE_P(
    Logs, AvrdudeLogTest,
    testing::Values(
        LogCase{"no permission",
                "avrdude OS error: cannot open port /dev/ttyACM0: Permission denied\n"
                "avrdude error: unable to open programmer arduino on port /dev/ttyACM0\n",
                1, "no permission to use /dev/ttyACM0: add yourself to the dialout group"},
        LogCase{"no such port",
                "avrdude OS error: cannot open port /dev/ttyACM0: No such file or directory\n", 1,
                "there is no serial port /dev/ttyACM0"},
        LogCase{"no programmer on USB",
                "avrdude error: cannot find USB device with vid=0x16c0 pid=0x5dc "
                "vendor='www.fischl.de' "
                "product='USBasp'\n",
                1, "no programmer found"},
        LogCase{"verification",
                "avrdude: 2698 bytes of flash written\n"
                "avrdude error: verification mismatch, first mismatch at byte 0x0040\n",
                1,
                "verification failed: the chip does not hold what was written (first difference at "
                "byte 0x0040)"},
        LogCase{"an unknown chip answers",
                "avrdude: device signature = 0x1e9999\n"
                "avrdude error: expected signature for ATmega328P is 1E 95 0F\n",
                1, "the chip that answered is a chip avrdude does not know (signature 1E 99 99)"}),
    [](const testing::TestParamInfo<LogCase>& info) { return test::TestName(info.param.name); });

TEST(FlashProgress, FollowsTheWritingThenTheVerifying) {
    const std::string start =
        "Reading | ################################################## | 100% 0.00s\n";
    EXPECT_EQ(ProgressIn(start).percent, 0);
    const std::string writing = start + "Writing | #########################";
    EXPECT_EQ(ProgressIn(writing).percent, 25);
    const std::string verifying =
        writing + "######################### | 100% 0.5s\n\nReading | ##########";
    EXPECT_EQ(ProgressIn(verifying).percent, 60);
    EXPECT_TRUE(ProgressIn(verifying).verifying);
}

}  // namespace
}  // namespace ledcube::sim
