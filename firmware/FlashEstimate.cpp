// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/FlashEstimate.h"

#include <cmath>
#include <string>

namespace ledcube {

namespace {

// Bytes per feature, fitted to avr-gcc 5.4 -Os builds for the ATmega8535.
// Without frames that play: the start-up code, Etage, Leds, the set-up and
// the loop, and the test of each sequence's buttons.
constexpr double kEmptyProgram = 346;
constexpr double kEmptyOpen = 9;
// One frame that plays: its delays are written out inline.
constexpr double kOneFrameProgram = 613.7;
constexpr double kOneFrameOpen = 9.87;
constexpr double kOneFrameInBlock = 4.33;
constexpr double kOneFrameReloadByte = 0.84;
constexpr double kOneFrameSingle = -9.48;
// Two frames or more: delay_ms gets a body of its own.
constexpr double kProgram = 406.02;
constexpr double kLoopFrame = 85.01;    // three layer slots and the counting loop
constexpr double kSingleFrame = 76.33;  // three layer slots without a loop
constexpr double kOpen = 9.9;
constexpr double kFilledBlock = 4.67;  // the jump over a sequence that has code
constexpr double kFirstIsLoop = 7.1;   // at the very top of the endless loop
constexpr double kFirstIsSingle = 15.66;
constexpr double kReloadByte = 1.05;

}  // namespace

void FlashEstimate::Header() {
    *this = FlashEstimate();
}

void FlashEstimate::Open(SwitchCombination) {
    ++opens_;
    anyItem_ = true;
    blockOpen_ = true;
    blockFilled_ = false;
    registers_ = {};
}

int FlashEstimate::ReloadBytes(const CellState& cells, int layer) {
    // Arguments D5..D9 live in call-saved registers: loaded again only when
    // they change (a 0 takes 4 bytes; a 1 in D6..D9 takes 6).
    int bytes = 0;
    for (int k = 5; k <= 9; ++k) {
        const std::int32_t value = cells.Get(FirstCellOfLayer(layer) + k - 1);
        std::optional<std::int32_t>& held = registers_[k - 5];
        if (held == value) continue;
        bytes += (k > 5 && value != 0) ? 6 : 4;
        held = value;
    }
    return bytes;
}

void FlashEstimate::Frame(std::int32_t durationMs, const CellState& cells) {
    ++frames_;
    const std::int32_t count = RepeatCount(durationMs);
    if (!anyItem_ && count > 0) (count > 1 ? firstIsLoop_ : firstIsSingle_) = true;
    anyItem_ = true;
    if (count <= 0) return;  // the compiler drops a loop that never runs
    if (count > 1) {
        ++loopFrames_;
        registers_ = {};  // the loop's head is reached from two places
    } else {
        ++singleFrames_;
    }
    for (int layer = 1; layer <= kLayerCount; ++layer) reloadBytes_ += ReloadBytes(cells, layer);
    blockFilled_ = blockFilled_ || blockOpen_;
}

void FlashEstimate::Close() {
    if (blockFilled_) ++filledBlocks_;
    anyItem_ = true;
    blockOpen_ = false;
    blockFilled_ = false;
    registers_ = {};
}

int FlashEstimate::BytesWithClosings() const {
    const int liveFrames = loopFrames_ + singleFrames_;
    double bytes = 0;
    if (liveFrames == 0) {
        bytes = kEmptyProgram + kEmptyOpen * opens_;
    } else if (liveFrames == 1) {
        bytes = kOneFrameProgram + kOneFrameOpen * opens_ +
                kOneFrameInBlock * (filledBlocks_ + (blockFilled_ ? 1 : 0)) +
                kOneFrameReloadByte * reloadBytes_ + kOneFrameSingle * singleFrames_;
    } else {
        bytes = kProgram + kLoopFrame * loopFrames_ + kSingleFrame * singleFrames_ +
                kOpen * opens_ + kFilledBlock * (filledBlocks_ + (blockFilled_ ? 1 : 0)) +
                kReloadByte * reloadBytes_ + (firstIsLoop_ ? kFirstIsLoop : 0) +
                (firstIsSingle_ ? kFirstIsSingle : 0);
    }
    // Instructions come in 2-byte words.
    return 2 * static_cast<int>(std::lround(bytes / 2));
}

}  // namespace ledcube
