// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "RandomRecording.h"
#include "TestSupport.h"
#include "program/Animation.h"
#include "program/SimError.h"

namespace ledcube::program {
namespace {

using test::CellsOn;
using Kind = AnimationBlock::Kind;

class RecordedAnimationTest : public testing::TestWithParam<unsigned> {};

TEST_P(RecordedAnimationTest, ReadAndWrittenAgainGivesTheRecordedTextAndFrames) {
    const std::string recorded = test::RecordRandomProgram(GetParam());
    const Animation animation = ReadAnimation(recorded);
    EXPECT_EQ(AnimationText(animation), recorded);
    const std::vector<RecordedFrame> read = ReadProgram(recorded);
    const std::vector<RecordedFrame> frames = AnimationFrames(animation);
    ASSERT_EQ(frames.size(), read.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(frames[i].repeatCount, read[i].repeatCount) << i;
        EXPECT_EQ(frames[i].cells, read[i].cells) << i;
        EXPECT_EQ(frames[i].block, read[i].block) << i;
        EXPECT_EQ(frames[i].sequence, read[i].sequence) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RecordedAnimationTest, testing::Range(1u, 9u));

TEST(RecordedAnimation, HoldsTheCasesTheRandomRecordingsPromise) {
    // The recordings above are worth their name: all of them together have
    // every case the text must survive.
    bool empty = false, twice = false, between = false, none = false, one = false, most = false;
    for (unsigned seed = 1; seed < 9; ++seed) {
        const Animation animation = ReadAnimation(test::RecordRandomProgram(seed));
        int opens[4] = {};
        for (std::size_t i = 0; i < animation.blocks.size(); ++i) {
            const AnimationBlock& block = animation.blocks[i];
            if (block.kind == Kind::Open) {
                twice |= ++opens[static_cast<int>(block.combination)] > 1;
                empty |= animation.blocks[i + 1].kind == Kind::Close;
            }
            if (block.kind != Kind::Frame) continue;
            between |= !SequenceOpening(animation, static_cast<int>(i));
            none |= block.frame.repeatCount == 0;
            one |= block.frame.repeatCount == 1;
            most |= block.frame.repeatCount == 32767;
        }
    }
    EXPECT_TRUE(empty && twice && between && none && one && most)
        << empty << twice << between << none << one << most;
}

// Frames with one LED each: frame k lights LED k.
AnimationBlock F(int led) {
    return AnimationBlock::Frame({1, CellsOn({led})});
}
const AnimationBlock kOpen = AnimationBlock::Open(SwitchCombination::BP1);
const AnimationBlock kClose = AnimationBlock::Close();

TEST(FrameNumber, CountsTheFramesBeforeTheBlockAcrossSequences) {
    const Animation animation{{F(1), kOpen, F(2), F(3), kClose, kOpen, kClose, F(4)}};
    const std::pair<int, int> cases[] = {{0, 0}, {2, 1}, {3, 2}, {7, 3}, {5, 3}};
    for (const auto& [block, number] : cases)
        EXPECT_EQ(FrameNumber(animation, block), number) << "block " << block;
}

struct EditCase {
    const char* name;
    std::vector<AnimationBlock> before;
    std::function<std::vector<int>(Animation&)> edit;
    std::vector<AnimationBlock> after;
    std::vector<int> selected;
};

class EditTest : public testing::TestWithParam<EditCase> {};

TEST_P(EditTest, ChangesTheBlocksAndSelectsWhatItMade) {
    Animation animation{GetParam().before};
    const std::vector<int> selected = GetParam().edit(animation);
    EXPECT_EQ(animation.blocks, GetParam().after);
    EXPECT_EQ(selected, GetParam().selected);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, EditTest,
    testing::Values(
        EditCase{"move up past a frame",
                 {F(1), F(2)},
                 [](Animation& a) { return MoveFrames(a, {1}, -1); },
                 {F(2), F(1)},
                 {0}},
        EditCase{"move up into a sequence from after it",
                 {kOpen, F(1), kClose, F(2)},
                 [](Animation& a) { return MoveFrames(a, {3}, -1); },
                 {kOpen, F(1), F(2), kClose},
                 {2}},
        EditCase{"move up out of a sequence",
                 {F(1), kOpen, F(2), kClose},
                 [](Animation& a) { return MoveFrames(a, {2}, -1); },
                 {F(1), F(2), kOpen, kClose},
                 {1}},
        EditCase{"move down into an empty sequence",
                 {F(1), kOpen, kClose},
                 [](Animation& a) { return MoveFrames(a, {0}, 1); },
                 {kOpen, F(1), kClose},
                 {1}},
        EditCase{"two frames move down together",
                 {F(1), F(2), F(3)},
                 [](Animation& a) {
                     return MoveFrames(a, {0, 1}, 1);
                 },
                 {F(3), F(1), F(2)},
                 {1, 2}},
        EditCase{"the first frame does not move up",
                 {F(1), F(2)},
                 [](Animation& a) {
                     return MoveFrames(a, {0, 1}, -1);
                 },
                 {F(1), F(2)},
                 {0, 1}},
        EditCase{"delete a sequence with its frames",
                 {F(1), kOpen, F(2), kClose, F(3)},
                 [](Animation& a) { return DeleteBlocks(a, {1}); },
                 {F(1), F(3)},
                 {1}},
        EditCase{"delete the last frames",
                 {F(1), F(2), F(3)},
                 [](Animation& a) {
                     return DeleteBlocks(a, {1, 2});
                 },
                 {F(1)},
                 {0}},
        EditCase{"delete every block",
                 {F(1), kOpen, F(2), kClose},
                 [](Animation& a) {
                     return DeleteBlocks(a, {0, 1});
                 },
                 {},
                 {}},
        EditCase{"duplicate after the last selected",
                 {F(1), F(2), F(3)},
                 [](Animation& a) {
                     return InsertFrames(a, InsertionPoint(a, {0, 1}), FramesAt(a, {0, 1}));
                 },
                 {F(1), F(2), F(1), F(2), F(3)},
                 {2, 3}},
        EditCase{"insert first in a selected sequence",
                 {kOpen, F(1), kClose},
                 [](Animation& a) {
                     return InsertFrames(a, InsertionPoint(a, {0}), {{1, CellsOn({9})}});
                 },
                 {kOpen, F(9), F(1), kClose},
                 {1}},
        EditCase{"a new sequence around frames between sequences",
                 {F(1), F(2), F(3)},
                 [](Animation& a) {
                     return NewSequence(a, {1, 2}, SwitchCombination::BP1);
                 },
                 {F(1), kOpen, F(2), F(3), kClose},
                 {1}},
        EditCase{"a new sequence after the sequence of a selected frame",
                 {kOpen, F(1), kClose, F(2)},
                 [](Animation& a) { return NewSequence(a, {1}, SwitchCombination::BP1); },
                 {kOpen, F(1), kClose, kOpen, kClose, F(2)},
                 {3}},
        EditCase{"drag frames down across a sequence",
                 {F(1), F(2), kOpen, F(3), kClose},
                 [](Animation& a) {
                     return MoveFramesTo(a, {0, 1}, 4);
                 },
                 {kOpen, F(3), F(1), F(2), kClose},
                 {2, 3}}),
    [](const testing::TestParamInfo<EditCase>& info) { return test::TestName(info.param.name); });

CellState RandomCells(std::mt19937& random) {
    CellState cells;
    for (int n = 1; n <= kCellCount; ++n) cells.Set(n, random() % 2 == 0);
    return cells;
}

// The cells on the face a shift pushes off the cube, cleared.
CellState KeptByShift(CellState cells, CellTransform shift) {
    for (int n = 1; n <= kCellCount; ++n) {
        const CellPlace p = PlaceOf(n);
        const bool leaves = (shift == CellTransform::ShiftRight && p.column == 2) ||
                            (shift == CellTransform::ShiftLeft && p.column == 0) ||
                            (shift == CellTransform::ShiftFront && p.row == 2) ||
                            (shift == CellTransform::ShiftBack && p.row == 0) ||
                            (shift == CellTransform::ShiftUp && p.layer == 3) ||
                            (shift == CellTransform::ShiftDown && p.layer == 1);
        if (leaves) cells.Set(n, false);
    }
    return cells;
}

struct UndoingCase {
    std::vector<CellTransform> transforms;  // together the identity
    bool onlyWhatStays;                     // on cells that no shift pushes off
};

class UndoingTransformTest : public testing::TestWithParam<UndoingCase> {};

TEST_P(UndoingTransformTest, GivesTheFrameBack) {
    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        CellState cells = RandomCells(random);
        if (GetParam().onlyWhatStays) cells = KeptByShift(cells, GetParam().transforms.front());
        CellState result = cells;
        for (const CellTransform transform : GetParam().transforms)
            result = Transformed(result, transform);
        EXPECT_EQ(result, cells) << round;
    }
}

using T = CellTransform;
INSTANTIATE_TEST_SUITE_P(
    Transforms, UndoingTransformTest,
    testing::Values(UndoingCase{{T::ShiftRight, T::ShiftLeft}, true},
                    UndoingCase{{T::ShiftLeft, T::ShiftRight}, true},
                    UndoingCase{{T::ShiftFront, T::ShiftBack}, true},
                    UndoingCase{{T::ShiftBack, T::ShiftFront}, true},
                    UndoingCase{{T::ShiftUp, T::ShiftDown}, true},
                    UndoingCase{{T::ShiftDown, T::ShiftUp}, true},
                    UndoingCase{
                        {T::TurnClockwise, T::TurnClockwise, T::TurnClockwise, T::TurnClockwise},
                        false},
                    UndoingCase{{T::TurnClockwise, T::TurnAnticlockwise}, false},
                    UndoingCase{{T::MirrorLeftRight, T::MirrorLeftRight}, false},
                    UndoingCase{{T::MirrorBackFront, T::MirrorBackFront}, false},
                    UndoingCase{{T::MirrorTopBottom, T::MirrorTopBottom}, false},
                    UndoingCase{{T::Invert, T::Invert}, false}));

struct MovedCellCase {
    CellTransform transform;
    std::vector<int> before;
    std::vector<int> after;
};

class MovedCellTest : public testing::TestWithParam<MovedCellCase> {};

// Layer 1 at the bottom; in a layer, LEDs 1-3 the back row left to right,
// 4-6 the middle row, 7-9 the front row.
TEST_P(MovedCellTest, GoesWhereTheAxisSays) {
    const MovedCellCase& c = GetParam();
    const auto cells = [](const std::vector<int>& lit) {
        CellState state;
        for (const int n : lit) state.Set(n, true);
        return state;
    };
    EXPECT_EQ(Transformed(cells(c.before), c.transform), cells(c.after));
}

INSTANTIATE_TEST_SUITE_P(Transforms, MovedCellTest,
                         testing::Values(MovedCellCase{T::ShiftRight, {1, 3}, {2}},
                                         MovedCellCase{T::ShiftLeft, {1, 3}, {2}},
                                         MovedCellCase{T::ShiftFront, {1, 7}, {4}},
                                         MovedCellCase{T::ShiftBack, {4, 1}, {1}},
                                         MovedCellCase{T::ShiftUp, {1, 19}, {10}},
                                         MovedCellCase{T::ShiftDown, {10, 1}, {1}},
                                         MovedCellCase{T::TurnClockwise, {1, 2}, {3, 6}},
                                         MovedCellCase{T::TurnAnticlockwise, {1, 2}, {7, 4}},
                                         MovedCellCase{T::MirrorLeftRight, {1, 5}, {3, 5}},
                                         MovedCellCase{T::MirrorBackFront, {2, 10}, {8, 16}},
                                         MovedCellCase{T::MirrorTopBottom, {1, 14}, {19, 14}}));

TEST(CellsOfTheClipboard, ComeBackAsTheyWentAndOtherTextIsRefused) {
    const std::vector<AnimationFrame> frames = {
        {3, CellsOn({1, 27})}, {0, CellsOn({})}, {32767, CellsOn({14})}};
    EXPECT_EQ(FramesFromText(FramesText(frames)), frames);
    for (const std::string& text :
         {std::string(), std::string("hello"), SwitchBlockOpen(SwitchCombination::BP1)})
        EXPECT_THROW(FramesFromText(text), SimError) << text;
}

}  // namespace
}  // namespace ledcube::program
