// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "FakeMainView.h"
#include "TempHome.h"
#include "TestSupport.h"
#include "chip/CubePlayer.h"
#include "chip/CubeSimulator.h"
#include "chip/FirmwareBuild.h"
#include "chip/ShowDecoder.h"
#include "player/ButtonPad.h"
#include "player/FramePanel.h"
#include "player/PlayerEngine.h"
#include "player/PlayerWindow.h"
#include "program/SimError.h"
#include "ui/LampWidget.h"
#include "workflow/RecordingWorkflow.h"

namespace ledcube::player {
namespace {

namespace fs = std::filesystem;
using chip::PlayerFrame;
using test::CellsOn;

// Three frames between the sequences, then a BP1 sequence of one frame.
std::string ThreeFramesAndBp1() {
    return ProgramHeader() + FrameBlock(150, CellsOn({1, 5, 9})) + FrameBlock(90, CellsOn({14})) +
           FrameBlock(300, CellsOn({19, 20, 27})) + SwitchBlockOpen(SwitchCombination::BP1) +
           FrameBlock(60, CellsOn({2, 11, 23})) + SwitchBlockClose() + ProgramClose();
}

std::string LitCells(const std::array<double, kCellCount>& glow) {
    CellState cells;
    for (int n = 1; n <= kCellCount; ++n) cells.Set(n, glow[n - 1] >= 0.5);
    return chip::CellsText(cells);
}

// A player on a clock that the test steps.
struct SteppedPlayer {
    explicit SteppedPlayer(const std::string& program)
        : firmware(chip::BuildFirmware(program, "cube.c", scratch)),
          player(firmware.hex, program::ReadProgram(program), [this] { return now; }) {}
    PlayerFrame At(double seconds) {
        now = seconds;
        player.Advance();
        return player.Frame();
    }
    chip::ScratchFolder scratch;
    chip::Firmware firmware;
    double now = 0;
    chip::CubePlayer player;
};

TEST(CubePlayer, LampsShowSteadilyWhatTheDecoderSeesInEachFrame) {
    const std::string program = ThreeFramesAndBp1();
    const std::vector<chip::ShownFrame> shown = chip::DecodeShow(
        chip::RunFirmware(SteppedPlayer(program).firmware.hex, SwitchCombination::Aucun, 1500));
    ASSERT_GE(shown.size(), 6u);
    SteppedPlayer played(program);
    const std::vector<std::string> names = {"between the sequences: frame 1 of 3",
                                            "between the sequences: frame 2 of 3",
                                            "between the sequences: frame 3 of 3"};
    for (std::size_t i = 0; i + 1 < shown.size(); ++i) {
        // Sampled every 1.7 ms across the middle of the frame: lit lamps stay
        // fully lit and dark ones dark (but for the faint ghost the firmware
        // leaves between layers), whatever the phase of the layer scan.
        const double from = shown[i].startMs + 20, to = shown[i].startMs + shown[i].durationMs - 20;
        for (double ms = from; ms < to; ms += 1.7) {
            const PlayerFrame frame = played.At(ms / 1000);
            ASSERT_EQ(LitCells(frame.glow), chip::CellsText(shown[i].cells)) << i << " at " << ms;
            for (const double glow : frame.glow)
                ASSERT_TRUE(glow < 0.05 || glow > 0.97) << ms << ": " << glow;
            ASSERT_EQ(chip::DescribeShowing(frame, true), names[i % 3]) << ms;
        }
    }
}

TEST(CubePlayer, HoldingBp1PlaysItsSequenceWhereTheFirmwareLooksAtTheButtons) {
    SteppedPlayer played(ThreeFramesAndBp1());
    ASSERT_EQ(played.At(0.100).frame, 1);
    played.player.HoldButtons({true, false, false});
    // The firmware looks at the buttons after the third frame, which ends near 540 ms.
    EXPECT_EQ(played.At(0.300).frame, 3);
    EXPECT_EQ(played.At(0.530).frame, 3);
    const PlayerFrame bp1 = played.At(0.580);
    EXPECT_EQ(chip::DescribeShowing(bp1, true), "BP1 sequence: frame 1 of 1");
    EXPECT_EQ(LitCells(bp1.glow), chip::CellsText(CellsOn({2, 11, 23})));
}

TEST(CubePlayer, NamesEachFrameByTheSequenceThatHoldsIt) {
    using enum SwitchCombination;
    const std::string program =
        ProgramHeader() + FrameBlock(60, CellsOn({27})) + SwitchBlockOpen(Aucun) +
        FrameBlock(60, CellsOn({1})) + FrameBlock(60, CellsOn({2})) + FrameBlock(60, CellsOn({3})) +
        SwitchBlockClose() + SwitchBlockOpen(BP1) + FrameBlock(60, CellsOn({4})) +
        SwitchBlockClose() + FrameBlock(60, CellsOn({25})) + FrameBlock(60, CellsOn({26})) +
        SwitchBlockOpen(Aucun) + FrameBlock(60, CellsOn({5})) + SwitchBlockClose() + ProgramClose();
    SteppedPlayer played(program);
    // The readout while each picture shows, sampled every 2 ms: it follows
    // the decoded passes, so it may lag the lamps by up to a pass.
    std::map<std::string, std::map<std::string, int>> seen;
    for (double s = 0.01; s < 1.0; s += 0.002) {
        const PlayerFrame frame = played.At(s);
        ++seen[LitCells(frame.glow)][chip::DescribeShowing(frame, true)];
    }
    std::map<std::string, std::string> named;  // lit cells: the readout seen most
    for (const auto& [cells, readouts] : seen)
        named[cells] =
            std::max_element(readouts.begin(), readouts.end(), [](const auto& a, const auto& b) {
                return a.second < b.second;
            })->first;
    const std::pair<int, const char*> expected[] = {
        {27, "between the sequences: frame 1 of 1"}, {2, "Aucun sequence 1 of 2: frame 2 of 3"},
        {25, "between the sequences: frame 1 of 2"}, {26, "between the sequences: frame 2 of 2"},
        {5, "Aucun sequence 2 of 2: frame 1 of 1"},
    };
    for (const auto& [cell, readout] : expected)
        EXPECT_EQ(named[chip::CellsText(CellsOn({cell}))], readout) << cell;
}

TEST(CubePlayer, APlayerThatFellBehindDropsAllButAQuarterOfASecond) {
    SteppedPlayer played(ThreeFramesAndBp1());
    EXPECT_NEAR(static_cast<double>(played.At(0.1).cycle), 100000, 20000);
    // Ten seconds without a tick (a suspended laptop): it catches up a quarter second only.
    EXPECT_NEAR(static_cast<double>(played.At(10.1).cycle), 350000, 20000);
    EXPECT_NEAR(static_cast<double>(played.At(10.2).cycle), 450000, 20000);
}

TEST(CubePlayer, SlowSpeedShowsOneLayerAtATimeAndAStepGoesToTheNextSlot) {
    SteppedPlayer played(ProgramHeader() + FrameBlock(3000, CellsOn({1, 10, 19})) + ProgramClose());
    played.At(0.1);
    played.player.SetSpeed(0.01);
    std::set<std::string> seen;
    for (double s = 0.1; s < 2.0; s += 0.05) seen.insert(LitCells(played.At(s).glow));
    EXPECT_EQ(seen,
              (std::set<std::string>{chip::CellsText(CellsOn({1})), chip::CellsText(CellsOn({10})),
                                     chip::CellsText(CellsOn({19}))}));
    played.player.SetPaused(true);
    const PlayerFrame before = played.At(5.0);
    EXPECT_EQ(played.At(9.0).cycle, before.cycle) << "paused";
    std::vector<std::string> steps;
    for (int step = 0; step < 3; ++step) {
        played.player.StepSlot();
        steps.push_back(LitCells(played.player.Frame().glow));
    }
    EXPECT_EQ(std::set<std::string>(steps.begin(), steps.end()).size(), 3u) << "three layers";
}

TEST(ButtonPad, HoldsWhileMouseOrKeyHoldsAndLatchesOnShiftClick) {
    ButtonPad pad;
    pad.MousePress(0, false);
    pad.Key(2, true);
    EXPECT_EQ(pad.HeldBits(), 0b101);
    pad.MouseRelease(0);
    pad.MousePress(1, true);
    pad.MouseRelease(1);
    EXPECT_EQ(pad.HeldBits(), 0b110) << "BP2 latched";
    pad.ReleaseKeys();
    pad.MousePress(1, true);
    EXPECT_EQ(pad.HeldBits(), 0) << "unlatched";
}

// The engine on the test's thread, with a clock the test steps.
struct EngineOnFile {
    EngineOnFile() : engine([this] { return now; }) {}
    void Write(const std::string& text) { std::ofstream(file, std::ios::binary) << text; }
    // Opens or reloads the file; returns what the engine tells the window.
    EngineNews Read(bool open = false) {
        if (open)
            engine.Open(QString::fromStdString(file.string()));
        else
            engine.Reload();
        return engine.News().Take();
    }
    PlayerFrame At(double seconds) {
        now = seconds;
        engine.Tick();
        return engine.News().Take().frame.value_or(PlayerFrame{});
    }
    chip::ScratchFolder folder;
    fs::path file = folder.Path() / "cube.c";
    double now = 0;
    PlayerEngine engine;
};

TEST(PlayerEngine, FollowsAGrowingFileAndShowsTheNewFrameAtOnce) {
    EngineOnFile e;
    std::string text = ProgramHeader() + FrameBlock(3000, CellsOn({1}));
    e.Write(text);
    const EngineNews opened = e.Read(true);
    ASSERT_TRUE(opened.loaded) << opened.problem.value_or("").toStdString();
    EXPECT_TRUE(opened.loaded->where.contains("still being recorded"));
    EXPECT_EQ(e.At(0.2).frame, 1);
    // The editor records a second frame: it shows on the next tick, not after the first's 3 s.
    text += FrameBlock(600, CellsOn({27}));
    e.Write(text);
    ASSERT_TRUE(e.Read().loaded);
    const PlayerFrame next = e.At(0.25);
    EXPECT_EQ(next.frame, 2);
    EXPECT_EQ(LitCells(next.glow), chip::CellsText(CellsOn({27})));
    // Finir closes the program as the preview did: the chip plays on, past the first frame's 3 s.
    e.Write(text + ProgramClose());
    const EngineNews finished = e.Read();
    ASSERT_TRUE(finished.loaded);
    EXPECT_TRUE(finished.loaded->where.isEmpty()) << finished.loaded->where.toStdString();
    EXPECT_GT(e.At(0.3).cycle, 3000000u);
}

// Takes the engine's news until `pick` finds something in it or `seconds`
// pass, letting the engine's file watcher and timers run as they do in the player.
template <typename Pick>
auto WaitForNews(EngineOnFile& e, Pick pick, double seconds = 10) {
    decltype(pick(EngineNews())) found;
    const bool arrived = QTest::qWaitFor(
        [&] {
            found = pick(e.engine.News().Take());
            return found.has_value();
        },
        static_cast<int>(seconds * 1000));
    return arrived ? found : decltype(found){};
}

std::optional<LoadedProgram> WaitForLoad(EngineOnFile& e) {
    return WaitForNews(e, [](const EngineNews& news) { return news.loaded; });
}

std::optional<QString> WaitForProblem(EngineOnFile& e) {
    return WaitForNews(e, [](const EngineNews& news) { return news.problem; });
}

TEST(PlayerEngine, FollowsTheFileOnDiskWhileASequenceIsBeingRecorded) {
    EngineOnFile e;
    std::string text =
        ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP1) + FrameBlock(3000, CellsOn({1}));
    e.Write(text);
    // The open sequence is closed for the preview, so the program builds and plays.
    const EngineNews opened = e.Read(true);
    ASSERT_TRUE(opened.loaded) << opened.problem.value_or("").toStdString();
    e.engine.SetButtons(1);  // BP1 held
    EXPECT_EQ(LitCells(e.At(0.1).glow), chip::CellsText(CellsOn({1})));
    // The editor appends a frame: the player sees the file change by itself.
    text += FrameBlock(600, CellsOn({27}));
    e.Write(text);
    ASSERT_TRUE(WaitForLoad(e)) << "the change on disk was not picked up";
    EXPECT_EQ(LitCells(e.At(0.15).glow), chip::CellsText(CellsOn({27})));
}

TEST(PlayerEngine, ANewFrameWhoseSequenceDoesNotPlayIsNotSkippedTo) {
    EngineOnFile e;
    std::string text = ProgramHeader() + FrameBlock(600, CellsOn({1})) +
                       SwitchBlockOpen(SwitchCombination::BP2) + FrameBlock(600, CellsOn({2}));
    e.Write(text);
    ASSERT_TRUE(e.Read(true).loaded);
    e.engine.SetButtons(1);  // the user holds BP1 over the BP2 sequence being recorded
    EXPECT_LT(e.At(0.1).cycle, 110000u);
    // The new BP2 frame never shows under BP1, so the chip just plays on.
    e.Write(text + FrameBlock(600, CellsOn({3})));
    ASSERT_TRUE(e.Read().loaded);
    const PlayerFrame after = e.At(0.12);
    EXPECT_LT(after.cycle, 150000u);
    EXPECT_EQ(LitCells(after.glow), chip::CellsText(CellsOn({1})));
}

TEST(PlayerEngine, PlaysTheLastProgramOfAGluedFileAlsoBuiltCompact) {
    EngineOnFile e;
    e.Write(ProgramHeader() + FrameBlock(600, CellsOn({1})) + ProgramClose() + ProgramHeader() +
            FrameBlock(600, CellsOn({2})) + ProgramClose());
    const EngineNews opened = e.Read(true);
    ASSERT_TRUE(opened.loaded);
    EXPECT_EQ(opened.loaded->where, "the last of the 2 programs in the file");
    EXPECT_EQ(LitCells(e.At(0.2).glow), chip::CellsText(CellsOn({2})));
    // The same program, built compact, shows the same.
    e.engine.SetCompact(true);
    const EngineNews compact = e.engine.News().Take();
    ASSERT_TRUE(compact.loaded);
    EXPECT_TRUE(compact.loaded->sizes.startsWith("compact build: flash "))
        << compact.loaded->sizes.toStdString();
    EXPECT_EQ(LitCells(e.At(0.4).glow), chip::CellsText(CellsOn({2})));
}

TEST(PlayerEngine, SaysWhatIsWrongWithABadFileAndPlaysAgainWhenAProgramIsBack) {
    std::string tooBig = ProgramHeader();
    for (int n = 0; n < 80; ++n)
        tooBig += FrameBlock(15 * (n + 2), CellsOn({n % 27 + 1, (n * 7) % 27 + 1}));
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {"int main(void) { return 0; }\n", "not a program written by the editor"},
        {ProgramHeader() + "oops;\n" + ProgramClose(),
         "does not compile for the ATmega8535: the compiler finds an error at line 89"},
        {tooBig + ProgramClose(),
         "and the ATmega8535 has 8,192; the Compact build holds up to 1,221 frames"},
        {ProgramHeader() + "while(i<x", "a frame without a repeat count"},
        {std::nullopt, "cube.c: the file is gone; waiting for it to come back"},
    };
    EngineOnFile e;
    const std::string good = ProgramHeader() + FrameBlock(600, CellsOn({5})) + ProgramClose();
    e.Write(good);
    e.Read(true);
    for (const auto& [text, message] : cases) {
        if (text)
            e.Write(*text);
        else
            fs::remove(e.file);
        const QString problem = e.Read().problem.value_or("");
        EXPECT_TRUE(problem.contains(QString::fromStdString(message)))
            << message << ": " << problem.toStdString();
        EXPECT_FALSE(e.engine.Playing()) << message;
        e.Write(good);
        EXPECT_TRUE(e.Read().loaded) << "after " << message;
    }
}

