// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "firmware/FirmwareText.h"
#include "model/CellModel.h"

namespace ledcube::program {

// One frame as the program records it.
struct RecordedFrame {
    std::int32_t repeatCount;
    CellState cells;
    // The combination whose block holds the frame; none between blocks.
    std::optional<SwitchCombination> block;
    // Which block of the program holds it, from 1 (two blocks of the same
    // combination test the buttons twice); 0 between blocks.
    int sequence = 0;
};

// Programs are read as the compiler reads them: comments, blank lines and
// other spacing between the tokens change nothing.

// Checks that a text holds exactly one program from its header to its closing
// text; raises SimError naming what is wrong: no program header (or the first
// line that differs from it), several programs glued together, or an
// unfinished program (with the line where its last block is cut off).
void CheckSingleProgram(std::string_view text);

// Reads the frames of one program as the editor writes it. Raises SimError as
// CheckSingleProgram does, and for text the editor never writes (with its line).
std::vector<RecordedFrame> ReadProgram(std::string_view text);

// What a readable program holds that the cube cannot show: cell values other
// than 0 and 1, each with its line. Raises as ReadProgram does.
std::vector<std::string> ProgramWarnings(std::string_view text);

// The line where the last block of an unfinished program is cut off in the
// middle (a write that stopped); none when its blocks are whole.
std::optional<long> TornBlockLine(std::string_view programText);

// One program of a file, from its header to the next header or the end.
struct ProgramInFile {
    std::string_view text;
    bool finished;  // ends with the closing text that Finir writes
};

// The programs a file holds, in order (a name used twice glues them together).
// Raises SimError when the text does not start with a program header.
std::vector<ProgramInFile> ProgramsIn(std::string_view text);

// The program to play and where it stands in its file.
struct ChosenProgram {
    std::string_view text;
    int number;  // 1 = the first of the file
    int count;   // programs in the file
    bool lastUnfinished;
};

// Picks program `number` (1-based) of a file, or by default its last finished
// program. Raises SimError when there is no such program or it is unfinished.
ChosenProgram ChooseProgram(std::string_view text, std::optional<int> number);

// The program a file's preview plays: its last one, with the closing text
// added (never to the file) when it is still being recorded.
struct ProgramPreview {
    std::string text;         // a whole program, ready to compile
    int count = 0;            // programs in the file
    bool unfinished = false;  // the file's program is still being recorded
    // Its frames; none when a finished program was edited beyond reading.
    std::optional<std::vector<RecordedFrame>> frames;
    // The sequence being recorded: open in the file, closed for the preview.
    std::optional<SwitchCombination> openSequence;
    // The first line that is not the editor's text (a comment, spacing, a
    // value it never writes): the program reads, but it was edited by hand.
    std::optional<long> handEditedLine;
    // The line where a block being written was cut off; the preview plays
    // the whole blocks before it.
    std::optional<long> tornLine;
    // Values the cube cannot show, with their lines.
    std::vector<std::string> warnings;
};

// Raises SimError when the text is not a program, or when the last program is
// unfinished and holds text the editor never writes (it cannot be closed).
ProgramPreview PreviewLastProgram(std::string_view text);

// How long a pass of the generated program lasts: 15 ms of delays and a
// little more for the code around them.
inline constexpr double kPassMsEstimate = 15.5;

// Passes of one round of a program under a combination: the repeat counts
// of the frames that play, added up.
long RoundPasses(const std::vector<RecordedFrame>& frames, SwitchCombination buttons);

// True when a frame recorded in `block` plays while `buttons` are held.
bool PlaysUnder(const RecordedFrame& frame, SwitchCombination buttons);

// The combinations under which some frame of the program shows, in the order
// BP1, BP2, BP3, Aucun.
std::vector<SwitchCombination> ShowingCombinations(const std::vector<RecordedFrame>& frames);

}  // namespace ledcube::program
