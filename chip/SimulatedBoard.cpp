// SPDX-License-Identifier: GPL-3.0-or-later
#include "chip/SimulatedBoard.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>

#include "program/SimError.h"

extern "C" {
#include <simavr/avr_uart.h>
#include <simavr/sim_avr.h>
#include <simavr/sim_io.h>
}

namespace ledcube::chip {

namespace {

// A millisecond of the chip's time between two looks at the serial port.
constexpr int kSliceMs = 1;
// How much of the start of the flashed program the board keeps.
constexpr int kKeptStartMs = 1000;

const std::filesystem::path kBootloaders = "/usr/share/arduino/hardware/arduino/avr/bootloaders";

std::uint32_t LowestAddress(const std::filesystem::path& hex) {
    std::uint32_t lowest = UINT32_MAX;
    for (const HexChunk& chunk : ReadIntelHex(hex)) lowest = std::min(lowest, chunk.address);
    return lowest;
}

}  // namespace

std::filesystem::path BootloaderOf(const Chip& board, const std::filesystem::path& folder) {
    if (board.wiring != Wiring::Arduino)
        throw program::SimError(std::string("the ") + board.name + " is no board");
    // The old Nano's bootloader talks at 57,600 baud and fits its 2 KB as shipped.
    if (board.baud == 57600) return kBootloaders / "atmega" / "ATmegaBOOT_168_atmega328.hex";
    const std::filesystem::path source = kBootloaders / "optiboot" / "optiboot.c";
    if (!std::filesystem::exists(source))
        throw program::SimError(
            "the Arduino bootloaders are missing: install the Debian package arduino-core-avr");
    // The package's own options, and three that keep avr-gcc 5's code within 512 bytes.
    const std::filesystem::path elf = folder / "optiboot.elf";
    const std::filesystem::path hex = folder / "optiboot.hex";
    const std::filesystem::path log = folder / "optiboot.log";
    const std::vector<std::string> compile = {"avr-gcc",
                                              "-Os",
                                              "-fno-inline-small-functions",
                                              "-fno-split-wide-types",
                                              "-mshort-calls",
                                              "-fno-tree-scev-cprop",
                                              "-fno-caller-saves",
                                              "-fno-move-loop-invariants",
                                              "-mmcu=atmega328p",
                                              "-DF_CPU=16000000L",
                                              "-DBAUD_RATE=115200",
                                              "-DLED_START_FLASHES=3",
                                              "-Wl,--section-start=.text=0x7e00",
                                              "-Wl,--section-start=.version=0x7ffe",
                                              "-Wl,--relax",
                                              "-Wl,--gc-sections",
                                              "-nostartfiles",
                                              "-nostdlib",
                                              "-I",
                                              (kBootloaders / "optiboot").string(),
                                              "-o",
                                              elf.string(),
                                              source.string()};
    if (RunTool(compile, folder, log) != 0 ||
        RunTool(
            {"avr-objcopy", "-j", ".text", "-j", ".data", "-j", ".version", "--set-section-flags",
             ".version=alloc,load", "-O", "ihex", elf.string(), hex.string()},
            folder, log) != 0)
        throw program::SimError("the Uno's bootloader does not build:\n" + ReadTextFile(log));
    for (const HexChunk& chunk : ReadIntelHex(hex))
        if (chunk.address + chunk.bytes.size() > 0x8000 ||
            (chunk.address < 0x7FFE && chunk.address + chunk.bytes.size() > 0x7FFE))
            throw program::SimError("the Uno's bootloader builds larger than its 512 bytes");
    return hex;
}

BoardPace::Clock::time_point BoardPace::Due(std::uint64_t ran, Clock::time_point now) {
    const auto due = start_ + std::chrono::microseconds(ran * 1000000 / hertz_);
    if (now - due > kMostBehind) {
        start_ += now - due;
        return now;
    }
    return due;
}

SimulatedBoard::SimulatedBoard(const Chip& board, const std::filesystem::path& bootloader,
                               const std::filesystem::path& link)
    : chip_(bootloader, board), hertz_(board.clockHz), link_(link) {
    // A board comes with a program: here one that loops doing nothing
    // (rjmp .), where the bootloader goes when no upload comes.
    ::avr_t* core = chip_.Core();
    core->flash[0] = 0xFF;
    core->flash[1] = 0xCF;
    OpenTerminal();
    chip_.TakeSerialOutput();  // the serial line connected
    chip_.BootFrom(LowestAddress(bootloader));
    thread_ = std::thread([this] { Loop(); });
}

void SimulatedBoard::OpenTerminal() {
    int slave = -1;
    char name[256] = {};
    if (openpty(&master_, &slave, name, nullptr, nullptr) != 0)
        throw program::SimError(std::string("no pseudo-terminal for the simulated board: ") +
                                std::strerror(errno));
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);
    // Not kept open: the port counts as open while avrdude has it.
    close(slave);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    port_ = name;
    portOpen_ = false;
    if (!link_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(link_, ignored);
        std::filesystem::create_symlink(name, link_);
        port_ = link_.string();
    }
}

