// SPDX-License-Identifier: GPL-3.0-or-later
// ledcube-sim running 10 s of cube time on a 50-frame program, built for the
// cube's ATmega8535 at 1 MHz and for an Arduino Uno at 16 MHz (sixteen times
// the cycles): the processor time of the simulation and of the compiler.
#include <sys/resource.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "chip/FirmwareBuild.h"
#include "firmware/FirmwareText.h"
#include "sim/SimCommand.h"

namespace {

double Seconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6;
}

// Processor time of this process and of the programs it ran (the compiler).
std::pair<double, double> CpuSeconds() {
    rusage self{};
    rusage children{};
    getrusage(RUSAGE_SELF, &self);
    getrusage(RUSAGE_CHILDREN, &children);
    return {Seconds(self.ru_utime) + Seconds(self.ru_stime),
            Seconds(children.ru_utime) + Seconds(children.ru_stime)};
}

}  // namespace

int main() {
    using namespace ledcube;
    const chip::ScratchFolder folder;
    const auto file = folder.Path() / "cube50.c";
    std::string program = ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP1);
    for (int frame = 0; frame < 50; ++frame) {
        CellState cells;
        for (int n = 1; n <= kCellCount; ++n) cells.Set(n, (n * 7 + frame * 3) % 5 == 0);
        program += FrameBlock(200, cells);
    }
    std::ofstream(file) << program + SwitchBlockClose() + ProgramClose();
    for (const char* chip : {"atmega8535", "uno"}) {
        const auto before = CpuSeconds();
        std::ostringstream out;
        std::ostringstream err;
        if (sim::RunSimCommand({"--chip", chip, "--buttons", "BP1", "--ms", "10000", file.string()},
                               out, err) != 0) {
            std::fprintf(stderr, "%s", err.str().c_str());
            return 1;
        }
        const auto after = CpuSeconds();
        std::printf(
            "ledcube-sim, 10 s of cube time on the %s build: %.2f s of processor time "
            "(%.2f s simulating and decoding, %.2f s compiling and proving)\n",
            chip, after.first - before.first + after.second - before.second,
            after.first - before.first, after.second - before.second);
    }
    return 0;
}
