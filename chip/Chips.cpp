// SPDX-License-Identifier: GPL-3.0-or-later
#include "chip/Chips.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

#include "base/Language.h"

namespace ledcube::chip {

namespace {

constexpr std::array<Chip, 10> kChips = {kAtmega8535, kAtmega16,   kAtmega32,    kAtmega164p,
                                         kAtmega324p, kAtmega644p, kAtmega1284p, kUno,
                                         kNano,       kNanoOld};

// The cube's own wiring (the program's #define lines) and the Arduino boards'.
constexpr std::array<Pin, 9> kCubeLeds = {
    {{'A', 2}, {'A', 1}, {'A', 0}, {'C', 5}, {'C', 4}, {'C', 3}, {'C', 2}, {'C', 1}, {'C', 0}}};
constexpr std::array<Pin, 9> kBoardLeds = {
    {{'D', 2}, {'D', 3}, {'D', 4}, {'D', 5}, {'D', 6}, {'D', 7}, {'B', 0}, {'B', 1}, {'B', 2}}};

}  // namespace

std::span<const Chip> Chips() {
    return kChips;
}

std::optional<Chip> ChipNamed(std::string_view id) {
    std::string lower(id);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const Chip& chip : kChips)
        if (lower == chip.id) return chip;
    return std::nullopt;
}

std::string ChipNames() {
    std::string names;
    for (const Chip& chip : kChips) names += std::string(names.empty() ? "" : ", ") + chip.id;
    return names;
}

Chip WithClock(Chip chip, unsigned clockHz) {
    chip.clockHz = clockHz;
    return chip;
}

std::string ClockText(unsigned clockHz) {
    char text[32];
    if (clockHz % 1000000 == 0)
        std::snprintf(text, sizeof text, "%u MHz", clockHz / 1000000);
    else
        std::snprintf(text, sizeof text, "%g MHz", clockHz / 1e6);
    return WithDecimalMark(text);
}

Pin LedPin(Wiring wiring, int k) {
    return (wiring == Wiring::Arduino ? kBoardLeds : kCubeLeds)[static_cast<std::size_t>(k - 1)];
}

Pin LayerPin(Wiring wiring, int layer) {
    return wiring == Wiring::Arduino ? Pin{'C', layer - 1} : Pin{'A', 2 + layer};
}

Pin ButtonPin(Wiring wiring, int button) {
    return wiring == Wiring::Arduino ? Pin{'C', 2 + button} : Pin{'D', button - 1};
}

PinWiring DefaultWiring(Wiring wiring) {
    PinWiring pins;
    for (int k = 1; k <= 9; ++k) pins.leds[static_cast<std::size_t>(k - 1)] = LedPin(wiring, k);
    for (int n = 1; n <= 3; ++n) {
        pins.layers[static_cast<std::size_t>(n - 1)] = LayerPin(wiring, n);
        pins.buttons[static_cast<std::size_t>(n - 1)] = ButtonPin(wiring, n);
    }
    return pins;
}

PinWiring WiringOf(const Chip& chip) {
    return chip.pins ? *chip.pins : DefaultWiring(chip.wiring);
}

void NameWiring(PinWiring& wiring, std::string_view name) {
    wiring.name = {};
    name.copy(wiring.name.data(), std::min(name.size(), wiring.name.size() - 1));
}

std::string WiringName(const PinWiring& wiring) {
    return wiring.name.data();
}

Chip WithWiring(Chip chip, const PinWiring& wiring) {
    chip.pins = wiring;
    return chip;
}

}  // namespace ledcube::chip
