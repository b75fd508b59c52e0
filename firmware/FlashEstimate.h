// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "base/Language.h"
#include "firmware/FirmwareText.h"
#include "model/CellModel.h"

namespace ledcube {

// Flash memory of the ATmega8535, in bytes.
inline constexpr int kFlashBytes = 8192;

// Estimates the flash bytes that avr-gcc -Os makes of the program being
// recorded, fed the same blocks the editor appends, without running a
// compiler. Measured against real builds of random programs of 1 to 90 frames
// in 1 to 4 sequences: within 2 % (within 0.3 % above 5,000 bytes). Frames
// repeated with the very same cells and count may cost less than estimated
// (the compiler shares their code), never more.
class FlashEstimate {
  public:
    // A new program: its header (and, later, its closing text).
    void Header();
    void Open(SwitchCombination combination);
    void Frame(std::int32_t durationMs, const CellState& cells);
    void Close();

    // Frames appended since the header, shown or not.
    int Frames() const { return frames_; }
    // Sequences that hold at least one frame, the open one included.
    int FilledSequences() const { return filledBlocks_ + (blockFilled_ ? 1 : 0); }
    // Bytes of the program as it stands, with the sequence still open and the
    // program closed as Finir and FinirBP would close them.
    int BytesWithClosings() const;

  private:
    // What the compiler keeps in the call-saved registers that carry the
    // arguments D5..D9 of Leds from one call to the next; empty when unknown.
    using Registers = std::array<std::optional<std::int32_t>, 5>;
    int ReloadBytes(const CellState& cells, int layer);

    int frames_ = 0;
    int loopFrames_ = 0;    // repeat count 2 or more: a counting loop
    int singleFrames_ = 0;  // repeat count 1: the passes written out once
    int opens_ = 0;
    int filledBlocks_ = 0;
    int reloadBytes_ = 0;
    bool firstIsLoop_ = false;
    bool firstIsSingle_ = false;
    bool anyItem_ = false;
    bool blockOpen_ = false;
    bool blockFilled_ = false;
    Registers registers_{};
};

// The compact build (`ledcube-sim --compact`) keeps the frames as a table in
// flash walked by one loop: the loop and the start-up code take
// kCompactBaseBytes (measured with avr-gcc -Os), each frame one entry of
// kCompactEntryBytes, and each sequence two (its button test and its end).
inline constexpr int kCompactBaseBytes = 866;
inline constexpr int kCompactEntryBytes = 6;

// The most frames a compact build holds in `flashBytes` of flash when its
// loop and start-up take `loopBytes` and the frames are recorded in
// `sequences` sequences.
constexpr int CompactFramesHeld(int flashBytes, int loopBytes, int sequences) {
    return (flashBytes - loopBytes) / kCompactEntryBytes - 2 * sequences;
}

// The most frames a compact build holds on the ATmega8535 when they are
// recorded in `sequences` sequences (1,221 with none).
constexpr int CompactFrameLimit(int sequences) {
    return CompactFramesHeld(kFlashBytes, kCompactBaseBytes, sequences);
}

}  // namespace ledcube
