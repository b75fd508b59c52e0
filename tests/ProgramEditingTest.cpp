// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

#include "RandomRecording.h"
#include "TestSupport.h"
#include "chip/FirmwareBuild.h"
#include "firmware/Buttons.h"
#include "player/FramePanel.h"
#include "player/PlayerWindow.h"
#include "player/ProgramDocument.h"
#include "ui/LampWidget.h"

namespace ledcube::player {
namespace {

namespace fs = std::filesystem;
using program::Animation;
using program::AnimationFrame;
using test::CellsOn;

void Write(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

QString Q(const fs::path& file) {
    return QString::fromStdString(file.string());
}

// An edit a user could make on any selection: the document's own, as the menus call it.
using RandomEdit = std::function<void(ProgramDocument&, std::mt19937&)>;

program::CellTransform AnyTransform(std::mt19937& random) {
    return static_cast<program::CellTransform>(random() % 12);
}

const RandomEdit kRandomEdits[] = {
    [](ProgramDocument& d, std::mt19937&) { d.DeleteSelection(); },
    [](ProgramDocument& d, std::mt19937&) { d.CutFrames(); },
    [](ProgramDocument& d, std::mt19937& r) {
        d.PasteFrames({{static_cast<int>(r() % 40), CellsOn({static_cast<int>(r() % 27) + 1})}});
    },
    [](ProgramDocument& d, std::mt19937&) { d.DuplicateFrames(); },
    [](ProgramDocument& d, std::mt19937&) { d.InsertEmptyFrame(); },
    [](ProgramDocument& d, std::mt19937& r) { d.MoveFrames(r() % 2 == 0 ? -1 : 1); },
    [](ProgramDocument& d, std::mt19937& r) {
        d.MoveFramesTo(static_cast<int>(r() % (d.Content().blocks.size() + 1)));
    },
    [](ProgramDocument& d, std::mt19937& r) { d.NewSequence(kCombinations[r() % 4]); },
    [](ProgramDocument& d, std::mt19937& r) { d.SetSequenceButtons(kCombinations[r() % 4]); },
    [](ProgramDocument& d, std::mt19937&) { d.DeleteSequence(); },
    [](ProgramDocument& d, std::mt19937& r) { d.Transform(AnyTransform(r)); },
    [](ProgramDocument& d, std::mt19937& r) { d.DuplicateTransformed(AnyTransform(r)); },
    [](ProgramDocument& d, std::mt19937& r) { d.SetRepeatCount(static_cast<int>(r() % 40)); },
    [](ProgramDocument& d, std::mt19937& r) { d.ToggleLamp(static_cast<int>(r() % 27) + 1); },
};

// One or two neighbouring rows (never a closing brace), or none.
std::vector<int> RandomSelection(const Animation& a, std::mt19937& random) {
    std::vector<int> rows;
    for (int at = 0; at < static_cast<int>(a.blocks.size()); ++at)
        if (a.blocks[static_cast<std::size_t>(at)].kind != program::AnimationBlock::Kind::Close)
            rows.push_back(at);
    if (rows.empty() || random() % 8 == 0) return {};
    const std::size_t first = random() % rows.size();
    std::vector<int> selection{rows[first]};
    if (first + 1 < rows.size() && random() % 2 == 0) selection.push_back(rows[first + 1]);
    return selection;
}

class UndoTest : public testing::TestWithParam<unsigned> {};

TEST_P(UndoTest, EveryEditUndoneGivesBackTheExactTextAndRedoneTheEditedText) {
    const std::string recorded = test::RecordRandomProgram(GetParam());
    ProgramDocument document;
    document.Load(QStringLiteral("random.c"), recorded);
    ASSERT_EQ(document.Text(), recorded);
    std::mt19937 random(GetParam());
    for (int edit = 0; edit < 40; ++edit) {
        document.Select(RandomSelection(document.Content(), random));
        const int before = document.History().count();
        kRandomEdits[random() % std::size(kRandomEdits)](document, random);
        // An edit that changed the program is one named step of the history.
        if (document.History().count() > before) {
            ASSERT_FALSE(document.History().text(before).isEmpty()) << edit;
        }
        // Whatever the edits, the text is a program the reader takes back as it is.
        ASSERT_EQ(program::AnimationText(program::ReadAnimation(document.Text())), document.Text())
            << edit;
    }
    const std::string edited = document.Text();
    ASSERT_GT(document.History().count(), 10);
    while (document.History().canUndo()) document.History().undo();
    EXPECT_EQ(document.Text(), recorded);
    EXPECT_FALSE(document.Modified());
    while (document.History().canRedo()) document.History().redo();
    EXPECT_EQ(document.Text(), edited);
}

INSTANTIATE_TEST_SUITE_P(Seeds, UndoTest, testing::Range(1u, 6u));

struct SaveCase {
    const char* name;
    std::string fileText;                            // what the file holds when read
    bool edit;                                       // delete the first block before saving
    std::function<void(const fs::path&)> meanwhile;  // done to the file after it was read
    bool sameFile;                                   // saved over the file read, else beside it
    bool saved;
    std::string expected;  // the saved file's text, or a part of the message
};

std::string TwoFrames() {
    return ProgramHeader() + FrameBlock(150, CellsOn({1})) +
           SwitchBlockOpen(SwitchCombination::BP2) + FrameBlock(30, CellsOn({27})) +
           SwitchBlockClose() + ProgramClose();
}

class SaveTest : public testing::TestWithParam<SaveCase> {};

TEST_P(SaveTest, WritesTheWholeProgramOrNothing) {
    const SaveCase& c = GetParam();
    const chip::ScratchFolder folder;
    const fs::path file = folder.Path() / "cube1.c";
    Write(file, c.fileText);
    ProgramDocument document;
    document.Load(Q(file), c.fileText);
    if (c.edit) {
        document.Select({0});
        document.DeleteSelection();
    }
    if (c.meanwhile) c.meanwhile(file);
    const std::string before = test::ReadFile(file);
    const fs::path target = c.sameFile ? file : folder.Path() / "cube1-2.c";
    const std::optional<QString> problem = document.SaveAs(Q(target));
    if (c.saved) {
        EXPECT_FALSE(problem) << problem->toStdString();
        EXPECT_EQ(test::ReadFile(target), c.expected);
        EXPECT_FALSE(document.Modified());
        EXPECT_TRUE(document.SavesInPlace());
    } else {
        ASSERT_TRUE(problem);
        EXPECT_NE(problem->toStdString().find(c.expected), std::string::npos)
            << problem->toStdString();
        EXPECT_EQ(test::ReadFile(file), before);
        EXPECT_EQ(document.Modified(), c.edit);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveTest,
    testing::Values(
        SaveCase{"no edit gives the program's text", TwoFrames(), false, nullptr, false, true,
                 TwoFrames()},
        SaveCase{"a glued file's last program alone", TwoFrames() + TwoFrames(), false, nullptr,
                 false, true, TwoFrames()},
        SaveCase{"a program still being recorded is closed",
                 ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP1) +
                     FrameBlock(45, CellsOn({5})),
                 false, nullptr, false, true,
                 ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP1) +
                     FrameBlock(45, CellsOn({5})) + SwitchBlockClose() + ProgramClose()},
        SaveCase{"an edit", TwoFrames(), true, nullptr, true, true,
                 ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP2) +
                     FrameBlock(30, CellsOn({27})) + SwitchBlockClose() + ProgramClose()},
        SaveCase{"the file changed since it was read", TwoFrames(), true,
                 [](const fs::path& f) { std::ofstream(f, std::ios::app) << "\n"; }, true, false,
                 "changed on disk"},
        SaveCase{"the file gone since it was read", TwoFrames(), true,
                 [](const fs::path& f) { fs::remove(f); }, true, false, "changed on disk"},
        SaveCase{"a folder that cannot hold the file", TwoFrames(), true,
                 [](const fs::path& f) {
                     // cube1-2.c becomes a folder: no file can replace it.
                     fs::create_directory(f.parent_path() / "cube1-2.c");
                 },
                 false, false, "cannot be written"}),
    [](const testing::TestParamInfo<SaveCase>& info) { return test::TestName(info.param.name); });

TEST(ProgramDocument, OpensAProgramEditedByHandReadOnly) {
    std::string text = TwoFrames();
    text.insert(ProgramHeader().size(), "PORTB=0x01;\n");
    ProgramDocument document;
    document.Load(QStringLiteral("hand.c"), text);
    ASSERT_TRUE(document.ReadOnlyReason());
    EXPECT_NE(document.ReadOnlyReason()->toStdString().find("line 89"), std::string::npos)
        << document.ReadOnlyReason()->toStdString();
    document.InsertEmptyFrame();
    EXPECT_FALSE(document.Modified());
}

TEST(ProgramDocument, OpensAProgramWithACommentReadOnlyWithItsFrames) {
    ProgramDocument document;
    document.Load(QStringLiteral("comment.c"),
                  std::string(TwoFrames()).insert(ProgramHeader().size(), "// mine\n\n"));
    ASSERT_TRUE(document.ReadOnlyReason());
    EXPECT_TRUE(document.ReadOnlyReason()->contains(QStringLiteral("from line 89")));
    EXPECT_EQ(document.Text(), TwoFrames());  // its blocks, as the editor writes them
}

TEST(PanelRows, NumberFramesWithinTheirSequenceAndSayTheirTimeOnTheChip) {
    const std::string text =
        ProgramHeader() + FrameBlock(195, CellsOn({1})) + SwitchBlockOpen(SwitchCombination::BP1) +
        FrameBlock(30, CellsOn({2})) + FrameBlock(20000, CellsOn({3})) + SwitchBlockClose() +
        FrameBlock(10, CellsOn({4})) + FrameBlock(45, CellsOn({5})) + ProgramClose();
    const Animation animation = program::ReadAnimation(text);
    const std::pair<unsigned, std::vector<std::string>> cases[] = {
        {kCubeChipClockHz,
         {"1    13 passes ≈ 199.6 ms", "BP1 sequence", "1    2 passes ≈ 30.7 ms",
          "2    1,333 passes ≈ 20.47 s", "1    0 passes, never shown", "2    3 passes ≈ 46.1 ms"}},
        {16000000,
         {"1    13 passes ≈ 195.3 ms", "BP1 sequence", "1    2 passes ≈ 30.0 ms",
          "2    1,333 passes ≈ 20.02 s", "1    0 passes, never shown", "2    3 passes ≈ 45.1 ms"}},
    };
    for (const auto& [clock, expected] : cases) {
        std::vector<std::string> texts;
        for (const PanelRow& row : PanelRows(animation, clock))
            texts.push_back(row.text.toStdString());
        EXPECT_EQ(texts, expected) << clock;
    }
}

TEST(ProposedSaveName, IsTheNextFreeNumberInTheSameFolder) {
    const chip::ScratchFolder folder;
    const QString file = Q(folder.Path() / "cube1.c");
    EXPECT_EQ(ProposedSaveName(file), Q(folder.Path() / "cube1-2.c"));
    Write(folder.Path() / "cube1-2.c", "");
    Write(folder.Path() / "cube1-3.c", "");
    EXPECT_EQ(ProposedSaveName(file), Q(folder.Path() / "cube1-4.c"));
}

// A BP1 sequence recorded in the editor's logic, frame by frame: its text.
std::string RecordBp1(const std::vector<AnimationFrame>& frames) {
    test::EditorLogic logic;
    logic.Start("cube1");
    logic.workflow.SwitchClick(SwitchCombination::BP1);
    for (const AnimationFrame& frame : frames)
        logic.Frame(frame.cells, std::to_string(frame.repeatCount * 15));
    logic.workflow.FinirBPClick();
    logic.workflow.FinirClick();
    return logic.home.Read("cube1.c");
}

TEST(ProgramDocument, AFixedRecordingSavesAsTheEditorWouldHaveRecordedIt) {
    // Ten frames, frame k lighting LED k and lasting k + 1 passes; frame 4 with a wrong LED 20 too.
    std::vector<AnimationFrame> intended;
    for (int k = 1; k <= 10; ++k) intended.push_back({k + 1, CellsOn({k})});
    std::vector<AnimationFrame> recorded = intended;
    recorded[3].cells.Set(20, true);
    ProgramDocument document;
    document.Load(QStringLiteral("cube1.c"), RecordBp1(recorded));
    const auto frame = [](int k) { return k; };  // block 0 opens the sequence
    document.Select({frame(4)});
    document.ToggleLamp(20);
    document.Select({frame(7)});
    document.DeleteSelection();
    document.Select({frame(2)});
    for (int copy = 0; copy < 3; ++copy)
        document.DuplicateTransformed(program::CellTransform::ShiftUp);
    document.History().undo();

    std::vector<AnimationFrame> fixed = intended;
    fixed.erase(fixed.begin() + 6);
    fixed.insert(fixed.begin() + 2, {{3, CellsOn({11})}, {3, CellsOn({20})}});
    EXPECT_EQ(document.Text(), RecordBp1(fixed));
}

// A menu action and the document's method it must call.
struct MenuEdit {
    std::string action;
    std::function<void(ProgramDocument&)> edit;
};

std::vector<MenuEdit> MenuEdits() {
    std::vector<MenuEdit> edits = {
        {"delete", [](ProgramDocument& d) { d.DeleteSelection(); }},
        {"cut", [](ProgramDocument& d) { d.CutFrames(); }},
        {"duplicate", [](ProgramDocument& d) { d.DuplicateFrames(); }},
        {"insert", [](ProgramDocument& d) { d.InsertEmptyFrame(); }},
        {"move-up", [](ProgramDocument& d) { d.MoveFrames(-1); }},
        {"move-down", [](ProgramDocument& d) { d.MoveFrames(1); }},
        {"delete-sequence", [](ProgramDocument& d) { d.DeleteSequence(); }},
    };
    for (const SwitchCombination buttons : kCombinations) {
        const std::string name = CombinationName(buttons);
        edits.push_back(
            {"new-sequence-" + name, [buttons](ProgramDocument& d) { d.NewSequence(buttons); }});
        edits.push_back({"sequence-buttons-" + name,
                         [buttons](ProgramDocument& d) { d.SetSequenceButtons(buttons); }});
    }
    const std::pair<program::CellTransform, const char*> transforms[] = {
        {program::CellTransform::ShiftRight, "shift-right"},
        {program::CellTransform::ShiftLeft, "shift-left"},
        {program::CellTransform::ShiftBack, "shift-back"},
        {program::CellTransform::ShiftFront, "shift-front"},
        {program::CellTransform::ShiftUp, "shift-up"},
        {program::CellTransform::ShiftDown, "shift-down"},
        {program::CellTransform::TurnClockwise, "turn-clockwise"},
        {program::CellTransform::TurnAnticlockwise, "turn-anticlockwise"},
        {program::CellTransform::MirrorLeftRight, "mirror-left-right"},
        {program::CellTransform::MirrorBackFront, "mirror-back-front"},
        {program::CellTransform::MirrorTopBottom, "mirror-top-bottom"},
        {program::CellTransform::Invert, "invert"},
    };
    for (const auto& [kind, name] : transforms) {
        edits.push_back({name, [kind](ProgramDocument& d) { d.Transform(kind); }});
        edits.push_back({std::string("duplicate-") + name,
                         [kind](ProgramDocument& d) { d.DuplicateTransformed(kind); }});
    }
    return edits;
}

// A frame, a BP1 sequence of two and a frame.
std::string FourFrames() {
    return ProgramHeader() + FrameBlock(150, CellsOn({1, 5})) +
           SwitchBlockOpen(SwitchCombination::BP1) + FrameBlock(30, CellsOn({2, 13})) +
           FrameBlock(45, CellsOn({3, 20, 27})) + SwitchBlockClose() +
           FrameBlock(60, CellsOn({4})) + ProgramClose();
}

// Each menu action, on the window, does to the program what its method does
// to a document alone: the same text, selection and name in the history.
TEST(PlayerWindow, EveryMenuEditCallsItsDocumentMethod) {
    std::atomic<double> now = 0;
    PlayerWindow window([&now] { return now.load(); });
    window.Questions().warn = [](const QString& message) {
        ADD_FAILURE() << message.toStdString();
    };
    const std::vector<std::vector<int>> selections = {{2, 3}, {5}, {1}};
    for (const MenuEdit& menu : MenuEdits())
        for (const std::vector<int>& selection : selections) {
            SCOPED_TRACE(menu.action + " on row " + std::to_string(selection.front()));
            window.Document().Load(QStringLiteral("four.c"), FourFrames());
            window.Document().Select(selection);
            ProgramDocument alone;
            alone.Load(QStringLiteral("four.c"), FourFrames());
            alone.Select(selection);
            QAction* action = window.Action(QString::fromStdString(menu.action));
            ASSERT_NE(action, nullptr);
            const bool enabled = action->isEnabled();
            action->trigger();
            // An action the selection disables changes nothing.
            if (!enabled) {
                EXPECT_EQ(window.Document().Text(), FourFrames());
                EXPECT_EQ(window.Document().Selection(), selection);
                continue;
            }
            menu.edit(alone);
            EXPECT_EQ(window.Document().Text(), alone.Text());
            EXPECT_EQ(window.Document().Selection(), alone.Selection());
            EXPECT_EQ(window.Document().History().undoText(), alone.History().undoText());
        }
    // Copy and paste: the frames selected after the selection.
    window.Document().Load(QStringLiteral("four.c"), FourFrames());
    window.Document().Select({2, 3});
    window.Action(QStringLiteral("copy"))->trigger();
    window.Document().Select({5});
    window.Action(QStringLiteral("paste"))->trigger();
    ProgramDocument alone;
    alone.Load(QStringLiteral("four.c"), FourFrames());
    alone.Select({5});
    alone.PasteFrames(program::FramesAt(program::ReadAnimation(FourFrames()), {2, 3}));
    EXPECT_EQ(window.Document().Text(), alone.Text());
    EXPECT_EQ(window.Document().History().undoText(), QStringLiteral("Paste 2 frames"));
    // A lamp clicked and a duration typed.
    window.ToggleLamp(7);
    alone.ToggleLamp(7);
    window.ApplyDuration(QStringLiteral("300"));
    alone.SetRepeatCount(20);
    EXPECT_EQ(window.Document().Text(), alone.Text());
    EXPECT_EQ(window.Document().History().undoText(), QStringLiteral("Set the duration to 300 ms"));
}

// The frames of a program file: their repeat counts and lit LEDs.
std::vector<AnimationFrame> FramesOfFile(const fs::path& file) {
    std::vector<AnimationFrame> frames;
    for (const program::RecordedFrame& frame : program::ReadProgram(test::ReadFile(file)))
        frames.push_back({frame.repeatCount, frame.cells});
    return frames;
}

TEST(PlayerWindow, FixesAFrameDuplicatesItShiftedUndoesAndSavesBeside) {
    const chip::ScratchFolder folder;
    const fs::path file = folder.Path() / "cube1.c";
    Write(file, TwoFrames());
    std::atomic<double> now = 0;
    PlayerWindow window([&now] { return now.load(); });
    QString proposed;
    window.Questions().saveName = [&](const QString& name) { return proposed = name; };
    window.Questions().warn = [](const QString& message) {
        ADD_FAILURE() << message.toStdString();
    };
    window.show();
    window.OpenFile(Q(file));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.Panel()->model()->rowCount() == 3; }, 20000))
        << window.ProblemText().toStdString();
    EXPECT_TRUE(window.Panel()->hasFocus() || !window.isActiveWindow());

    // The BP2 frame (block 2): selecting it shows it on the chip, BP2 held for it.
    window.Panel()->SelectBlocks({2});
    emit window.Panel()->SelectionChanged(window.Panel()->SelectedBlocks());
    const auto lit = [&](std::initializer_list<int> leds) {
        return QTest::qWaitFor(
            [&] {
                now = now + 0.05;
                for (int n = 1; n <= kCellCount; ++n)
                    if (window.Cube()->Lamp(n)->IsLit() !=
                        (std::find(leds.begin(), leds.end(), n) != leds.end()))
                        return false;
                return true;
            },
            20000);
    };
    ASSERT_TRUE(lit({27}));
    const int panelTop = window.Panel()->mapTo(&window, QPoint(0, 0)).y();
    // A click on LED 26's lamp lights it in the frame; the chip shows the edited frame.
    QTest::mouseClick(const_cast<CubeLamp*>(window.Cube()->Lamp(26)), Qt::LeftButton);
    ASSERT_TRUE(lit({26, 27})) << window.ProblemText().toStdString();
    EXPECT_TRUE(window.isWindowModified());
    EXPECT_NE(window.EditStateText().indexOf(QStringLiteral("edited copy of cube1.c")), -1);
    // The line above the panel had its place: the rows stay under the pointer.
    QCoreApplication::processEvents();
    EXPECT_EQ(window.Panel()->mapTo(&window, QPoint(0, 0)).y(), panelTop);
    // Undone back to the file's program, it says nothing; redone, it says it again.
    window.Action(QStringLiteral("undo"))->trigger();
    EXPECT_EQ(window.EditStateText(), QString());
    window.Action(QStringLiteral("redo"))->trigger();
    EXPECT_NE(window.EditStateText().indexOf(QStringLiteral("edited copy of cube1.c")), -1);

    window.Action(QStringLiteral("duplicate-shift-left"))->trigger();
    window.Action(QStringLiteral("duplicate-shift-down"))->trigger();
    EXPECT_EQ(window.Action(QStringLiteral("undo"))->text(),
              QStringLiteral("Undo Duplicate and shift down a layer"));
    window.Action(QStringLiteral("undo"))->trigger();
    window.Action(QStringLiteral("save"))->trigger();
    EXPECT_EQ(proposed, Q(folder.Path() / "cube1-2.c"));
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_EQ(FramesOfFile(folder.Path() / "cube1-2.c"),
              (std::vector<AnimationFrame>{
                  {10, CellsOn({1})}, {2, CellsOn({26, 27})}, {2, CellsOn({25, 26})}}));
    EXPECT_EQ(test::ReadFile(file), TwoFrames());
}

}  // namespace
}  // namespace ledcube::player
