// SPDX-License-Identifier: GPL-3.0-or-later
// What the simulated board adds to the chip: its bootloader, the resets from
// outside and the watch on the serial line's registers. Built into the board
// library, which the tests, the benchmarks and the pictures link; the
// programs never boot a bootloader.
#include "chip/CubeSimulator.h"

extern "C" {
#include <simavr/sim_avr.h>
#include <simavr/sim_io.h>
}

namespace ledcube::chip {

namespace {

// The ATmega328P's reset flags, in data space.
constexpr std::uint16_t kMcusr = 0x54;
constexpr std::uint8_t kExternalResetFlag = 0x02;

}  // namespace

void CubeChip::WatchRegister(std::uint16_t address) {
    watches_.push_back(std::make_unique<Watch>(Watch{this, address}));
    avr_irq_register_notify(avr_iomem_getirq(avr_, address, nullptr, AVR_IOMEM_IRQ_ALL),
                            OnRegisterWrite, watches_.back().get());
}

void CubeChip::OnRegisterWrite(avr_irq_t*, std::uint32_t value, void* param) {
    const auto* watch = static_cast<Watch*>(param);
    watch->chip->registerWrites_.push_back(
        {watch->chip->avr_->cycle, watch->address, static_cast<std::uint8_t>(value)});
}

void CubeChip::BootFrom(std::uint32_t address) {
    bootStart_ = address;
    avr_->reset_pc = address;
    ExternalReset();
}

void CubeChip::ExternalReset() {
    avr_reset(avr_);
    ForgetWires();
    avr_->pc = bootStart_;
    avr_->data[kMcusr] |= kExternalResetFlag;
    inBootloader_ = true;
    programRunning_ = false;
    stopped_ = false;
    DriveButtonsAgain();
}

void CubeChip::RestartProgram() {
    avr_reset(avr_);
    ForgetWires();
    avr_->pc = 0;
    stopped_ = false;
    ProgramStarts();
}

}  // namespace ledcube::chip
