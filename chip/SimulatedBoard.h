// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "chip/CubeSimulator.h"

namespace ledcube::chip {

// The bootloader of a board from Debian's arduino-core-avr package, as an
// Intel HEX in `folder`: the old Nano's as the package ships it; the Uno's
// and the new Nano's (Optiboot) built from the source the package ships,
// since its ready-made HEX is built too large for the 512 bytes at the end of
// the flash. Raises SimError when the package is missing or the build fails.
std::filesystem::path BootloaderOf(const Chip& board, const std::filesystem::path& folder);

// Keeps a simulated board's time to the wall clock's: never ahead of it, and
// time the machine took from the board let go rather than raced through, as a
// real board's second is a second (a bootloader's wait run at several times
// its speed would be over before avrdude speaks).
class BoardPace {
  public:
    using Clock = std::chrono::steady_clock;
    // How far the board may fall behind before it lets the time go: a
    // moment's hiccup is made up, so that the board's time stays the wall
    // clock's for what is measured on it.
    static constexpr std::chrono::milliseconds kMostBehind{50};

    BoardPace(Clock::time_point start, std::uint32_t hertz) : start_(start), hertz_(hertz) {}
    // When the board, having run `ran` cycles in all, may run on, the wall
    // clock saying `now`.
    Clock::time_point Due(std::uint64_t ran, Clock::time_point now);

  private:
    Clock::time_point start_;
    std::uint32_t hertz_;
};

// An Arduino board on the desk, simulated: its ATmega328P runs the board's
// own bootloader, its serial port is a pseudo-terminal, and opening the port
// resets the chip as the board's DTR line does, so avrdude flashes it as it
// flashes the real board. It runs on a thread of its own, paced to the wall
// clock (avrdude's and the bootloader's time-outs are real time).
class SimulatedBoard {
  public:
    // Raises SimError when the bootloader or a pseudo-terminal cannot be had.
    // With `link`, the port is that path, a link to the pseudo-terminal of
    // the moment, as a board keeps its name when plugged in again.
    SimulatedBoard(const Chip& board, const std::filesystem::path& bootloader,
                   const std::filesystem::path& link = {});
    ~SimulatedBoard();
    SimulatedBoard(const SimulatedBoard&) = delete;
    SimulatedBoard& operator=(const SimulatedBoard&) = delete;

    // The serial port to give avrdude ("/dev/pts/3").
    const std::string& Port() const { return port_; }
    // The flashed program has started (after the reset that ends programming).
    bool ProgramRunning() const { return programRunning_.load(); }
    // Pulls the cable once the board has been sent `bytes` bytes: the
    // board neither reads nor answers any more, as when its USB goes away.
    void GoAwayAfter(std::size_t bytes) { goAwayAfter_ = bytes; }
    // Pulls the board's USB cable (its port goes away), and plugs it in again.
    void Unplug() { plug_ = kUnplug; }
    void PlugIn() { plug_ = kPlugIn; }
    bool Plugged() const { return plugged_.load(); }
    // Presses these buttons on the cube (let go of the others), from any thread.
    void PressButtons(SwitchCombination buttons) { press_ = static_cast<int>(buttons); }
    // From now on, keeps what the cube's wires do, in the board's own time.
    void StartRecording();
    // What the wires did since StartRecording, cycles from its start.
    PortTrace Recording() const;
    // Stops the board's thread; the chip keeps what it was flashed with.
    void Stop();
    // The first second of the flashed program has run since it last started.
    bool StartKept() const { return startKept_.load(); }
    // After Stop: what the cube's wires did in the first second after the
    // bootloader last started the flashed program (cycles from that start).
    PortTrace StartOfProgram() const;
    // After Stop: starts the flashed program afresh with these buttons held and
    // runs it flat out for `ms` of cube time; what the cube's wires did.
    PortTrace Play(SwitchCombination buttons, double ms);

  private:
    void Loop();
    // Reads what avrdude wrote, and resets the chip when the port is opened.
    void ServePort();
    // Keeps the writes of the first kKeptStartMs of the program (from its start again, when it
    // started in this slice).
    void KeepStartWrites(const std::vector<PortWrite>& writes, bool wasRunning);
    void OpenTerminal();
    // Acts on Unplug, PlugIn and PressButtons.
    void TakeRequests();

    static constexpr int kUnplug = 1;
    static constexpr int kPlugIn = 2;

    CubeChip chip_;
    std::uint32_t hertz_;
    int master_ = -1;
    std::string port_;
    bool portOpen_ = false;
    std::vector<std::uint8_t> fromChip_;
    std::atomic<std::size_t> goAwayAfter_ = SIZE_MAX;
    std::size_t received_ = 0;
    bool gone_ = false;
    std::atomic<bool> stop_ = false;
    std::atomic<bool> programRunning_ = false;
    std::vector<PortWrite> startWrites_;  // the program's, from its start for kKeptStartMs
    std::atomic<bool> startKept_ = false;
    std::filesystem::path link_;
    std::atomic<int> plug_ = 0;
    std::atomic<bool> plugged_ = true;
    std::atomic<int> press_ = -1;
    std::uint64_t ran_ = 0;  // the board's time, in cycles
    mutable std::mutex recordMutex_;
    bool recording_ = false;
    std::uint64_t recordStart_ = 0;
    std::vector<PortWrite> recorded_;
    std::thread thread_;
};

}  // namespace ledcube::chip