TEST(PlayerEngine, PlaysProgramsCutOffOrWithValuesItCannotShowAndSaysWhere) {
    const std::string frame5 = ProgramHeader() + FrameBlock(600, CellsOn({5}));
    std::string withTwo = frame5 + ProgramClose();
    withTwo.replace(withTwo.find("Leds(0,0,0,0,1"), 14, "Leds(0,0,2,0,1");
    const std::pair<std::string, const char*> cases[] = {
        {frame5 + FrameBlock(600, CellsOn({7})).substr(0, 40),
         "its last block is cut off at line 102: the whole frames before it play"},
        {withTwo, "line 91: cell 3 is given 2"},
    };
    for (const auto& [text, where] : cases) {
        EngineOnFile e;
        e.Write(text);
        const EngineNews opened = e.Read(true);
        ASSERT_TRUE(opened.loaded) << opened.problem.value_or("").toStdString();
        EXPECT_TRUE(opened.loaded->framesKnown);
        EXPECT_TRUE(opened.loaded->where.contains(QString::fromUtf8(where)))
            << opened.loaded->where.toStdString();
        const PlayerFrame shown = e.At(0.3);
        EXPECT_EQ(LitCells(shown.glow), chip::CellsText(CellsOn({5}))) << where;
        EXPECT_EQ(shown.frame, 1) << where;
    }
}

