// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/FlashEstimate.h"

#include <cmath>
#include <string>

namespace ledcube {

namespace {

// Bytes per feature, fitted to avr-gcc 5.4 -Os builds for the ATmega8535.
constexpr double kEmptyProgram = 393.8;      // start-up code, Etage, Leds, set-up, loop
constexpr double kDelayOutOfLine = 56.5;     // delay_ms gets a body of its own from two frames on
constexpr double kOnlyFrame = 167.0;         // a single frame: its delays are written out inline
constexpr double kLoopFrame = 98.35;         // three layer slots and the counting loop
constexpr double kSingleFrame = 88.96;       // three layer slots without a loop
constexpr double kOpen = 8.73;               // the test of the buttons
constexpr double kFilledBlock = 7.17;        // the jump over a sequence that has code
constexpr double kFirstIsLoop = 7.58;        // the loop at the very top of the endless loop
constexpr double kFirstIsSingle = 15.55;
constexpr double kPerReloadByte = 1.04;

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
    if (count <= 0) return;  // the compiler drops a loop that never runs
    if (!anyItem_) (count > 1 ? firstIsLoop_ : firstIsSingle_) = true;
    anyItem_ = true;
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
    double bytes = kEmptyProgram + kLoopFrame * loopFrames_ + kSingleFrame * singleFrames_ +
                   kOpen * opens_ + kFilledBlock * (filledBlocks_ + (blockFilled_ ? 1 : 0)) +
                   kPerReloadByte * reloadBytes_;
    if (liveFrames == 1) bytes += kOnlyFrame;
    if (liveFrames >= 2) bytes += kDelayOutOfLine;
    if (firstIsLoop_) bytes += kFirstIsLoop;
    if (firstIsSingle_) bytes += kFirstIsSingle;
    // Instructions come in 2-byte words.
    return 2 * static_cast<int>(std::lround(bytes / 2));
}

std::string FrenchNumber(long long value) {
    const std::string digits = std::to_string(value < 0 ? -value : value);
    std::string text = value < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ' ';
        text += digits[i];
    }
    return text;
}

}  // namespace ledcube
