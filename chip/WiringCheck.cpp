// SPDX-License-Identifier: GPL-3.0-or-later
#include "chip/WiringCheck.h"

#include <vector>

#include "base/Language.h"
#include "chip/WiringFile.h"
#include "firmware/FirmwareText.h"

namespace ledcube::chip {

namespace {

CellState LayerWhole(int layer) {
    CellState cells;
    for (const int n : CellsOfLayer(layer)) cells.Set(n, true);
    return cells;
}

}  // namespace

std::string WiringTestProgram() {
    std::string text = ProgramHeader();
    for (int button = 1; button <= 3; ++button) {
        text += SwitchBlockOpen(static_cast<SwitchCombination>(button - 1));
        text += FrameBlock(kWiringTestStepMs, LayerWhole(button)) + SwitchBlockClose();
    }
    text += SwitchBlockOpen(SwitchCombination::Aucun);
    for (int n = 1; n <= kCellCount; ++n) {
        CellState alone;
        alone.Set(n, true);
        text += FrameBlock(kWiringTestStepMs, alone);
    }
    CellState all;
    for (int layer = 1; layer <= kLayerCount; ++layer) {
        text += FrameBlock(kWiringTestStepMs, LayerWhole(layer));
        for (const int n : CellsOfLayer(layer)) all.Set(n, true);
    }
    text += FrameBlock(kWiringTestStepMs, all) + SwitchBlockClose();
    return text + ProgramClose();
}

std::string LitDescription(const CellState& cells, const Chip& chip) {
    const PinWiring wiring = WiringOf(chip);
    std::vector<int> lit;
    for (int n = 1; n <= kCellCount; ++n)
        if (cells.Get(n)) lit.push_back(n);
    if (lit.empty()) return Tr("WiringTest", "nothing lit");
    if (lit.size() == static_cast<std::size_t>(kCellCount))
        return Tr("WiringTest", "the whole cube");
    for (int layer = 1; layer <= kLayerCount; ++layer)
        if (lit.size() == kCellsPerLayer && lit.front() == FirstCellOfLayer(layer) &&
            lit.back() == LastCellOfLayer(layer))
            return Tr("WiringTest", "layer %1 whole — %2")
                .Arg(layer)
                .Arg(PinName(chip, wiring.layers[static_cast<std::size_t>(layer - 1)]));
    if (lit.size() > 1)
        return Counted(static_cast<long long>(lit.size()), Tr("WiringTest", "%1 LED lit"),
                       Tr("WiringTest", "%1 LEDs lit"));
    const CellPlace place = PlaceOf(lit.front());
    const Text rows[] = {Tr("WiringTest", "back row"), Tr("WiringTest", "middle row"),
                         Tr("WiringTest", "front row")};
    const Text columns[] = {Tr("WiringTest", "left"), Tr("WiringTest", "centre"),
                            Tr("WiringTest", "right")};
    return Tr("WiringTest", "layer %1, %2, %3 — %4 with %5")
        .Arg(place.layer)
        .Arg(rows[place.row].Str())
        .Arg(columns[place.column].Str())
        .Arg(PinName(chip, wiring.leds[static_cast<std::size_t>(place.position - 1)]))
        .Arg(PinName(chip, wiring.layers[static_cast<std::size_t>(place.layer - 1)]));
}

}  // namespace ledcube::chip
