// SPDX-License-Identifier: GPL-3.0-or-later
// What a board adds to the chip: its bootloader, the resets from outside and
// its serial line (the live program's too, proven before it is flashed).
#include "chip/CubeSimulator.h"

extern "C" {
#include <simavr/avr_uart.h>
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

void CubeChip::OpenSerial() {
    if (serial_) return;
    serial_ = std::make_unique<Serial>();
    std::uint32_t flags = 0;
    avr_ioctl(avr_, AVR_IOCTL_UART_GET_FLAGS('0'), &flags);
    flags &= ~AVR_UART_FLAG_STDIO;
    avr_ioctl(avr_, AVR_IOCTL_UART_SET_FLAGS('0'), &flags);
    avr_irq_register_notify(
        avr_io_getirq(avr_, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_OUTPUT),
        [](avr_irq_t*, std::uint32_t value, void* param) {
            static_cast<Serial*>(param)->fromChip.push_back(static_cast<std::uint8_t>(value));
        },
        serial_.get());
    avr_irq_register_notify(
        avr_io_getirq(avr_, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_OUT_XON),
        [](avr_irq_t*, std::uint32_t, void* param) {
            auto* chip = static_cast<CubeChip*>(param);
            chip->serial_->room = true;
            chip->FeedSerial();
        },
        this);
    avr_irq_register_notify(
        avr_io_getirq(avr_, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_OUT_XOFF),
        [](avr_irq_t*, std::uint32_t, void* param) { static_cast<Serial*>(param)->room = false; },
        serial_.get());
}

void CubeChip::FeedSerial() {
    avr_irq_t* input = avr_io_getirq(avr_, AVR_IOCTL_UART_GETIRQ('0'), UART_IRQ_INPUT);
    while (serial_->room && !serial_->toChip.empty()) {
        const std::uint8_t byte = serial_->toChip.front();
        serial_->toChip.pop_front();
        avr_raise_irq(input, byte);
    }
}

void CubeChip::SendSerial(const std::vector<std::uint8_t>& bytes) {
    OpenSerial();
    serial_->toChip.insert(serial_->toChip.end(), bytes.begin(), bytes.end());
    FeedSerial();
}

void CubeChip::DropSerialInput() {
    OpenSerial();
    serial_->toChip.clear();
    serial_->room = true;
}

std::vector<std::uint8_t> CubeChip::TakeSerialOutput() {
    OpenSerial();
    std::vector<std::uint8_t> out;
    out.swap(serial_->fromChip);
    return out;
}

}  // namespace ledcube::chip