TEST(PlayerWindow, LampsAndReadoutFollowTheEngineAndKeyOneHoldsBp1) {
    chip::ScratchFolder folder;
    const fs::path file = folder.Path() / "cube.c";
    std::ofstream(file, std::ios::binary) << ThreeFramesAndBp1();
    std::atomic<double> now = 0;
    PlayerWindow window([&now] { return now.load(); });
    window.show();
    window.OpenFile(QString::fromStdString(file.string()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.TimeText() == "0.000 s"; }, 20000));
    now = 0.1;
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return window.ShowingText().endsWith("frame 1 of 3"); }, 20000))
        << window.ShowingText().toStdString() << window.ProblemText().toStdString();
    EXPECT_EQ(window.TimeText(), "0.100 s");
    for (int n = 1; n <= kCellCount; ++n)
        EXPECT_EQ(window.Cube()->Lamp(n)->IsLit(), n == 1 || n == 5 || n == 9) << n;
    QTest::keyPress(&window, Qt::Key_1);
    now = 0.6;
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.ShowingText().startsWith("BP1"); }, 20000))
        << window.ShowingText().toStdString();
    QTest::keyRelease(&window, Qt::Key_1);
}

TEST(PlayerEngine, WaitsForAFileWhoseFoldersDoNotExistYet) {
    EngineOnFile e;
    const fs::path drive = e.folder.Path() / "D";
    const fs::path file = drive / "anims" / "demo.c";
    e.engine.Open(QString::fromStdString(file.string()));
    const QString waiting = e.engine.News().Take().problem.value_or("");
    EXPECT_EQ(waiting, "waiting for " + HomeRelative(QString::fromStdString(file.string())) +
                           " to be created");
    // The editor makes the folders, then writes: each step is seen on disk.
    fs::create_directory(drive);
    ASSERT_TRUE(WaitForProblem(e)) << "the new folder D was not seen";
    fs::create_directory(drive / "anims");
    ASSERT_TRUE(WaitForProblem(e)) << "the new folder anims was not seen";
    std::ofstream(file, std::ios::binary)
        << ProgramHeader() + FrameBlock(600, CellsOn({7})) + ProgramClose();
    ASSERT_TRUE(WaitForLoad(e)) << "the new file was not seen";
    EXPECT_EQ(LitCells(e.At(0.1).glow), chip::CellsText(CellsOn({7})));
}