void SimulatedBoard::TakeRequests() {
    const int plug = plug_.exchange(0);
    if (plug == kUnplug && plugged_) {
        // The port goes: whoever has it open reads no more.
        close(master_);
        master_ = -1;
        if (!link_.empty()) {
            std::error_code ignored;
            std::filesystem::remove(link_, ignored);
        }
        plugged_ = false;
        chip_.DropSerialInput();
        fromChip_.clear();
    } else if (plug == kPlugIn && !plugged_) {
        OpenTerminal();
        plugged_ = true;
        chip_.ExternalReset();  // powered again
    }
    if (const int press = press_.exchange(-1); press >= 0)
        chip_.HoldButtons(static_cast<SwitchCombination>(press));
}

void SimulatedBoard::StartRecording() {
    const std::lock_guard lock(recordMutex_);
    recording_ = true;
    recordStart_ = ran_;
    recorded_.clear();
}

PortTrace SimulatedBoard::Recording() const {
    const std::lock_guard lock(recordMutex_);
    return {hertz_, ran_ - recordStart_, recorded_};
}

SimulatedBoard::~SimulatedBoard() {
    Stop();
    if (master_ >= 0) close(master_);
    if (!link_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(link_, ignored);
    }
}

void SimulatedBoard::Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

void SimulatedBoard::ServePort() {
    if (gone_ || !plugged_) return;
    pollfd look{master_, POLLIN, 0};
    poll(&look, 1, 0);
    const bool open = (look.revents & POLLHUP) == 0;
    if (open && !portOpen_) {
        // The port opened: the board's DTR line resets the chip into its bootloader.
        chip_.DropSerialInput();
        fromChip_.clear();
        chip_.ExternalReset();
    }
    portOpen_ = open;
    if (!open) return;
    std::uint8_t buffer[512];
    for (;;) {
        const ssize_t got = read(master_, buffer, sizeof buffer);
        if (got <= 0) break;
        chip_.SendSerial(std::vector<std::uint8_t>(buffer, buffer + got));
        received_ += static_cast<std::size_t>(got);
        if (received_ >= goAwayAfter_) {
            gone_ = true;
            chip_.DropSerialInput();
            return;
        }
    }
}

void SimulatedBoard::Loop() {
    BoardPace pace(BoardPace::Clock::now(), hertz_);
    // ran_ counts the cycles run since the start: a reset starts the chip's
    // own count again, the board's time goes on.
    const std::uint64_t slice = static_cast<std::uint64_t>(hertz_) * kSliceMs / 1000;
    while (!stop_) {
        TakeRequests();
        ServePort();
        const std::uint64_t before = chip_.Cycle();
        const bool wasRunning = chip_.ProgramRunning();
        const std::vector<PortWrite> writes = chip_.Run(slice);
        {
            const std::lock_guard lock(recordMutex_);
            if (recording_)
                for (const PortWrite& write : writes)
                    recorded_.push_back(
                        {ran_ - recordStart_ + (write.cycle >= before ? write.cycle - before : 0),
                         write.port, write.value});
            ran_ += chip_.Cycle() >= before ? chip_.Cycle() - before : chip_.Cycle();
        }
        KeepStartWrites(writes, wasRunning);
        const std::vector<std::uint8_t> out = chip_.TakeSerialOutput();
        fromChip_.insert(fromChip_.end(), out.begin(), out.end());
        if (!fromChip_.empty() && portOpen_ && !gone_ && plugged_) {
            const ssize_t sent = write(master_, fromChip_.data(), fromChip_.size());
            if (sent > 0) fromChip_.erase(fromChip_.begin(), fromChip_.begin() + sent);
        }
        programRunning_ = chip_.ProgramRunning();
        std::this_thread::sleep_until(pace.Due(ran_, BoardPace::Clock::now()));
    }
}

void SimulatedBoard::KeepStartWrites(const std::vector<PortWrite>& writes, bool wasRunning) {
    if (!chip_.ProgramRunning()) {
        startKept_ = false;
        return;
    }
    if (!wasRunning) startWrites_.clear();
    const std::uint64_t start = chip_.ProgramStartCycle();
    const std::uint64_t kept = static_cast<std::uint64_t>(hertz_) * kKeptStartMs / 1000;
    for (const PortWrite& write : writes)
        if (write.cycle >= start && write.cycle - start < kept)
            startWrites_.push_back({write.cycle - start, write.port, write.value});
    startKept_ = chip_.Cycle() - start >= kept;
}

PortTrace SimulatedBoard::StartOfProgram() const {
    return {hertz_, static_cast<std::uint64_t>(hertz_) * kKeptStartMs / 1000, startWrites_};
}

PortTrace SimulatedBoard::Play(SwitchCombination buttons, double ms) {
    Stop();
    chip_.HoldButtons(buttons);
    chip_.RestartProgram();
    chip_.Run(0);  // forgets the writes of the time before
    const std::uint64_t start = chip_.Cycle();
    std::vector<PortWrite> writes = chip_.Run(static_cast<std::uint64_t>(ms * hertz_ / 1000.0));
    for (PortWrite& write : writes) write.cycle -= start;
    return {hertz_, chip_.Cycle() - start, std::move(writes)};
}

}  // namespace ledcube::chip
