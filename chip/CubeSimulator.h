// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <vector>

#include "chip/FirmwareBuild.h"
#include "chip/ShowDecoder.h"
#include "firmware/FirmwareText.h"

struct avr_t;
struct avr_irq_t;

namespace ledcube::chip {

// The cube's microcontroller, simulated: a program loaded from an Intel HEX
// runs at the chip's clock; an ATmega8535 build on simavr's ATmega16 core
// (pin-compatible, with the same I/O addresses), another chip's on its own
// core. It runs a given number of cycles per call, records what the program
// drives on the cube's wires as writes to the ATmega8535's ports A and C
// (whatever pins the chip has them on), and takes button changes between calls.
class CubeChip {
  public:
    // Raises SimError when the HEX cannot be read or is too large.
    explicit CubeChip(const std::filesystem::path& hex, const Chip& chip = kAtmega8535);
    ~CubeChip();
    CubeChip(const CubeChip&) = delete;
    CubeChip& operator=(const CubeChip&) = delete;

    // Holds the buttons BP1, BP2, BP3: a held button drives its pin to the
    // wiring's pressed level, a released one to the other, against any pull-up.
    void HoldButtons(std::array<bool, 3> held);
    void HoldButtons(SwitchCombination combination);

    // Runs until at least `cycles` more cycles have passed (or the program
    // stops); returns the port writes made meanwhile, oldest first.
    std::vector<PortWrite> Run(std::uint64_t cycles);

    std::uint64_t Cycle() const;
    bool Stopped() const { return stopped_; }

    // Delay loops are passed over in one step where that changes nothing
    // (see PassOverDelay); the environment's LEDCUBE_PASS_OVER=0 turns it off.
    void SetPassOver(bool on) { passOver_ = on; }
    // The cycles passed over so far, of Cycle().
    std::uint64_t PassedOverCycles() const { return passedOver_; }
    // What the program could see of the core: registers, flags, stack and
    // program counters, cycle. Two runs agree exactly when these do.
    struct CoreState {
        std::array<std::uint8_t, 32> registers;
        std::array<std::uint8_t, 8> flags;
        std::uint16_t stack;
        std::uint32_t pc;
        std::uint64_t cycle;
        bool operator==(const CoreState&) const = default;
    };
    CoreState State() const;
    // At the start of a delay loop, moves the core in one step to where its
    // iterations would leave it, short of the last one, of cycle `end` and of
    // the simulator's next cycle timer, unless an interrupt may fire
    // meanwhile; false when it is at no such loop. Run does it at every
    // instruction; the tests call it to compare the core just after a pass.
    bool PassOverDelay(std::uint64_t end);

    // What a simulated board does with the chip, in the board library
    // (chip/BoardChip.cpp) that the tests, benchmarks and pictures link.
    // A board's bootloader, loaded with the program from the HEX at `address`:
    // every reset starts there, as the boot-reset fuse makes the chip do.
    void BootFrom(std::uint32_t address);
    // A reset from outside (the reset line, or a serial port's DTR on a board):
    // the bootloader starts and sees an external reset in MCUSR.
    void ExternalReset();
    // Starts the program in flash afresh, as the bootloader does after
    // programming, with the buttons held as before.
    void RestartProgram();
    // The bootloader has handed over to the program since the last reset.
    bool ProgramRunning() const { return programRunning_; }
    // The cycle at which it did.
    std::uint64_t ProgramStartCycle() const { return programStartCycle_; }
    // The simulator's core, for what drives the chip from outside (a serial line).
    ::avr_t* Core() { return avr_; }

    const Chip& Model() const { return model_; }

    // The chip's own port (A to D) as the program last wrote it: what it drives out.
    std::uint8_t PortOutput(char port) const;
    // Its data direction register: a set bit drives the pin.
    std::uint8_t PortDirections(char port) const;
    // Records every write to the I/O register at data address `address`, from now on.
    void WatchRegister(std::uint16_t address);
    struct RegisterWrite {
        std::uint64_t cycle;
        std::uint16_t address;
        std::uint8_t value;
    };
    const std::vector<RegisterWrite>& RegisterWrites() const { return registerWrites_; }
    // The chip's serial line: bytes go to its UART as fast as it takes them,
    // in the order given; what it sent comes back, oldest first.
    void SendSerial(const std::vector<std::uint8_t>& bytes);
    std::vector<std::uint8_t> TakeSerialOutput();
    // Forgets the bytes not yet taken by the UART, as a reset of the line does.
    void DropSerialInput();

  private:
    static void OnPortWrite(::avr_irq_t* irq, std::uint32_t value, void* param);
    static void OnRegisterWrite(::avr_irq_t* irq, std::uint32_t value, void* param);
    // The cube's wires as the ATmega8535's ports A and C, from the chip's ports.
    void Translate();

    struct Listener {
        CubeChip* chip;
        char port;
    };
    Chip model_;
    PinWiring wiring_;
    // The wires read from the wiring's pins (a board, the user's wiring), not
    // as the ATmega8535's ports A and C written.
    bool translated_;
    avr_t* avr_ = nullptr;
    std::array<Listener, 4> listeners_{};  // on ports A to D, those the wires are on
    std::array<std::uint8_t, 4> ports_{};  // the chip's ports A to D as last written
    std::uint8_t cubeA_ = 0;
    std::uint8_t cubeC_ = 0;
    std::vector<PortWrite> pending_;
    struct Watch {
        CubeChip* chip;
        std::uint16_t address;
    };
    std::vector<std::unique_ptr<Watch>> watches_;
    std::vector<RegisterWrite> registerWrites_;
    struct Serial {
        std::deque<std::uint8_t> toChip;
        std::vector<std::uint8_t> fromChip;
        bool room = true;
    };
    std::unique_ptr<Serial> serial_;  // once SendSerial or TakeSerialOutput is used
    void OpenSerial();
    void FeedSerial();
    bool stopped_ = false;
    bool passOver_ = true;
    std::uint64_t passedOver_ = 0;
    std::array<bool, 3> held_{};
    std::uint32_t bootStart_ = 0;  // 0: no bootloader
    bool inBootloader_ = false;
    bool programRunning_ = false;
    std::uint64_t programStartCycle_ = 0;
    // What the bootloader does when it hands over to the program: clears the
    // reset flags, turns the watchdog off and the buttons' lines stay driven.
    void ProgramStarts();
    // After a reset: the wires as at power-up, and no writes from before.
    void ForgetWires();
    // A reset forgets the levels driven onto the pins: each button's line swings once.
    void DriveButtonsAgain();
};

// Runs a cube program (an Intel HEX) with the push buttons held at one
// combination for `ms` milliseconds of cube time, and records every write to
// ports A and C.
// The first `ms` milliseconds of a run.
PortTrace TracePrefix(const PortTrace& trace, double ms);

PortTrace RunFirmware(const std::filesystem::path& hex, SwitchCombination buttons, double ms,
                      const Chip& chip = kAtmega8535);

}  // namespace ledcube::chip