// The editor's logic records into a file that the engine follows.
struct RecordingBesideThePlayer {
    RecordingBesideThePlayer() {
        view.Type(ControlId::Nomf, "follow");
        workflow.NomfChange();
        workflow.CommencerClick();
        engine.Open(QString::fromStdString((home.Drive() / "follow.c").string()));
        engine.News().Take();
    }
    // Records a frame of these cells and lets the engine pick the change up.
    void Record(std::initializer_list<int> lit, const std::string& ms = "600") {
        for (int n = 1; n <= kCellCount; ++n) cells.Set(n, false);
        for (const int n : lit) cells.Set(n, true);
        view.Type(ControlId::Temps, ms);
        workflow.SuivantClick();
        engine.Reload();
    }
    EngineNews Take() { return engine.News().Take(); }
    PlayerFrame At(double seconds) {
        now = seconds;
        engine.Tick();
        return engine.News().Take().frame.value_or(PlayerFrame{});
    }
    test::TempHome home;
    test::FakeMainView view;
    CellState cells;
    OutputPath path;
    RecordingWorkflow workflow{view, cells, path};
    double now = 0;
    PlayerEngine engine{[this] { return now; }};
};

// The buttons the engine gives the chip, as one line: following or not, bits, what it says, the
// hint.
std::string Held(const EngineNews& news) {
    if (!news.held) return "no news";
    return (news.held->following ? "following " : "") + std::to_string(news.held->bits) + " " +
           news.held->says.toStdString() + "|" + news.held->hint.toStdString();
}

