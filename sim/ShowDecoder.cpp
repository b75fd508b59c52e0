// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/ShowDecoder.h"

#include <algorithm>
#include <array>
#include <optional>

namespace ledcube::sim {

namespace {

// Pin of each LED line, position 1 first: port and bit.
constexpr std::array<std::pair<char, int>, 9> kLedPins = {
    {{'A', 2}, {'A', 1}, {'A', 0}, {'C', 5}, {'C', 4}, {'C', 3}, {'C', 2}, {'C', 1}, {'C', 0}}};
constexpr int kFirstLayerBit = 3;  // PA3, PA4, PA5 select layers 1, 2, 3

// A stretch of time during which one layer was selected with the same LEDs.
struct Slot {
    std::uint64_t start;
    std::uint64_t end;
    int layer;
    std::array<bool, 9> lit;  // by position
};

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

std::vector<Slot> StableSlots(const PortTrace& trace, std::uint64_t minCycles) {
    std::vector<Slot> slots;
    std::uint8_t portA = 0;
    std::uint8_t portC = 0;
    std::uint64_t since = 0;
    const auto close = [&](std::uint64_t until) {
        const std::optional<int> layer = SelectedLayer(portA);
        if (!layer || until - since < minCycles) return;
        Slot slot{since, until, *layer, {}};
        for (int k = 0; k < 9; ++k) {
            const auto [port, bit] = kLedPins[k];
            slot.lit[k] = (((port == 'A' ? portA : portC) >> bit) & 1) == 0;
        }
        slots.push_back(slot);
    };
    for (const PortWrite& write : trace.writes) {
        std::uint8_t& port = write.port == 'A' ? portA : portC;
        if (port == write.value) continue;
        close(write.cycle);
        port = write.value;
        since = write.cycle;
    }
    close(trace.endCycle);
    return slots;
}

// Three slots of layers 1, 2, 3 right after each other.
struct Pass {
    std::uint64_t start;
    std::uint64_t end;
    std::uint64_t tail;  // how long the last layer stayed lit
    CellState cells;
};

std::vector<Pass> Passes(const std::vector<Slot>& slots, std::uint64_t maxGap) {
    std::vector<Pass> passes;
    for (std::size_t i = 0; i + 2 < slots.size(); ++i) {
        if (slots[i].layer != 1 || slots[i + 1].layer != 2 || slots[i + 2].layer != 3) continue;
        if (slots[i + 1].start - slots[i].end > maxGap ||
            slots[i + 2].start - slots[i + 1].end > maxGap)
            continue;
        Pass pass{slots[i].start, slots[i + 2].end, slots[i + 2].end - slots[i + 2].start, {}};
        for (int layer = 1; layer <= kLayerCount; ++layer)
            for (int k = 0; k < 9; ++k)
                pass.cells.Set(FirstCellOfLayer(layer) + k, slots[i + layer - 1].lit[k]);
        passes.push_back(pass);
        i += 2;
    }
    return passes;
}

}  // namespace

std::vector<ShownFrame> DecodeShow(const PortTrace& trace, double minSlotMs) {
    const double cyclesPerMs = trace.frequency / 1000.0;
    const auto minCycles = static_cast<std::uint64_t>(minSlotMs * cyclesPerMs);
    const std::vector<Pass> passes = Passes(StableSlots(trace, minCycles), minCycles);

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
        std::uint64_t shortestTail = passes[runStart].tail;
        for (std::size_t i = runStart; i < runEnd; ++i)
            shortestTail = std::min(shortestTail, passes[i].tail);
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

}  // namespace ledcube::sim
