// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "chip/CubeSimulator.h"
#include "chip/LampGlow.h"
#include "chip/ShowDecoder.h"
#include "program/ProgramReader.h"

namespace ledcube::chip {

// Seconds on a clock that never goes back: the wall clock in the player, a
// stepped value in tests.
using Clock = std::function<double()>;

// The machine's clock, in seconds from when this one was made.
Clock WallClock();

// What the cube shows at one moment of a play; small and copyable.
struct PlayerFrame {
    std::uint64_t cycle = 0;                // simulated time
    unsigned clockHz = kFactoryClockHz;     // the chip's cycles a second
    std::array<double, kCellCount> glow{};  // LED n at n - 1, 0 dark to 1 lit
    int frame = 0;  // the recorded frame the last pass showed, from 1; 0 when none is known
    std::optional<SwitchCombination> block;  // that frame's sequence; none between sequences
    // Its place among the frames of its sequence (or of the frames between
    // the same two sequences), from 1, and how many they are.
    int frameInSequence = 0;
    int sequenceFrames = 0;
    // Which of the sequences of its combination holds it, from 1, and how many
    // the program has (a combination chosen twice tests the buttons twice).
    int sequenceOfBlock = 0;
    int blockSequences = 0;
    bool stopped = false;  // the program stopped running
    // The cells of the last pass (all dark when the chip no longer scans the
    // layers), and the clock's seconds when the first pass with them ended
    // (ahead of the clock after a step or a run flat out).
    CellState cells;
    double cellsSince = 0;
};

// "BP1 sequence: frame 2 of 5", "Aucun sequence 2 of 2: frame 1 of 1", "between the
// sequences: frame 1 of 2", "no recorded frame lit".
std::string DescribeShowing(const PlayerFrame& frame, bool framesKnown);

// Where recorded frame `index` (from 0) stands: its number from 1, its
// sequence, its place in its group and the group's size, as a shown frame
// says them; nothing for an index out of range.
PlayerFrame PlaceOf(const std::vector<program::RecordedFrame>& frames, int index);

// "12.345 s" of simulated time.
std::string SimulatedTimeText(std::uint64_t cycle, unsigned clockHz = kFactoryClockHz);

// The combination the firmware sees when these buttons are held; none when
// two or more are held (no sequence tests for that).
std::optional<SwitchCombination> HeldCombination(std::array<bool, 3> held);

// The recorded frame a pass shows, from 0: the one at `last` while its cells
// still show, else the next one (after `last`, going round) with those cells
// that plays under the buttons held, else any with those cells; -1 for none.
int LocateFrame(const std::vector<program::RecordedFrame>& frames, const CellState& cells, int last,
                std::array<bool, 3> held);

// Plays a built program on the simulated chip against a clock: the chip runs
// as many cycles as the clock and the speed ask for, the passes it shows are
// decoded as they come, and the lamps glow as the eye would see them.
class CubePlayer {
  public:
    // `frames` are the program's recorded frames, to name what is shown (none
    // when it was edited by hand). Raises SimError when the HEX cannot be loaded.
    CubePlayer(const std::filesystem::path& hex,
               std::optional<std::vector<program::RecordedFrame>> frames, Clock clock,
               const Chip& chip = kAtmega8535);

    void HoldButtons(std::array<bool, 3> held);
    // Simulated seconds per second of the clock: 0.01 to 10.
    void SetSpeed(double speed);
    void SetPaused(bool paused);
    bool Paused() const { return paused_; }
    // While paused: runs on to the start of the next layer slot.
    void StepSlot();

    // Runs the chip up to where the clock says it should be (at most a quarter
    // of a second of the clock at once: a player that fell behind drops the rest).
    // With `until`, stops early where recorded frame `until` (from 0) begins
    // to show, however short it is; true when it shows.
    bool Advance(std::optional<int> until = std::nullopt);
    // Runs the chip flat out until it shows recorded frame `frame` (from 0) or
    // `maxCycles` have passed; then plays on from there. True when it shows it.
    bool RunUntilShowing(int frame, std::uint64_t maxCycles);

    PlayerFrame Frame() const;

  private:
    void RunTo(std::uint64_t cycle);
    // Runs up to cycle `end` at most, stopping once recorded frame `frame` shows; true when it
    // does.
    bool RunUntil(int frame, std::uint64_t end);
    void Anchor();

    CubeChip chip_;
    std::optional<std::vector<program::RecordedFrame>> frames_;
    Clock clock_;
    unsigned hertz_;  // the chip's clock
    PassDecoder decoder_;
    LampGlow glow_;
    std::array<bool, 3> held_{};
    double speed_ = 1.0;
    bool paused_ = false;
    bool stepped_ = false;
    double anchorSeconds_ = 0;
    std::uint64_t anchorCycle_ = 0;
    std::uint64_t passCycles_;  // as the last pass took
    std::uint64_t slotCycles_;  // the shortest layer slot of the last pass
    std::optional<std::uint64_t> lastPassStart_;
    std::uint8_t portA_ = 0;
    int shown_ = -1;
    std::optional<CellState> passCells_;  // the cells of the last pass
    double cellsSince_ = 0;
};

}  // namespace ledcube::chip
