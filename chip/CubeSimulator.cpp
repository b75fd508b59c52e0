// SPDX-License-Identifier: GPL-3.0-or-later
#include "chip/CubeSimulator.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "base/Language.h"
#include "chip/DelayLoop.h"
#include "chip/FirmwareBuild.h"
#include "firmware/Buttons.h"
#include "program/SimError.h"

extern "C" {
#include <simavr/avr_extint.h>
#include <simavr/avr_ioport.h>
#include <simavr/sim_avr.h>
#include <simavr/sim_interrupts.h>
}

namespace ledcube::chip {

namespace {

// simavr's messages below errors (what it loaded, and so on) are not for our users.
void QuietLogger(avr_t*, const int level, const char* format, va_list arguments) {
    if (level <= LOG_ERROR) std::vfprintf(stderr, format, arguments);
}

}  // namespace

CubeChip::CubeChip(const std::filesystem::path& hex, const Chip& chip)
    : model_(chip),
      wiring_(WiringOf(chip)),
      translated_(chip.pins.has_value() || chip.wiring == Wiring::Arduino) {
    const char* passOver = std::getenv("LEDCUBE_PASS_OVER");
    passOver_ = passOver == nullptr || std::string_view(passOver) != "0";
    const std::vector<HexChunk> chunks = ReadIntelHex(hex);
    avr_global_logger_set(QuietLogger);
    avr_ = avr_make_mcu_by_name(chip.simCore);
    if (avr_ == nullptr)
        throw program::SimError(std::string("the simulator has no core ") + chip.simCore);
    avr_init(avr_);
    avr_->log = LOG_ERROR;
    avr_->frequency = chip.clockHz;
    // Asleep (the compact build's waits), the chip moves on to its next event
    // at once: simavr's own callback would also wait in real time, and those
    // who need real time (the player, the simulated board) pace the chip themselves.
    avr_->sleep = [](avr_t*, avr_cycle_count_t) {};
    // An external interrupt's level mode polls its pin every cycle while it
    // is low (the LED line on D2 of a board, BP3 on the 40-pin chips); the
    // cube's programs enable no external interrupt, and the chip itself latches no
    // flag for a level: the pin's edges are enough.
    for (std::uint8_t line = 0; line < EXTINT_COUNT; ++line)
        avr_extint_set_strict_lvl_trig(avr_, line, 0);
    // On the ATmega8535 the program counter wraps around its 8 KB, and the
    // linker uses that: a relative jump or call over more than 4 KB goes the
    // other way round. The ATmega16 has 16 KB, so an ATmega8535 build is loaded
    // twice, at 0 and at 8 KB: a jump that would wrap lands on the same code there.
    std::vector<std::uint32_t> bases = {0};
    if (chip.wiring == Wiring::Atmega8535) bases.push_back(kChipFlashBytes);
    // Its vectors are one word each (rjmp), the ATmega16's two, in the same order.
    if (chip.wiring == Wiring::Atmega8535) avr_->vector_size = 2;
    for (const HexChunk& chunk : chunks) {
        // The ATmega8535's 8 KB on the larger core; another chip's whole flash.
        const std::size_t flash = chip.wiring == Wiring::Atmega8535
                                      ? static_cast<std::size_t>(chip.flashBytes)
                                      : static_cast<std::size_t>(avr_->flashend) + 1;
        if (chunk.address + chunk.bytes.size() > flash) {
            avr_terminate(avr_);
            throw program::SimError(
                Tr("Simulator", "the HEX does not fit the flash of the %1").Arg(chip.name));
        }
        for (const std::uint32_t base : bases) {
            avr_loadcode(avr_, const_cast<std::uint8_t*>(chunk.bytes.data()),
                         static_cast<std::uint32_t>(chunk.bytes.size()), base + chunk.address);
            avr_->codeend = std::max<std::uint32_t>(
                avr_->codeend,
                base + chunk.address + static_cast<std::uint32_t>(chunk.bytes.size()));
        }
    }
    // The ports the cube's wires are on: the ATmega8535's own A and C as
    // written, or, on a board and in the user's wiring, whichever the lines are on.
    if (translated_) {
        for (int line = 0; line < 12; ++line) {
            const char port = (line < 9 ? wiring_.leds[static_cast<std::size_t>(line)]
                                        : wiring_.layers[static_cast<std::size_t>(line - 9)])
                                  .port;
            listeners_[static_cast<std::size_t>(port - 'A')] = Listener{this, port};
        }
    } else {
        listeners_[0] = Listener{this, 'A'};
        listeners_[2] = Listener{this, 'C'};
    }
    for (Listener& listener : listeners_)
        if (listener.chip != nullptr)
            avr_irq_register_notify(
                avr_io_getirq(avr_, AVR_IOCTL_IOPORT_GETIRQ(listener.port), IOPORT_IRQ_REG_PORT),
                OnPortWrite, &listener);
    HoldButtons(std::array<bool, 3>{});
}

void CubeChip::Translate() {
    const auto level = [this](Pin pin) { return (ports_[pin.port - 'A'] >> pin.bit) & 1; };
    std::uint8_t a = 0;
    std::uint8_t c = 0;
    // Each wire at its place on the ATmega8535, at its levels there: an LED
    // lit low, a layer on high.
    const int dark = wiring_.ledsLitHigh ? 1 : 0;
    const int off = wiring_.layersOnHigh ? 0 : 1;
    for (int k = 1; k <= 9; ++k) {
        const Pin cube = LedPin(Wiring::Atmega8535, k);
        (cube.port == 'A' ? a : c) |= static_cast<std::uint8_t>(
            (level(wiring_.leds[static_cast<std::size_t>(k - 1)]) ^ dark) << cube.bit);
    }
    for (int layer = 1; layer <= 3; ++layer)
        a |= static_cast<std::uint8_t>(
            (level(wiring_.layers[static_cast<std::size_t>(layer - 1)]) ^ off)
            << LayerPin(Wiring::Atmega8535, layer).bit);
    const std::uint64_t cycle = avr_->cycle;
    if (a != cubeA_) pending_.push_back({cycle, 'A', cubeA_ = a});
    if (c != cubeC_) pending_.push_back({cycle, 'C', cubeC_ = c});
}

CubeChip::~CubeChip() {
    avr_terminate(avr_);
}

void CubeChip::OnPortWrite(avr_irq_t*, std::uint32_t value, void* param) {
    const auto* listener = static_cast<Listener*>(param);
    CubeChip& chip = *listener->chip;
    if (!chip.translated_) {
        // The cube's own ports: every write as it comes.
        chip.pending_.push_back(
            {chip.avr_->cycle, listener->port, static_cast<std::uint8_t>(value)});
        return;
    }
    chip.ports_[listener->port - 'A'] = static_cast<std::uint8_t>(value);
    chip.Translate();
}

namespace {

avr_ioport_state_t PortState(avr_t* avr, const Chip& chip, char port) {
    avr_ioport_state_t state{};
    if (avr_ioctl(avr, AVR_IOCTL_IOPORT_GETSTATE(port), &state) != 0)
        throw program::SimError(std::string("the ") + chip.name + " has no port " + port);
    return state;
}

}  // namespace

std::uint8_t CubeChip::PortOutput(char port) const {
    return static_cast<std::uint8_t>(PortState(avr_, model_, port).port);
}

std::uint8_t CubeChip::PortDirections(char port) const {
    return static_cast<std::uint8_t>(PortState(avr_, model_, port).ddr);
}

namespace {

// The ATmega328P's reset flags and watchdog control, in data space.
constexpr std::uint16_t kMcusr = 0x54;
constexpr std::uint16_t kWdtcsr = 0x60;
constexpr std::uint8_t kWatchdogChangeEnable = 0x18;  // WDCE and WDE

}  // namespace

void CubeChip::ForgetWires() {
    // The reset clears the port registers, but each port's IRQ keeps its last
    // value and the program's first write of that value would go unseen: the
    // IRQs are brought to the registers' value too.
    for (const Listener& listener : listeners_)
        if (listener.chip != nullptr)
            avr_raise_irq(
                avr_io_getirq(avr_, AVR_IOCTL_IOPORT_GETIRQ(listener.port), IOPORT_IRQ_REG_PORT),
                0);
    ports_ = {};
    cubeA_ = 0;
    cubeC_ = 0;
    pending_.clear();
}

void CubeChip::ProgramStarts() {
    // simavr's watchdog can stay armed after the reset that ends programming,
    // which the bootloader would have switched off: the timed sequence does it.
    avr_core_watch_write(avr_, kMcusr, 0);
    avr_core_watch_write(avr_, kWdtcsr, kWatchdogChangeEnable);
    avr_core_watch_write(avr_, kWdtcsr, 0);
    programRunning_ = true;
    programStartCycle_ = avr_->cycle;
    inBootloader_ = false;
    DriveButtonsAgain();
}

void CubeChip::DriveButtonsAgain() {
    const std::array<bool, 3> held = held_;
    HoldButtons(std::array<bool, 3>{!held[0], !held[1], !held[2]});
    HoldButtons(held);
}

void CubeChip::HoldButtons(std::array<bool, 3> held) {
    held_ = held;
    // A button drives its pin, held at the pressed level and released at the
    // other, whatever the pull-ups the program switches on.
    for (const char port : {'A', 'B', 'C', 'D'}) {
        avr_ioport_external_t external{};
        external.name = port;
        for (int b = 0; b < 3; ++b) {
            const Pin pin = wiring_.buttons[static_cast<std::size_t>(b)];
            if (pin.port != port) continue;
            external.mask |= 1u << pin.bit;
            external.value |= static_cast<unsigned>(held[b] == wiring_.buttonsPressedHigh)
                              << pin.bit;
        }
        if (external.mask == 0) continue;
        avr_ioctl(avr_, AVR_IOCTL_IOPORT_SET_EXTERNAL(port), &external);
        for (int b = 0; b < 3; ++b) {
            const Pin pin = wiring_.buttons[static_cast<std::size_t>(b)];
            if (pin.port == port)
                avr_raise_irq(avr_io_getirq(avr_, AVR_IOCTL_IOPORT_GETIRQ(port), pin.bit),
                              held[b] == wiring_.buttonsPressedHigh ? 1 : 0);
        }
    }
}

void CubeChip::HoldButtons(SwitchCombination combination) {
    HoldButtons(BitsToButtons(ButtonBits(combination)));
}

bool CubeChip::PassOverDelay(std::uint64_t end) {
    // Most instructions are no loop's first: its high byte tells at once (sbiw, dec).
    const std::uint8_t high = avr_->flash[avr_->pc + 1];
    if (high != 0x97 && (high & 0xFE) != 0x94) return false;
    if (avr_->state != cpu_Running) return false;
    // An interrupt pending, or one that may become so, is served as it comes.
    if (avr_->sreg[S_I] != 0 && (avr_->interrupt_state != 0 || avr_has_pending_interrupts(avr_)))
        return false;
    const std::optional<DelayLoop> loop =
        DelayLoopAt(avr_->flash, static_cast<std::uint32_t>(avr_->flashend) + 1, avr_->pc);
    if (!loop) return false;
    // The simulator's next event (a timer, the serial line, the watchdog) comes at its cycle.
    std::uint64_t limit = end;
    if (avr_->cycle_timers.timer != nullptr)
        limit = std::min<std::uint64_t>(limit, avr_->cycle_timers.timer->when);
    if (limit <= avr_->cycle) return false;
    std::uint8_t* counter = &avr_->data[loop->counter];
    const std::uint32_t value = loop->width == 1 ? counter[0] : counter[0] | counter[1] << 8;
    const std::uint32_t iterations = IterationsToPass(*loop, value, limit - avr_->cycle);
    if (iterations == 0) return false;
    StatusFlags flags{};
    std::copy(std::begin(avr_->sreg), std::end(avr_->sreg), flags.begin());
    const LoopPass pass = PassIterations(*loop, value, iterations, flags);
    counter[0] = static_cast<std::uint8_t>(pass.counter);
    if (loop->width == 2) counter[1] = static_cast<std::uint8_t>(pass.counter >> 8);
    std::copy(pass.flags.begin(), pass.flags.end(), std::begin(avr_->sreg));
    avr_->cycle += pass.cycles;
    passedOver_ += pass.cycles;
    return true;
}

CubeChip::CoreState CubeChip::State() const {
    CoreState state{};
    std::copy(avr_->data, avr_->data + 32, state.registers.begin());
    std::copy(std::begin(avr_->sreg), std::end(avr_->sreg), state.flags.begin());
    state.stack = static_cast<std::uint16_t>(avr_->data[R_SPL] | avr_->data[R_SPH] << 8);
    state.pc = avr_->pc;
    state.cycle = avr_->cycle;
    return state;
}

std::vector<PortWrite> CubeChip::Run(std::uint64_t cycles) {
    std::uint64_t end = avr_->cycle + cycles;
    while (!stopped_ && avr_->cycle < end) {
        if (passOver_) PassOverDelay(end);
        const std::uint64_t before = avr_->cycle;
        const int state = avr_run(avr_);
        // A reset (the watchdog's) starts the count again: the rest of the run from there.
        if (avr_->cycle < before) end = avr_->cycle + (end - before);
        stopped_ = state == cpu_Done || state == cpu_Crashed;
        if (bootStart_ != 0) {
            // The bootloader jumps to address 0 to start the program.
            if (inBootloader_ && avr_->pc == 0) ProgramStarts();
            inBootloader_ = avr_->pc >= bootStart_;
        }
    }
    std::vector<PortWrite> writes;
    writes.swap(pending_);
    return writes;
}

std::uint64_t CubeChip::Cycle() const {
    return avr_->cycle;
}

PortTrace TracePrefix(const PortTrace& trace, double ms) {
    const auto end =
        std::min(trace.endCycle, static_cast<std::uint64_t>(ms * trace.frequency / 1000.0));
    PortTrace prefix{trace.frequency, end, {}};
    for (const PortWrite& write : trace.writes)
        if (write.cycle < end) prefix.writes.push_back(write);
    return prefix;
}

PortTrace RunFirmware(const std::filesystem::path& hex, SwitchCombination buttons, double ms,
                      const Chip& model) {
    CubeChip chip(hex, model);
    chip.HoldButtons(buttons);
    PortTrace trace{model.clockHz, 0, {}};
    const auto end = static_cast<std::uint64_t>(ms * model.clockHz / 1000.0);
    while (chip.Cycle() < end && !chip.Stopped()) {
        // A second of cube time at a time keeps the pending writes small.
        std::vector<PortWrite> writes =
            chip.Run(std::min<std::uint64_t>(end - chip.Cycle(), model.clockHz));
        trace.writes.insert(trace.writes.end(), writes.begin(), writes.end());
    }
    trace.endCycle = chip.Cycle();
    return trace;
}

}  // namespace ledcube::chip
