// SPDX-License-Identifier: GPL-3.0-or-later
#include "chip/FirmwareBuild.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "base/Language.h"
#include "chip/ChipSource.h"
#include "firmware/FlashEstimate.h"
#include "program/SimError.h"
#include "program/SourceRewrite.h"

extern "C" {
#include <simavr/sim_hex.h>
}

extern char** environ;

namespace ledcube::chip {

namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& file, std::string_view text) {
    std::ofstream out(file, std::ios::binary);
    out << text;
    if (!out.flush()) throw program::SimError(Tr("Build", "cannot write %1").Arg(file.string()));
}

// Section sizes of an ELF by name (".text", ".data", ".bss" ...), from avr-size.
std::map<std::string, int> SectionSizes(const fs::path& elf, const fs::path& folder) {
    const fs::path log = folder / "avr-size.log";
    if (RunTool({"avr-size", "-A", elf.string()}, folder, log) != 0)
        throw program::SimError(
            Tr("Build", "avr-size cannot read the compiled program:\n%1").Arg(ReadTextFile(log)));
    std::map<std::string, int> sizes;
    std::istringstream lines(ReadTextFile(log));
    std::string name;
    long size = 0;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        if (fields >> name >> size && name.starts_with('.')) sizes[name] = static_cast<int>(size);
    }
    return sizes;
}

// Why avr-gcc did not build the program, in one sentence: where the first
// error is, or that the code is too large to link at all.
BuildError BuildFailure(const std::string& log, const std::string& file, const Chip& chip) {
    if (log.find("will not fit in region") != std::string::npos)
        return BuildError(
            Tr("Build", "the program is too large to build for the %1 (over %2 MB of code)")
                .Arg(chip.name)
                .Arg(Number(kMostCodeBytes / 1024 / 1024)),
            log, true);
    // "cube.c:123:5: error: ..." names the line of the first error.
    std::istringstream lines(log);
    const std::string prefix = file + ":";
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with(prefix) || line.find(": error:") == std::string::npos) continue;
        const std::size_t end = line.find_first_not_of("0123456789", prefix.size());
        if (end != prefix.size() && end != std::string::npos && line[end] == ':')
            return BuildError(
                Tr("Build",
                   "the program does not compile for the %1: the compiler finds an error "
                   "at line %2")
                    .Arg(chip.name)
                    .Arg(line.substr(prefix.size(), end - prefix.size())),
                log);
    }
    return BuildError(Tr("Build", "the program does not compile for the %1").Arg(chip.name), log);
}

std::string Share(int part, int whole) {
    return Decimal(100.0 * part / whole, 1) + " %";
}

}  // namespace

int RunTool(const std::vector<std::string>& arguments, const fs::path& folder,
            const fs::path& log) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        throw program::SimError(
            Tr("Build",
               "cannot run %1 (are the Debian packages gcc-avr and binutils-avr installed?)")
                .Arg(arguments[0]));
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string ReadTextFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in || fs::is_directory(file))
        throw program::SimError(Tr("Build", "cannot read %1").Arg(file.string()));
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

ScratchFolder::ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "ledcube-sim-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw program::SimError(Tr("Build", "cannot make a scratch folder"));
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string SizesLine(const ProgramSizes& sizes) {
    const Chip& chip = sizes.chip;
    const std::string line =
        Tr("Build",
           "flash %1 of %2 bytes (%3), RAM %4 of %5 bytes (%6: data %7, bss %8, "
           "stack %9)")
            .Arg(Number(sizes.flash))
            .Arg(Number(chip.flashBytes))
            .Arg(Share(sizes.flash, chip.flashBytes))
            .Arg(Number(sizes.Ram()))
            .Arg(Number(chip.ramBytes))
            .Arg(Share(sizes.Ram(), chip.ramBytes))
            .Arg(sizes.data)
            .Arg(sizes.bss)
            .Arg(kStackAllowance);
    if (chip == kAtmega8535) return line;
    if (chip.pins)
        return Tr("Build", "%1; %2 at %3, wired as %4")
            .Arg(line)
            .Arg(chip.name)
            .Arg(ClockText(chip.clockHz))
            .Arg(WiringName(*chip.pins));
    return Tr("Build", "%1; %2 at %3").Arg(line).Arg(chip.name).Arg(ClockText(chip.clockHz));
}

