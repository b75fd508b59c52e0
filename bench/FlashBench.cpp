// SPDX-License-Identifier: GPL-3.0-or-later
// How long putting a program into a board takes: avrdude writing and
// verifying through the Uno's bootloader on the simulated board, paced to the
// wall clock, for a 60-frame program and a 1,000-frame compact build; and what
// the bytes alone take on a real Uno's serial line.
#include <QCoreApplication>
#include <chrono>
#include <cstdio>

#include "chip/FirmwareBuild.h"
#include "chip/SimulatedBoard.h"
#include "compact/CompactBuild.h"
#include "firmware/FirmwareText.h"
#include "program/ProgramReader.h"
#include "sim/SimCommand.h"

namespace {

using namespace ledcube;

std::string Program(int frames) {
    std::string text = ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP1);
    for (int f = 0; f < frames; ++f) {
        CellState cells;
        for (int n = 1; n <= kCellCount; ++n) cells.Set(n, (n * 7 + f * 3) % 5 == 0);
        text += FrameBlock(150, cells);
    }
    return text + SwitchBlockClose() + ProgramClose();
}

int Flash(const char* what, const std::filesystem::path& hex) {
    const chip::ScratchFolder boot;
    chip::SimulatedBoard board(chip::kUno, chip::BootloaderOf(chip::kUno, boot.Path()));
    const auto start = std::chrono::steady_clock::now();
    const chip::FlashRun run = chip::FlashChip(hex, chip::kUno, std::nullopt, board.Port());
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!run.outcome.flashed) {
        std::printf("%s: %s\n%s", what, run.outcome.sentence.c_str(), run.log.c_str());
        return 1;
    }
    long bytes = 0;
    for (const chip::HexChunk& chunk : chip::ReadIntelHex(hex))
        bytes += static_cast<long>(chunk.bytes.size());
    // Each 128-byte page goes out with 5 bytes of command and comes back with
    // 4 more, and is read back to verify: 10 bits a byte at 115,200 baud.
    const long pages = (bytes + 127) / 128;
    const double line = (2.0 * bytes + pages * 18.0) * 10 / 115200;
    std::printf(
        "%s (%ld bytes): flashed and verified through the simulated Uno in %.2f s; "
        "the bytes alone take %.2f s on a real Uno's serial line\n",
        what, bytes, seconds, line);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const chip::ScratchFolder unrolledScratch;
    const chip::Firmware unrolled =
        chip::BuildFirmware(Program(60), "sixty.c", unrolledScratch, chip::kUno);
    const chip::ScratchFolder compactScratch;
    const chip::Firmware compact =
        chip::BuildFirmware(compact::CompactSource(program::ReadProgram(Program(1000)), chip::kUno),
                            "compact.c", compactScratch, chip::kUno);
    return Flash("60 frames, unrolled", unrolled.hex) + Flash("1,000 frames, compact", compact.hex);
}
