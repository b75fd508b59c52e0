#include "sim/CubeSimulator.h"

#include <array>
#include <cstdarg>
#include <cstdio>
#include <memory>

#include "sim/FirmwareBuild.h"
#include "sim/SimError.h"

extern "C" {
#include <simavr/avr_ioport.h>
#include <simavr/sim_avr.h>
#include <simavr/sim_elf.h>
}

namespace ledcube::sim {

namespace {

struct Recorder {
    avr_t* avr;
    char port;
    PortTrace* trace;
};

void OnPortWrite(avr_irq_t*, uint32_t value, void* param) {
    const auto* recorder = static_cast<Recorder*>(param);
    recorder->trace->writes.push_back(
        {recorder->avr->cycle, recorder->port, static_cast<std::uint8_t>(value)});
}

// Levels of PD0, PD1, PD2 for a combination, as the program's tests read them.
std::array<int, 3> ButtonLevels(SwitchCombination buttons) {
    switch (buttons) {
        case SwitchCombination::BP1:
            return {1, 0, 0};
        case SwitchCombination::BP2:
            return {0, 1, 0};
        case SwitchCombination::BP3:
            return {0, 0, 1};
        case SwitchCombination::Aucun:
            return {0, 0, 0};
    }
    return {0, 0, 0};
}

// simavr's messages below errors (what it loaded, and so on) are not for our users.
void QuietLogger(avr_t*, const int level, const char* format, va_list arguments) {
    if (level <= LOG_ERROR) std::vfprintf(stderr, format, arguments);
}

struct AvrDeleter {
    void operator()(avr_t* avr) const { avr_terminate(avr); }
};

}  // namespace

PortTrace RunFirmware(const std::filesystem::path& elf, SwitchCombination buttons, double ms) {
    avr_global_logger_set(QuietLogger);
    elf_firmware_t firmware{};
    if (elf_read_firmware(elf.c_str(), &firmware) != 0)
        throw SimError("cannot load the compiled program " + elf.string());
    std::unique_ptr<avr_t, AvrDeleter> avr(avr_make_mcu_by_name("atmega16"));
    if (!avr) throw SimError("the simulator has no ATmega16 core");
    avr_init(avr.get());
    avr->log = LOG_ERROR;
    firmware.frequency = kCpuHertz;
    avr_load_firmware(avr.get(), &firmware);
    avr->frequency = kCpuHertz;

    PortTrace trace{kCpuHertz, 0, {}};
    Recorder recorders[] = {{avr.get(), 'A', &trace}, {avr.get(), 'C', &trace}};
    for (Recorder& recorder : recorders)
        avr_irq_register_notify(
            avr_io_getirq(avr.get(), AVR_IOCTL_IOPORT_GETIRQ(recorder.port), IOPORT_IRQ_REG_PORT),
            OnPortWrite, &recorder);
    // The buttons drive PD0..PD2 whatever the pull-ups the program switches on.
    const std::array<int, 3> levels = ButtonLevels(buttons);
    avr_ioport_external_t external{};
    external.name = 'D';
    external.mask = 0x07;
    external.value = static_cast<unsigned>(levels[0] | levels[1] << 1 | levels[2] << 2);
    avr_ioctl(avr.get(), AVR_IOCTL_IOPORT_SET_EXTERNAL('D'), &external);
    for (int pin = 0; pin < 3; ++pin)
        avr_raise_irq(avr_io_getirq(avr.get(), AVR_IOCTL_IOPORT_GETIRQ('D'), pin), levels[pin]);

    const auto end = static_cast<std::uint64_t>(ms * kCpuHertz / 1000.0);
    while (avr->cycle < end) {
        const int state = avr_run(avr.get());
        if (state == cpu_Done || state == cpu_Crashed) break;
    }
    trace.endCycle = avr->cycle;
    return trace;
}

}  // namespace ledcube::sim
