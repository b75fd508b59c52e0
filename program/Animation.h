// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "firmware/FirmwareText.h"
#include "model/CellModel.h"
#include "program/ProgramReader.h"

namespace ledcube::program {

// One frame of an animation: its cells and how many 15 ms passes it lasts.
struct AnimationFrame {
    std::int32_t repeatCount = 0;
    CellState cells;
    bool operator==(const AnimationFrame&) const = default;
};

// One block of a program's body, as the editor appends it: a frame, the test
// that opens a sequence, or the brace that closes it.
struct AnimationBlock {
    enum class Kind { Frame, Open, Close };
    Kind kind = Kind::Frame;
    SwitchCombination combination = SwitchCombination::Aucun;  // of an Open block
    AnimationFrame frame;                                      // of a Frame block
    bool operator==(const AnimationBlock&) const = default;

    static AnimationBlock Frame(AnimationFrame frame) { return {Kind::Frame, {}, frame}; }
    static AnimationBlock Open(SwitchCombination combination) {
        return {Kind::Open, combination, {}};
    }
    static AnimationBlock Close() { return {Kind::Close, {}, {}}; }
};

// A whole program as its blocks, in the order they stand in the file; every
// Open has its Close and sequences never nest. Edits work on the blocks, so
// the program's text is always what the editor would have written.
struct Animation {
    std::vector<AnimationBlock> blocks;
    bool operator==(const Animation&) const = default;
};

// The blocks of one finished program as the editor writes it. Raises SimError
// as ReadProgram does, naming the line of any text the editor never writes.
Animation ReadAnimation(std::string_view programText);

// The block's text as the editor writes it.
std::string BlockText(const AnimationBlock& block);

// The program's text: header, blocks and closing text, each written by the
// functions that write the editor's blocks.
std::string AnimationText(const Animation& animation);

// The frames as the reader gives them, with their sequences.
std::vector<RecordedFrame> AnimationFrames(const Animation& animation);

// The frames' own text (their blocks one after another), as the clipboard holds it.
std::string FramesText(const std::vector<AnimationFrame>& frames);
// Reads frames from such a text; raises SimError for any other text.
std::vector<AnimationFrame> FramesFromText(std::string_view text);

// The number of the frame at `block` among the program's frames, from 0.
int FrameNumber(const Animation& animation, int block);

// Those of the blocks that are frames, in order.
std::vector<int> FrameBlocks(const Animation& animation, const std::vector<int>& blocks);

// The frames of these blocks, in order (blocks that are not frames are skipped).
std::vector<AnimationFrame> FramesAt(const Animation& animation, const std::vector<int>& blocks);

// The block that opens the sequence holding block `at` (itself when it opens
// one); none for a block between sequences.
std::optional<int> SequenceOpening(const Animation& animation, int at);

// Which sequence of its combination an Open block starts, from 1, and how many
// sequences of that combination the program has.
std::pair<int, int> SequenceNumber(const Animation& animation, int open);

// The edits. Each takes the blocks the user selected (sorted, any kind) and
// returns the blocks to select afterwards.

// Removes the selected frames, and the selected sequences with their frames.
std::vector<int> DeleteBlocks(Animation& animation, const std::vector<int>& selected);

// Where new frames go: after the last selected frame, first in a selected
// sequence, or at the end when nothing is selected.
int InsertionPoint(const Animation& animation, const std::vector<int>& selected);

// Puts the frames at block `at`; returns their blocks.
std::vector<int> InsertFrames(Animation& animation, int at,
                              const std::vector<AnimationFrame>& frames);

// Moves each selected frame one block up (-1) or down (+1): past a frame, or
// into or out of the sequence whose test or brace is its neighbour.
std::vector<int> MoveFrames(Animation& animation, const std::vector<int>& selected, int direction);

// Moves the selected frames, in order, to block `to` (counted before the
// move): how the frame panel's drag and drop moves them.
std::vector<int> MoveFramesTo(Animation& animation, const std::vector<int>& selected, int to);

// A new sequence of `combination`: around the selected frames when they stand
// together between sequences, else empty after the selection (or at the end).
// Returns its Open block.
std::vector<int> NewSequence(Animation& animation, const std::vector<int>& selected,
                             SwitchCombination combination);

// The ways a frame's cells can be moved about.
enum class CellTransform {
    ShiftRight,
    ShiftLeft,  // along a row, column 1 → 3 / 3 → 1
    ShiftFront,
    ShiftBack,  // across the rows, back → front / front → back
    ShiftUp,
    ShiftDown,  // across the layers, 1 (bottom) → 3 / 3 → 1
    TurnClockwise,
    TurnAnticlockwise,  // a quarter turn about the vertical axis, seen from above
    MirrorLeftRight,
    MirrorBackFront,
    MirrorTopBottom,
    Invert,
};

// The cells after the transform; a shift loses what leaves the cube.
CellState Transformed(const CellState& cells, CellTransform transform);

// Transforms the cells of the selected frames.
void TransformFrames(Animation& animation, const std::vector<int>& selected,
                     CellTransform transform);

}  // namespace ledcube::program
