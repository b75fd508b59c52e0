#include "sim/Report.h"

#include <cstdio>

namespace ledcube::sim {

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

std::string ShowReport(const std::vector<ShownFrame>& frames) {
    if (frames.empty()) return "the cube showed nothing\n";
    std::string report = "  start ms  passes  duration ms  cells (layer:back/middle/front)\n";
    for (const ShownFrame& frame : frames) {
        char line[96];
        std::snprintf(line, sizeof line, "%10.1f  %6d  %11.1f  ", frame.startMs, frame.passes,
                      frame.durationMs);
        report += line + CellsText(frame.cells) +
                  (frame.cut ? "  (cut by the end of the run)" : "") + "\n";
    }
    return report;
}

}  // namespace ledcube::sim