TEST(PlayerEngine, FollowsTheRecordingByHoldingTheButtonsOfTheOpenSequence) {
    RecordingBesideThePlayer r;
    r.workflow.SwitchClick(SwitchCombination::BP1);
    const std::string noBp1 =
        "|no sequence plays under these buttons: press 1 for the BP1 sequence";
    double t = 0.05;
    for (const int cell : {4, 13, 22}) {
        r.Record({cell});
        EXPECT_EQ(Held(r.Take()), "following 1 following the recording: BP1 held|") << cell;
        // Nothing pressed by the user, and the frame just recorded shows at once.
        EXPECT_EQ(LitCells(r.At(t += 0.05).glow), chip::CellsText(CellsOn({cell}))) << cell;
    }
    // A button the user latches takes over: BP2 plays nothing here, and says which key does.
    r.engine.SetButtons(2);
    EXPECT_EQ(Held(r.Take()), "2 " + noBp1);
    // The frame showing ends (600 ms), then no sequence plays: the chip leaves
    // its last layer as it was (22 is on the top layer), and no frame is named.
    for (const double end = t + 0.7; t < end; t += 0.05) r.At(t);
    const PlayerFrame after = r.At(t);
    EXPECT_EQ(LitCells(after.glow), chip::CellsText(CellsOn({22})));
    EXPECT_EQ(after.frame, 0);
    r.engine.SetButtons(0);
    EXPECT_EQ(Held(r.Take()), "following 1 following the recording: BP1 held|");
    // FinirBP closes the sequence: the player lets go.
    r.workflow.FinirBPClick();
    r.engine.Reload();
    EXPECT_EQ(Held(r.Take()), "0 " + noBp1);
}

