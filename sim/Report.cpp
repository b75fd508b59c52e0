// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/Report.h"

#include <cstdio>

#include "base/Language.h"

namespace ledcube::sim {

namespace {

bool Dark(const chip::ShownFrame& frame) {
    return frame.cells == CellState();
}

}  // namespace

std::string ShowReport(const std::vector<chip::ShownFrame>& frames, long roundPasses) {
    if (frames.empty()) return Tr("Report", "the cube showed nothing").Str() + "\n";
    std::string report =
        Tr("Report", "  start ms  passes  duration ms  cells (layer:back/middle/front)").Str() +
        "\n";
    const std::vector<long> rounds = chip::RoundOf(frames, roundPasses);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const chip::ShownFrame& frame = frames[i];
        if (i > 0 && rounds[i] != rounds[i - 1])
            report += Tr("Report", "  -- round %1 --").Arg(rounds[i]).Str() + "\n";
        char line[96];
        std::snprintf(line, sizeof line, "%10s  %6d  %11s  ", Decimal(frame.startMs, 1).c_str(),
                      frame.passes, Decimal(frame.durationMs, 1).c_str());
        report += line + (Dark(frame) ? Tr("Report", "dark").Str() : chip::CellsText(frame.cells)) +
                  (frame.cut ? "  " + chip::CutNote() : std::string()) + "\n";
    }
    return report;
}

}  // namespace ledcube::sim