std::string NotFittingMessage(const ProgramSizes& sizes) {
    const Chip& chip = sizes.chip;
    if (sizes.flash > chip.flashBytes)
        return Tr("Build", "the program needs %1 bytes of flash, and the %2 has %3")
            .Arg(Number(sizes.flash))
            .Arg(chip.name)
            .Arg(Number(chip.flashBytes));
    return Tr("Build",
              "the program needs %1 bytes of RAM (data, bss and %2 of stack), and the %3 has %4")
        .Arg(Number(sizes.Ram()))
        .Arg(kStackAllowance)
        .Arg(chip.name)
        .Arg(Number(chip.ramBytes));
}

Firmware BuildFirmware(std::string_view source, const std::string& fileName,
                       const ScratchFolder& scratch, const Chip& chip) {
    const fs::path folder = scratch.Path();
    const fs::path file = folder / fs::path(fileName).filename();
    WriteFile(file, SourceForChip(source, chip));
    WriteFile(folder / "mega8535.h", ChipHeader(chip));
    WriteFile(folder / "delay.h", program::DelayHeader());

    // avr-gcc runs in the scratch folder so that its messages name the file alone.
    // Flash and RAM are opened up (code up to where the data's addresses
    // begin) so that a program too large still links and tells its real
    // sizes; the size checks are ours (the linker's RAM check would leave out
    // the stack anyway).
    const std::string mcu = chip.mcu;
    const fs::path elf = folder / ("cube-" + mcu + ".elf");
    const fs::path log = folder / "avr-gcc.log";
    const int status = RunTool(
        {"avr-gcc", "-mmcu=" + mcu, "-Os", "-std=gnu99", "-Wno-main",
         "-DF_CPU=" + std::to_string(chip.clockHz) + "UL", "-I", folder.string(),
         "-Wl,--defsym=__TEXT_REGION_LENGTH__=" + std::to_string(kMostCodeBytes),
         "-Wl,--defsym=__DATA_REGION_LENGTH__=65535", file.filename().string(), "-o", elf.string()},
        folder, log);
    if (status != 0) throw BuildFailure(ReadTextFile(log), file.filename().string(), chip);

    Firmware firmware{folder / ("cube-" + mcu + ".hex"), {}, ReadTextFile(log)};
    const fs::path objcopyLog = folder / "avr-objcopy.log";
    if (RunTool({"avr-objcopy", "-O", "ihex", "-j", ".text", "-j", ".data", elf.string(),
                 firmware.hex.string()},
                folder, objcopyLog) != 0)
        throw program::SimError("avr-objcopy cannot write the HEX:\n" + ReadTextFile(objcopyLog));

    int flash = 0;
    for (const HexChunk& chunk : ReadIntelHex(firmware.hex))
        flash += static_cast<int>(chunk.bytes.size());
    const std::map<std::string, int> sections = SectionSizes(elf, folder);
    const auto size = [&](const char* name) {
        const auto found = sections.find(name);
        return found == sections.end() ? 0 : found->second;
    };
    firmware.sizes = {flash, size(".data"), size(".bss") + size(".noinit"), chip};
    return firmware;
}

std::vector<HexChunk> ReadIntelHex(const fs::path& hex) {
    ihex_chunk_p chunks = nullptr;
    const int count = read_ihex_chunks(hex.c_str(), &chunks);
    if (count < 0) throw program::SimError("cannot read the HEX " + hex.string());
    std::vector<HexChunk> result;
    for (int i = 0; i < count; ++i)
        result.push_back(
            {chunks[i].baseaddr,
             std::vector<std::uint8_t>(chunks[i].data, chunks[i].data + chunks[i].size)});
    free_ihex_chunks(chunks);
    return result;
}

}  // namespace ledcube::chip