TEST(PlayerWindow, ShowsTheButtonsItHoldsWhileFollowingAndWhichKeyPlaysWhat) {
    chip::ScratchFolder folder;
    const fs::path file = folder.Path() / "cube.c";
    const std::string recording =
        ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP3) + FrameBlock(600, CellsOn({3}));
    std::ofstream(file, std::ios::binary) << recording;
    std::atomic<double> now = 0;
    PlayerWindow window([&now] { return now.load(); });
    window.show();
    window.OpenFile(QString::fromStdString(file.string()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.WhereText().contains("following"); }, 20000))
        << window.WhereText().toStdString() << window.ProblemText().toStdString();
    EXPECT_TRUE(window.WhereText().endsWith("following the recording: BP3 held"));
    EXPECT_TRUE(window.ButtonShownHeld(2));
    EXPECT_FALSE(window.ButtonShownHeld(0));
    // FinirBP: nothing plays without a button now, and the readout says which key does.
    std::ofstream(file, std::ios::binary) << recording + SwitchBlockClose();
    // The clock runs on past the frame that was showing (a jump of more than
    // half a second would be dropped, as by a player that fell behind).
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            now = now + 0.02;
            return window.ShowingText() ==
                   "no sequence plays under these buttons: press 3 for the BP3 sequence";
        },
        20000))
        << window.ShowingText().toStdString();
    EXPECT_FALSE(window.ButtonShownHeld(2));
}

