// SPDX-License-Identifier: GPL-3.0-or-later
#include "chip/CubePlayer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "base/Language.h"
#include "chip/FirmwareBuild.h"

namespace ledcube::chip {

Clock WallClock() {
    return [start = std::chrono::steady_clock::now()] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
}

namespace {

// After a single step the lamps show the last millisecond: the slot just reached.
constexpr double kStepWindowSeconds = 0.001;
constexpr double kMostBehindSeconds = 0.25;

}  // namespace

std::optional<SwitchCombination> HeldCombination(std::array<bool, 3> held) {
    const int count = held[0] + held[1] + held[2];
    if (count == 0) return SwitchCombination::Aucun;
    if (count > 1) return std::nullopt;
    return held[0]   ? SwitchCombination::BP1
           : held[1] ? SwitchCombination::BP2
                     : SwitchCombination::BP3;
}

std::string DescribeShowing(const PlayerFrame& frame, bool framesKnown) {
    if (frame.stopped) return Tr("Player", "the program has stopped");
    if (!framesKnown) return Tr("Player", "frames unknown (the program was edited by hand)");
    if (frame.frame == 0) return Tr("Player", "no recorded frame lit");
    const Text where = !frame.block ? Tr("Player", "between the sequences")
                       : frame.blockSequences > 1
                           ? Tr("Player", "%1 sequence %2 of %3")
                                 .Arg(CombinationName(*frame.block))
                                 .Arg(frame.sequenceOfBlock)
                                 .Arg(frame.blockSequences)
                           : Tr("Player", "%1 sequence").Arg(CombinationName(*frame.block));
    return Tr("Player", "%1: frame %2 of %3")
        .Arg(where.Str())
        .Arg(frame.frameInSequence)
        .Arg(frame.sequenceFrames);
}

PlayerFrame PlaceOf(const std::vector<program::RecordedFrame>& frames, int index) {
    PlayerFrame frame;
    if (index < 0 || index >= static_cast<int>(frames.size())) return frame;
    const program::RecordedFrame& shown = frames[static_cast<std::size_t>(index)];
    frame.frame = index + 1;
    frame.block = shown.block;
    // Its group: the frames of its sequence, or between the same two sequences.
    int first = index;
    while (first > 0 && frames[first - 1].sequence == shown.sequence) --first;
    int end = index + 1;
    while (end < static_cast<int>(frames.size()) && frames[end].sequence == shown.sequence) ++end;
    frame.frameInSequence = index - first + 1;
    frame.sequenceFrames = end - first;
    // Sequences of its combination, in the order the program tests them.
    int sequence = 0;
    for (const program::RecordedFrame& other : frames) {
        if (!shown.block || other.sequence == sequence || other.block != shown.block) continue;
        sequence = other.sequence;
        ++frame.blockSequences;
        if (sequence <= shown.sequence) frame.sequenceOfBlock = frame.blockSequences;
    }
    return frame;
}

std::string SimulatedTimeText(std::uint64_t cycle, unsigned clockHz) {
    return Decimal(static_cast<double>(cycle) / clockHz, 3) + " s";
}

int LocateFrame(const std::vector<program::RecordedFrame>& frames, const CellState& cells, int last,
                std::array<bool, 3> held) {
    const int count = static_cast<int>(frames.size());
    if (last >= 0 && last < count && frames[last].cells == cells) return last;
    const std::optional<SwitchCombination> combination = HeldCombination(held);
    int any = -1;
    for (int step = 1; step <= count; ++step) {
        const int i = ((last < 0 ? -1 : last) + step + count) % count;
        const program::RecordedFrame& frame = frames[i];
        if (frame.repeatCount <= 0 || !(frame.cells == cells)) continue;
        const bool plays = !frame.block || (combination && *frame.block == *combination);
        if (plays) return i;
        if (any < 0) any = i;
    }
    return any;
}

CubePlayer::CubePlayer(const std::filesystem::path& hex,
                       std::optional<std::vector<program::RecordedFrame>> frames, Clock clock,
                       const Chip& chip)
    : chip_(hex, chip),
      frames_(std::move(frames)),
      clock_(std::move(clock)),
      hertz_(chip.clockHz),
      decoder_(chip.clockHz),
      glow_(4 * 3 * std::uint64_t{SlotCycles(chip.clockHz)}),
      passCycles_(3 * std::uint64_t{SlotCycles(chip.clockHz)}),
      slotCycles_(SlotCycles(chip.clockHz)) {
    Anchor();
}

void CubePlayer::HoldButtons(std::array<bool, 3> held) {
    held_ = held;
    chip_.HoldButtons(held);
}

void CubePlayer::SetSpeed(double speed) {
    Advance();
    speed_ = std::clamp(speed, 0.01, 10.0);
    Anchor();
}

void CubePlayer::SetPaused(bool paused) {
    if (paused == paused_) return;
    if (paused) Advance();
    paused_ = paused;
    stepped_ = false;
    Anchor();
}

void CubePlayer::StepSlot() {
    if (!paused_) return;
    const std::optional<int> from = SelectedLayer(portA_);
    const std::uint64_t end = chip_.Cycle() + hertz_;
    // Small runs, so that the step stops close to where the next slot begins.
    while (!chip_.Stopped() && chip_.Cycle() < end) {
        RunTo(chip_.Cycle() + 50);
        const std::optional<int> layer = SelectedLayer(portA_);
        if (layer && layer != from) break;
    }
    stepped_ = true;
    Anchor();
}

bool CubePlayer::Advance(std::optional<int> until) {
    const double now = clock_();
    if (paused_) {
        Anchor();
        return until && shown_ == *until;
    }
    const double behind = now - anchorSeconds_;
    const auto target = anchorCycle_ + static_cast<std::uint64_t>(behind * speed_ * hertz_);
    const auto most = static_cast<std::uint64_t>(kMostBehindSeconds * speed_ * hertz_);
    const std::uint64_t end = std::min(target, chip_.Cycle() + most);
    if (!until) {
        if (target > chip_.Cycle()) RunTo(end);
    } else {
        if (RunUntil(*until, end)) {
            Anchor();
            return true;
        }
    }
    if (target > chip_.Cycle() + most) Anchor();
    return false;
}

bool CubePlayer::RunUntilShowing(int frame, std::uint64_t maxCycles) {
    const bool shown = RunUntil(frame, chip_.Cycle() + maxCycles);
    Anchor();
    return shown;
}

bool CubePlayer::RunUntil(int frame, std::uint64_t end) {
    // Small runs, so that it stops close to where the frame begins.
    while (shown_ != frame && !chip_.Stopped() && chip_.Cycle() < end)
        RunTo(std::min(end, chip_.Cycle() + 5000));
    return shown_ == frame;
}

PlayerFrame CubePlayer::Frame() const {
    PlayerFrame frame;
    frame.cycle = chip_.Cycle();
    frame.clockHz = hertz_;
    std::uint64_t window = passCycles_;
    if (stepped_)
        window = static_cast<std::uint64_t>(kStepWindowSeconds * hertz_);
    else if (speed_ < 1.0)
        window =
            std::max<std::uint64_t>(hertz_ / 10000, static_cast<std::uint64_t>(window * speed_));
    // An LED driven for its layer's whole slot in every pass shows fully lit:
    // over a pass or more that is a third of the time; over a slot or less, all of it.
    const double slots = static_cast<double>(window) / static_cast<double>(slotCycles_);
    const double fullPass = static_cast<double>(passCycles_) / static_cast<double>(slotCycles_);
    frame.glow = glow_.At(frame.cycle, window, std::clamp(slots, 1.0, fullPass));
    frame.stopped = chip_.Stopped();
    // A frame is shown while the passes go on; a chip that stopped scanning the
    // layers (no sequence plays) shows none.
    const bool scanning = lastPassStart_ && frame.cycle - *lastPassStart_ < 3 * passCycles_;
    if (scanning && passCells_) frame.cells = *passCells_;
    frame.cellsSince = cellsSince_;
    if (frames_ && shown_ >= 0 && scanning) {
        const PlayerFrame place = PlaceOf(*frames_, shown_);
        frame.frame = place.frame;
        frame.block = place.block;
        frame.frameInSequence = place.frameInSequence;
        frame.sequenceFrames = place.sequenceFrames;
        frame.sequenceOfBlock = place.sequenceOfBlock;
        frame.blockSequences = place.blockSequences;
    }
    return frame;
}

void CubePlayer::RunTo(std::uint64_t cycle) {
    if (cycle <= chip_.Cycle()) return;
    for (const PortWrite& write : chip_.Run(cycle - chip_.Cycle())) {
        if (write.port == 'A') portA_ = write.value;
        glow_.Feed(write);
        const std::optional<DecodedPass> pass = decoder_.Feed(write);
        if (!pass) continue;
        // A steadily multiplexed LED looks steady when the lamps average over one pass.
        // Start to start of two passes in a row: the period of the scan.
        if (lastPassStart_ && pass->start - *lastPassStart_ < 2 * (pass->end - pass->start)) {
            passCycles_ =
                std::clamp<std::uint64_t>(pass->start - *lastPassStart_, hertz_ / 333, hertz_ / 16);
            slotCycles_ =
                std::clamp<std::uint64_t>(pass->shortestSlot, passCycles_ / 4, passCycles_ / 2);
        }
        lastPassStart_ = pass->start;
        if (!passCells_ || !(*passCells_ == pass->cells)) {
            passCells_ = pass->cells;
            cellsSince_ = anchorSeconds_ +
                          (static_cast<double>(pass->end) - static_cast<double>(anchorCycle_)) /
                              (hertz_ * speed_);
        }
        if (frames_) shown_ = LocateFrame(*frames_, pass->cells, shown_, held_);
    }
}

void CubePlayer::Anchor() {
    anchorSeconds_ = clock_();
    anchorCycle_ = chip_.Cycle();
}

}  // namespace ledcube::chip
