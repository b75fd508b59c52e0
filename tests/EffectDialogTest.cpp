// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>

#include "TestSupport.h"
#include "firmware/FirmwareText.h"
#include "player/EffectDialog.h"
#include "player/PlayerWindow.h"
#include "player/ProgramDocument.h"
#include "ui/LampWidget.h"

namespace ledcube::player {
namespace {

std::size_t FrameCount(const ProgramDocument& document) {
    return program::AnimationFrames(document.Content()).size();
}

bool AnyLit(const CubeView* cube) {
    for (int n = 1; n <= kCellCount; ++n)
        if (cube->Lamp(n)->IsLit()) return true;
    return false;
}

EffectDialog* OpenDialog(PlayerWindow& window) {
    window.Action(QStringLiteral("effect"))->trigger();
    EffectDialog* dialog = window.findChild<EffectDialog*>();
    EXPECT_NE(dialog, nullptr);
    return dialog;
}

// Insert → Effect…: Rain previewed on the simulated chip, inserted after the
// selection as one step of the history, undone and done again; a formula
// that does not parse says where and inserts nothing.
TEST(EffectDialog, PreviewsOnTheChipThenInsertsTheFramesAsOneUndoableEdit) {
    PlayerWindow window(chip::WallClock());
    const std::string two = ProgramHeader() + SwitchBlockOpen(SwitchCombination::Aucun) +
                            FrameBlock(300, test::CellsOn({1})) +
                            FrameBlock(300, test::CellsOn({2})) + SwitchBlockClose() +
                            ProgramClose();
    window.Document().Load(QStringLiteral("two.c"), two);
    window.Document().Select({1});  // the first frame
    EffectDialog* dialog = OpenDialog(window);
    ASSERT_NE(dialog, nullptr);
    dialog->ChooseEffect(QStringLiteral("rain"));
    dialog->SetSetting(QStringLiteral("density"), QStringLiteral("1"));
    dialog->SetFrames(24);
    dialog->SetMs(150);
    EXPECT_EQ(dialog->EffectTitle(), QStringLiteral("Rain"));
    EXPECT_TRUE(dialog->ProblemText().isEmpty()) << dialog->ProblemText().toStdString();
    ASSERT_EQ(dialog->Frames().size(), 24u);
    EXPECT_TRUE(dialog->RoomText().startsWith(QStringLiteral("the program would then take about ")))
        << dialog->RoomText().toStdString();
    EXPECT_TRUE(dialog->Fits());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return dialog->Previewing() && AnyLit(dialog->Preview()); }, 20000))
        << dialog->ProblemText().toStdString();
    dialog->accept();
    ASSERT_EQ(FrameCount(window.Document()), 26u);
    EXPECT_EQ(window.Document().History().undoText(),
              QStringLiteral("Insert effect Rain: 24 frames"));
    // After the first frame, before the second.
    const std::vector<program::RecordedFrame> frames =
        program::AnimationFrames(window.Document().Content());
    EXPECT_EQ(frames[0].cells, test::CellsOn({1}));
    EXPECT_EQ(frames[1].cells, dialog->Frames()[0]);
    EXPECT_EQ(frames[1].repeatCount, RepeatCount(150));
    EXPECT_EQ(frames[25].cells, test::CellsOn({2}));
    window.Document().History().undo();
    EXPECT_EQ(window.Document().Text(), two);
    window.Document().History().redo();
    EXPECT_EQ(FrameCount(window.Document()), 26u);

    EffectDialog* formula = OpenDialog(window);
    ASSERT_NE(formula, nullptr);
    formula->ChooseEffect(QStringLiteral("formula"));
    formula->SetFormula(QStringLiteral("return (x + ;"));
    EXPECT_TRUE(
        formula->ProblemText().startsWith(QStringLiteral("formula.js, line 2: SyntaxError")))
        << formula->ProblemText().toStdString();
    EXPECT_TRUE(formula->Frames().empty());
    EXPECT_FALSE(
        formula->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled());
    formula->SetFormula(QStringLiteral("return (x + y + z + t) % 3 == 0;"));
    EXPECT_EQ(formula->Frames().size(), 24u);
    formula->reject();
    EXPECT_EQ(FrameCount(window.Document()), 26u);
}

}  // namespace
}  // namespace ledcube::player