TEST(PlayerEngine, SaysItRunsToAFarFrameUntilItShows) {
    EngineOnFile e;
    // Further than the three minutes of cube time run flat out.
    e.Write(ProgramHeader() + FrameBlock(195000, CellsOn({1})) + FrameBlock(150, CellsOn({2})) +
            ProgramClose());
    ASSERT_TRUE(e.Read(true).loaded);
    e.engine.ShowRecordedFrame(1);
    const EngineNews asked = e.engine.News().Take();
    ASSERT_TRUE(asked.held);
    EXPECT_EQ(asked.held->says.toStdString(),
              "running to the selected frame (between the sequences: frame 2 of 2)…");
    double t = 0;
    std::optional<HeldButtons> held;
    for (int tick = 0; tick < 1000 && (!held || held->says.startsWith("running")); ++tick) {
        e.now = t += 0.25;
        e.engine.Tick();
        if (const EngineNews news = e.engine.News().Take(); news.held) held = news.held;
    }
    ASSERT_TRUE(held) << chip::DescribeShowing(e.At(t), true);
    EXPECT_EQ(held->says.toStdString(), "showing the selected frame");
    // Paused where the frame of 0.15 s began, though the clock steps 0.25 s.
    EXPECT_EQ(LitCells(e.At(t + 1).glow), chip::CellsText(CellsOn({2})));
}

// Selects block `block` of the window's program as a click in the panel does.
void SelectInPanel(PlayerWindow& window, int block) {
    window.Panel()->SelectBlocks({block});
    emit window.Panel()->SelectionChanged(window.Panel()->SelectedBlocks());
}

TEST(PlayerWindow, OpenWhilePausedOnAFramePlaysTheNewFileAndAClickShowsTheSelectedFrameAgain) {
    chip::ScratchFolder folder;
    const fs::path first = folder.Path() / "first.c";
    const fs::path second = folder.Path() / "second.c";
    std::ofstream(first, std::ios::binary) << ThreeFramesAndBp1();
    std::ofstream(second, std::ios::binary) << ProgramHeader() + FrameBlock(300, CellsOn({5})) +
                                                   FrameBlock(300, CellsOn({6})) + ProgramClose();
    std::atomic<double> now = 0;
    PlayerWindow window([&now] { return now.load(); });
    window.show();
    // Nothing open: nothing to put on the cube, and the readout says so.
    EXPECT_FALSE(window.Action(QStringLiteral("put-on-cube"))->isEnabled());
    EXPECT_EQ(window.WhereText(), "no program: open one, or start a new one");
    const auto waitFor = [&](const std::function<bool()>& done) {
        return QTest::qWaitFor([&] { return (now = now + 0.02, done()); }, 20000);
    };
    const auto showing = [&](const char* text) {
        return waitFor([&] { return window.ShowingText() == text; }) ||
               (ADD_FAILURE() << window.ShowingText().toStdString(), false);
    };
    window.OpenFile(QString::fromStdString(first.string()));
    ASSERT_TRUE(waitFor([&] { return window.Panel()->Model().rowCount() == 5; }));
    EXPECT_TRUE(window.Action(QStringLiteral("put-on-cube"))->isEnabled());
    SelectInPanel(window, 4);  // the BP1 sequence's frame
    ASSERT_TRUE(waitFor([&] { return window.WhereText().endsWith("showing the selected frame"); }))
        << window.WhereText().toStdString();
    EXPECT_TRUE(window.ButtonShownHeld(0));

    window.OpenFile(QString::fromStdString(second.string()));
    ASSERT_TRUE(showing("between the sequences: frame 2 of 2"));
    EXPECT_FALSE(window.ButtonShownHeld(0));
    EXPECT_EQ(window.WhereText(), "the only program in the file");

    // Paused on frame 1; played on to frame 2; a click on frame 1, still
    // selected, shows it again.
    SelectInPanel(window, 0);
    ASSERT_TRUE(showing("between the sequences: frame 1 of 2"));
    QTest::keyClick(&window, Qt::Key_Space);
    ASSERT_TRUE(showing("between the sequences: frame 2 of 2"));
    QListView* panel = window.Panel();
    QTest::mouseClick(panel->viewport(), Qt::LeftButton, {},
                      panel->visualRect(panel->model()->index(0, 0)).center());
    EXPECT_TRUE(showing("between the sequences: frame 1 of 2"));
}

