// SPDX-License-Identifier: GPL-3.0-or-later
#include "chip/ShowDecoder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "base/Language.h"

namespace ledcube::chip {

namespace {

// Pin of each LED line, position 1 first: port and bit.
constexpr std::array<std::pair<char, int>, 9> kLedPins = {
    {{'A', 2}, {'A', 1}, {'A', 0}, {'C', 5}, {'C', 4}, {'C', 3}, {'C', 2}, {'C', 1}, {'C', 0}}};
constexpr int kFirstLayerBit = 3;  // PA3, PA4, PA5 select layers 1, 2, 3

}  // namespace

std::string CutNote() {
    return Tr("Report", "(cut by the end of the run)");
}

std::string CellsText(const CellState& cells) {
    std::string text;
    for (int layer = 1; layer <= kLayerCount; ++layer) {
        if (layer > 1) text += ' ';
        text += std::to_string(layer) + ':';
        for (int n = FirstCellOfLayer(layer); n <= LastCellOfLayer(layer); ++n) {
            if (n != FirstCellOfLayer(layer) && PlaceOf(n).column == 0) text += '/';
            text += cells.Get(n) ? '#' : '.';
        }
    }
    return text;
}

std::optional<int> SelectedLayer(std::uint8_t portA) {
    std::optional<int> layer;
    for (int l = 1; l <= kLayerCount; ++l) {
        if ((portA >> (kFirstLayerBit + l - 1)) & 1) {
            if (layer) return std::nullopt;
            layer = l;
        }
    }
    return layer;
}

std::uint32_t DrivenLeds(std::uint8_t portA, std::uint8_t portC) {
    std::uint32_t driven = 0;
    for (int layer = 1; layer <= kLayerCount; ++layer) {
        if (((portA >> (kFirstLayerBit + layer - 1)) & 1) == 0) continue;
        for (int k = 0; k < 9; ++k) {
            const auto [port, bit] = kLedPins[k];
            if ((((port == 'A' ? portA : portC) >> bit) & 1) == 0)
                driven |= 1u << (FirstCellOfLayer(layer) + k - 1);
        }
    }
    return driven;
}

PassDecoder::PassDecoder(std::uint32_t frequency, double minSlotMs)
    : minCycles_(static_cast<std::uint64_t>(minSlotMs * frequency / 1000.0)) {}

std::optional<DecodedPass> PassDecoder::Feed(const PortWrite& write) {
    std::uint8_t& port = write.port == 'A' ? portA_ : portC_;
    if (port == write.value) return std::nullopt;
    std::optional<DecodedPass> pass = CloseSlot(write.cycle);
    port = write.value;
    since_ = write.cycle;
    return pass;
}

std::optional<DecodedPass> PassDecoder::Finish(std::uint64_t endCycle) {
    std::optional<DecodedPass> pass = CloseSlot(endCycle);
    recent_.clear();
    since_ = endCycle;
    return pass;
}

std::optional<DecodedPass> PassDecoder::CloseSlot(std::uint64_t until) {
    const std::optional<int> layer = SelectedLayer(portA_);
    if (!layer || until - since_ < minCycles_) return std::nullopt;
    Slot slot{since_, until, *layer, {}};
    for (int k = 0; k < 9; ++k) {
        const auto [port, bit] = kLedPins[k];
        slot.lit[k] = (((port == 'A' ? portA_ : portC_) >> bit) & 1) == 0;
    }
    recent_.push_back(slot);
    if (recent_.size() < 3) return std::nullopt;
    const Slot& first = recent_[0];
    const Slot& second = recent_[1];
    const Slot& third = recent_[2];
    if (first.layer != 1 || second.layer != 2 || third.layer != 3 ||
        second.start - first.end > minCycles_ || third.start - second.end > minCycles_) {
        recent_.pop_front();
        return std::nullopt;
    }
    const std::uint64_t shortest =
        std::min({first.end - first.start, second.end - second.start, third.end - third.start});
    DecodedPass pass{first.start, third.end, third.end - third.start, shortest, {}};
    for (int l = 1; l <= kLayerCount; ++l)
        for (int k = 0; k < 9; ++k) pass.cells.Set(FirstCellOfLayer(l) + k, recent_[l - 1].lit[k]);
    recent_.clear();
    return pass;
}

std::vector<ShownFrame> DecodeShow(const PortTrace& trace, double minSlotMs) {
    const double cyclesPerMs = trace.frequency / 1000.0;
    PassDecoder decoder(trace.frequency, minSlotMs);
    const std::uint64_t minCycles = decoder.MinCycles();
    std::vector<DecodedPass> passes;
    for (const PortWrite& write : trace.writes)
        if (std::optional<DecodedPass> pass = decoder.Feed(write)) passes.push_back(*pass);
    // The end of the run cuts the last slot of the pass it finishes: its tail says nothing.
    std::size_t cutPass = SIZE_MAX;
    if (std::optional<DecodedPass> pass = decoder.Finish(trace.endCycle)) {
        cutPass = passes.size();
        passes.push_back(*pass);
    }

    std::vector<ShownFrame> frames;
    std::size_t runStart = 0;
    while (runStart < passes.size()) {
        // A run: passes with the same cells, each right after the one before.
        std::size_t runEnd = runStart + 1;
        while (runEnd < passes.size() && passes[runEnd].cells == passes[runStart].cells &&
               passes[runEnd].start - passes[runEnd - 1].end < minCycles)
            ++runEnd;
        // The program's step from a frame's last pass to the next frame takes
        // longer than its step to the next pass, so the last layer of a frame's
        // last pass stays lit a few cycles more: that is where frames part.
        // The run's last pass ends a frame anyway; its tail says nothing.
        std::uint64_t shortestTail = UINT64_MAX;
        for (std::size_t i = runStart; i + 1 < runEnd; ++i)
            if (i != cutPass) shortestTail = std::min(shortestTail, passes[i].tail);
        for (std::size_t i = runStart; i < runEnd; ++i) {
            if (i == runStart || passes[i - 1].tail > shortestTail)
                frames.push_back({passes[i].start / cyclesPerMs, 0, 0.0, passes[i].cells, false});
            ShownFrame& frame = frames.back();
            ++frame.passes;
            frame.durationMs = passes[i].end / cyclesPerMs - frame.startMs;
        }
        runStart = runEnd;
    }
    if (!passes.empty() && trace.endCycle - passes.back().end < 3 * 5 * cyclesPerMs)
        frames.back().cut = true;
    return frames;
}

std::vector<ShownFrame> MergeDarkStretches(const std::vector<ShownFrame>& frames) {
    std::vector<ShownFrame> merged;
    for (const ShownFrame& frame : frames) {
        if (!merged.empty() && merged.back().cells == CellState() && frame.cells == CellState()) {
            ShownFrame& stretch = merged.back();
            stretch.passes += frame.passes;
            stretch.durationMs = frame.startMs + frame.durationMs - stretch.startMs;
            stretch.cut = frame.cut;
        } else {
            merged.push_back(frame);
        }
    }
    return merged;
}

std::vector<long> RoundOf(const std::vector<ShownFrame>& frames, long roundPasses) {
    std::vector<long> rounds;
    long passes = 0;
    for (const ShownFrame& frame : frames) {
        rounds.push_back(roundPasses > 0 ? passes / roundPasses + 1 : 1);
        passes += frame.passes;
    }
    return rounds;
}

}  // namespace ledcube::chip
