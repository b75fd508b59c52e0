// SPDX-License-Identifier: GPL-3.0-or-later
#include "chip/CubeSimulator.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "chip/FirmwareBuild.h"
#include "program/SimError.h"

extern "C" {
#include <simavr/avr_ioport.h>
#include <simavr/sim_avr.h>
}

namespace ledcube::sim {

namespace {

// simavr's messages below errors (what it loaded, and so on) are not for our users.
void QuietLogger(avr_t*, const int level, const char* format, va_list arguments) {
    if (level <= LOG_ERROR) std::vfprintf(stderr, format, arguments);
}

}  // namespace

CubeChip::CubeChip(const std::filesystem::path& hex, const Chip& chip) {
    const std::vector<HexChunk> chunks = ReadIntelHex(hex);
    avr_global_logger_set(QuietLogger);
    avr_ = avr_make_mcu_by_name(chip.simCore);
    if (avr_ == nullptr) throw SimError(std::string("the simulator has no core ") + chip.simCore);
    avr_init(avr_);
    avr_->log = LOG_ERROR;
    avr_->frequency = kCpuHertz;
    // On the ATmega8535 the program counter wraps around its 8 KB, and the
    // linker uses that: a relative jump or call over more than 4 KB goes the
    // other way round. The ATmega16 has 16 KB, so an ATmega8535 build is loaded
    // twice, at 0 and at 8 KB: a jump that would wrap lands on the same code there.
    std::vector<std::uint32_t> bases = {0};
    if (chip.flashBytes == kChipFlashBytes) bases.push_back(kChipFlashBytes);
    for (const HexChunk& chunk : chunks) {
        if (chunk.address + chunk.bytes.size() > static_cast<std::size_t>(chip.flashBytes)) {
            avr_terminate(avr_);
            throw SimError("the HEX does not fit the " + std::string(chip.name) + "'s flash");
        }
        for (const std::uint32_t base : bases) {
            avr_loadcode(avr_, const_cast<std::uint8_t*>(chunk.bytes.data()),
                         static_cast<std::uint32_t>(chunk.bytes.size()), base + chunk.address);
            avr_->codeend = std::max<std::uint32_t>(
                avr_->codeend, base + chunk.address + static_cast<std::uint32_t>(chunk.bytes.size()));
        }
    }
    listeners_ = {Listener{this, 'A'}, Listener{this, 'C'}};
    for (Listener& listener : listeners_)
        avr_irq_register_notify(
            avr_io_getirq(avr_, AVR_IOCTL_IOPORT_GETIRQ(listener.port), IOPORT_IRQ_REG_PORT),
            OnPortWrite, &listener);
    HoldButtons(std::array<bool, 3>{});
}

CubeChip::~CubeChip() {
    avr_terminate(avr_);
}

void CubeChip::OnPortWrite(avr_irq_t*, std::uint32_t value, void* param) {
    const auto* listener = static_cast<Listener*>(param);
    listener->chip->pending_.push_back(
        {listener->chip->avr_->cycle, listener->port, static_cast<std::uint8_t>(value)});
}

void CubeChip::HoldButtons(std::array<bool, 3> held) {
    // A held button drives its pin whatever the pull-ups the program switches on.
    avr_ioport_external_t external{};
    external.name = 'D';
    external.mask = 0x07;
    external.value = static_cast<unsigned>(held[0] | held[1] << 1 | held[2] << 2);
    avr_ioctl(avr_, AVR_IOCTL_IOPORT_SET_EXTERNAL('D'), &external);
    for (int pin = 0; pin < 3; ++pin)
        avr_raise_irq(avr_io_getirq(avr_, AVR_IOCTL_IOPORT_GETIRQ('D'), pin), held[pin] ? 1 : 0);
}

void CubeChip::HoldButtons(SwitchCombination combination) {
    HoldButtons(std::array<bool, 3>{combination == SwitchCombination::BP1,
                                    combination == SwitchCombination::BP2,
                                    combination == SwitchCombination::BP3});
}

std::vector<PortWrite> CubeChip::Run(std::uint64_t cycles) {
    const std::uint64_t end = avr_->cycle + cycles;
    while (!stopped_ && avr_->cycle < end) {
        const int state = avr_run(avr_);
        stopped_ = state == cpu_Done || state == cpu_Crashed;
    }
    std::vector<PortWrite> writes;
    writes.swap(pending_);
    return writes;
}

std::uint64_t CubeChip::Cycle() const {
    return avr_->cycle;
}

PortTrace RunFirmware(const std::filesystem::path& hex, SwitchCombination buttons, double ms,
                      const Chip& model) {
    CubeChip chip(hex, model);
    chip.HoldButtons(buttons);
    PortTrace trace{kCpuHertz, 0, {}};
    const auto end = static_cast<std::uint64_t>(ms * kCpuHertz / 1000.0);
    while (chip.Cycle() < end && !chip.Stopped()) {
        // A second of cube time at a time keeps the pending writes small.
        std::vector<PortWrite> writes =
            chip.Run(std::min<std::uint64_t>(end - chip.Cycle(), kCpuHertz));
        trace.writes.insert(trace.writes.end(), writes.begin(), writes.end());
    }
    trace.endCycle = chip.Cycle();
    return trace;
}

}  // namespace ledcube::sim