TEST(PlayerWindow, OpenStartsInTheFolderOfTheFileShownOrInD) {
    test::TempHome home;
    const QString drive = QString::fromStdString(home.Drive().string());
    const QString homeFolder = QString::fromStdString(home.Home().string());
    fs::create_directories(home.Drive() / "anims");
    const std::pair<QString, QString> cases[] = {
        {drive + "/anims/cube.c", drive + "/anims"},
        {drive + "/later/deeper/cube.c", drive},  // folders not made yet
        {QString(), drive},
    };
    for (const auto& [shown, folder] : cases)
        EXPECT_EQ(OpenDialogFolder(shown), folder) << shown.toStdString();
    fs::remove_all(home.Drive());
    EXPECT_EQ(OpenDialogFolder(QString()), homeFolder);  // no ~/D yet: the home folder
}

// 50 s into the show on the Uno, on a clock that does not move: the chip gets
// there flat out, its delay loops passed over (the compact build asleep).
TEST(PlayerEngine, ShowsAFrameSelectedFiftySecondsIntoTheShowOnTheUnoAtOnce) {
    EngineOnFile e;
    e.Write(ProgramHeader() + FrameBlock(50000, CellsOn({1})) + FrameBlock(150, CellsOn({2})) +
            ProgramClose());
    e.engine.SetChip(chip::kUno);
    ASSERT_TRUE(e.Read(true).loaded);
    for (const bool compact : {false, true}) {
        e.engine.SetCompact(compact);
        if (compact) {
            const EngineNews built = e.engine.News().Take();
            ASSERT_TRUE(built.loaded);
            EXPECT_TRUE(built.loaded->sizes.startsWith("compact build"));
        }
        e.engine.ShowRecordedFrame(1);
        const EngineNews shown = e.engine.News().Take();
        ASSERT_TRUE(shown.held) << compact;
        EXPECT_EQ(shown.held->says.toStdString(), "showing the selected frame");
        const PlayerFrame frame = e.At(0);
        EXPECT_EQ(LitCells(frame.glow), chip::CellsText(CellsOn({2}))) << compact;
        EXPECT_GT(static_cast<double>(frame.cycle) / frame.clockHz, 50.0) << compact;
    }
}

TEST(PlayerEngine, PlaysTheBuildForAnArduinoUnoFromItsOwnPins) {
    EngineOnFile e;
    e.Write(ProgramHeader() + FrameBlock(600, CellsOn({4, 8, 13, 27})) +
            FrameBlock(600, CellsOn({9, 19})) + ProgramClose());
    ASSERT_TRUE(e.Read(true).loaded);
    for (const bool compact : {false, true}) {
        e.engine.SetCompact(compact);
        e.engine.SetChip(chip::kUno);
        const EngineNews uno = e.engine.News().Take();
        ASSERT_TRUE(uno.loaded) << uno.problem.value_or("").toStdString();
        EXPECT_TRUE(uno.loaded->sizes.endsWith("Arduino Uno (ATmega328P) at 16 MHz"))
            << uno.loaded->sizes.toStdString();
        // The lamps come from D2-D10 and A0-A2 of the simulated ATmega328P at 16 MHz.
        const double start = e.now;
        double t = start;
        for (; t < start + 0.3; t += 0.02) e.At(t);
        const PlayerFrame first = e.At(t);
        EXPECT_EQ(LitCells(first.glow), chip::CellsText(CellsOn({4, 8, 13, 27}))) << compact;
        EXPECT_EQ(first.clockHz, 16000000u);
        EXPECT_NEAR(static_cast<double>(first.cycle) / first.clockHz, t - start, 0.03);
        for (; t < start + 0.9; t += 0.02) e.At(t);
        EXPECT_EQ(LitCells(e.At(t).glow), chip::CellsText(CellsOn({9, 19}))) << compact;
        e.engine.SetChip(chip::kAtmega8535);
        e.engine.News().Take();
    }
}

}  // namespace
}  // namespace ledcube::player
