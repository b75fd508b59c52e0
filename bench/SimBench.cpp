// SPDX-License-Identifier: GPL-3.0-or-later
// ledcube-sim running 10 s of cube time on a 50-frame program (a BP1 and an
// Aucun sequence of 25 frames, 150 to 450 ms a frame), built for the cube's
// ATmega8535 at 1 MHz and for an Arduino Uno at 16 MHz (sixteen times the
// cycles): the processor time of the simulation alone and of the whole run,
// with the delay loops passed over and stepped, measured in one run; and of
// its compact build, which sleeps through its slots.
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "chip/CubeSimulator.h"
#include "chip/FirmwareBuild.h"
#include "compact/CompactBuild.h"
#include "firmware/FirmwareText.h"
#include "program/ProgramReader.h"
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

std::string FiftyFrames() {
    using namespace ledcube;
    std::mt19937 random(5);
    std::string program = ProgramHeader();
    for (const SwitchCombination sequence : {SwitchCombination::BP1, SwitchCombination::Aucun}) {
        program += SwitchBlockOpen(sequence);
        for (int frame = 0; frame < 25; ++frame) {
            CellState cells;
            for (int n = 1; n <= kCellCount; ++n) cells.Set(n, random() % 2 == 0);
            program += FrameBlock(150 + 15 * static_cast<int>(random() % 21), cells);
        }
        program += SwitchBlockClose();
    }
    return program + ProgramClose();
}

// The processor time of 10 s of cube time on the chip, the simulation alone.
double SimulationSeconds(const std::string& program, const ledcube::chip::Chip& chip,
                         bool compact) {
    const ledcube::chip::ScratchFolder scratch;
    const ledcube::chip::Firmware firmware = ledcube::chip::BuildFirmware(
        compact ? ledcube::compact::CompactSource(ledcube::program::ReadProgram(program), chip)
                : program,
        "cube50.c", scratch, chip);
    const double before = CpuSeconds().first;
    ledcube::chip::RunFirmware(firmware.hex, ledcube::SwitchCombination::BP1, 10000, chip);
    return CpuSeconds().first - before;
}

// The processor time of the whole ledcube-sim run (compiler and proof included).
double CommandSeconds(const std::filesystem::path& file, const char* chip, bool compact) {
    const auto before = CpuSeconds();
    std::ostringstream out;
    std::ostringstream err;
    std::vector<std::string> arguments = {"--chip", chip, "--buttons", "BP1", "--ms", "10000"};
    if (compact) arguments.push_back("--compact");
    arguments.push_back(file.string());
    if (ledcube::sim::RunSimCommand(arguments, out, err) != 0) {
        std::fprintf(stderr, "%s", err.str().c_str());
        std::exit(1);
    }
    const auto after = CpuSeconds();
    return after.first - before.first + after.second - before.second;
}

int main() {
    using namespace ledcube;
    const chip::ScratchFolder folder;
    const auto file = folder.Path() / "cube50.c";
    const std::string program = FiftyFrames();
    std::ofstream(file) << program;
    for (const chip::Chip& chip : {chip::kAtmega8535, chip::kUno}) {
        double simulation[2];
        double command[2];
        for (const int pass : {1, 0}) {
            setenv("LEDCUBE_PASS_OVER", pass ? "1" : "0", 1);
            simulation[pass] = SimulationSeconds(program, chip, false);
            command[pass] = CommandSeconds(file, chip.id, false);
        }
        unsetenv("LEDCUBE_PASS_OVER");
        std::printf(
            "10 s of cube time on the %s build: simulation %.3f s passing over the delay loops, "
            "%.3f s stepping them (%.0fx); the whole ledcube-sim run %.2f s, %.2f s stepping "
            "(%.1fx)\n",
            chip.id, simulation[1], simulation[0], simulation[0] / simulation[1], command[1],
            command[0], command[0] / command[1]);
        std::printf(
            "  its compact build: simulation %.3f s, the whole ledcube-sim --compact run "
            "%.2f s\n",
            SimulationSeconds(program, chip, true), CommandSeconds(file, chip.id, true));
    }
    return 0;
}
