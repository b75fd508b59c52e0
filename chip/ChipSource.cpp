// SPDX-License-Identifier: GPL-3.0-or-later
#include "chip/ChipSource.h"

#include "firmware/FirmwareText.h"
#include "program/SimError.h"
#include "program/SourceRewrite.h"

namespace ledcube::chip {

namespace {

constexpr std::string_view kMainStart = "void main(void)\n{\nint i=0;\n";

// The ports' set-up in the program's header, as the editor writes it.
constexpr std::string_view kCubeSetUp =
    "PORTA=0x00;\nDDRA=0xFF;\nPORTB=0x00;\nDDRB=0x00;\nPORTC=0x00;\nDDRC=0xFF;\nPORTD=0x07;\n"
    "DDRD=0x00;\nMCUCR=0x00;\nMCUCSR=0x00;\nPORTA=0b00000111;\nPORTC=0b00111111;\n";
// The same on the boards, line for line: LEDs dark (high), layers off (low),
// pull-ups on the buttons; D0 and D1 left to the USB serial.
constexpr std::string_view kBoardSetUp =
    "PORTB=0x07;\nDDRB=0x07;\nPORTC=0x38;\nDDRC=0x07;\nPORTD=0xFC;\nDDRD=0xFC;\n;\n;\n"
    "MCUCR=0x00;\nMCUCSR=0x00;\n;\n;\n";

std::string PinText(Pin pin, bool input) {
    return std::string(input ? "PIN" : "PORT") + pin.port + "." + std::to_string(pin.bit);
}

void Replace(std::string& text, std::string_view from, const std::string& to) {
    const std::size_t at = text.find(from);
    if (at == std::string::npos)
        throw program::SimError(
            "the Arduino build needs the program's header as the editor writes it; this one was "
            "edited by hand");
    text.replace(at, from.size(), to);
}

// The cube's wires moved to the board's pins, in the #define lines and the set-up.
std::string OnBoardPins(std::string text, Wiring wiring) {
    for (int k = 1; k <= 9; ++k)
        Replace(text,
                "#define LED" + std::to_string(k) + " " +
                    PinText(LedPin(Wiring::Atmega8535, k), false) + "\n",
                "#define LED" + std::to_string(k) + " " + PinText(LedPin(wiring, k), false) + "\n");
    for (int layer = 1; layer <= 3; ++layer)
        Replace(text,
                "#define Etage" + std::to_string(layer) + " " +
                    PinText(LayerPin(Wiring::Atmega8535, layer), false) + "\n",
                "#define Etage" + std::to_string(layer) + " " +
                    PinText(LayerPin(wiring, layer), false) + "\n");
    for (int button = 1; button <= 3; ++button)
        Replace(text,
                "#define BP" + std::to_string(button) + " " +
                    PinText(ButtonPin(Wiring::Atmega8535, button), true) + "\n",
                "#define BP" + std::to_string(button) + " " +
                    PinText(ButtonPin(wiring, button), true) + "\n");
    Replace(text, kCubeSetUp, std::string(kBoardSetUp));
    return text;
}

}  // namespace

std::string SourceForChip(std::string_view program, const Chip& chip) {
    std::string text(program);
    if (chip.wiring == Wiring::Arduino) text = OnBoardPins(std::move(text), chip.wiring);
    if (chip.wiring == Wiring::FortyPin) {
        // On the same line as "int i=0;", so that line numbers do not move.
        const std::size_t at = text.find(kMainStart);
        if (at != std::string::npos)
            text.insert(at + kMainStart.size() - 1, " LEDCUBE_JTAG_OFF();");
    }
    return program::RewriteBitAccess(text);
}

std::string ChipHeader(const Chip& chip) {
    if (chip.wiring == Wiring::Atmega8535) return program::Mega8535Header();
    return std::string(R"(#ifndef LEDCUBE_MEGA8535_H
#define LEDCUBE_MEGA8535_H
/* The cube's registers under their ATmega8535 names, from avr-libc for the chip built for. */
#include <avr/io.h>
#ifndef MCUCSR
#define MCUCSR MCUSR
#endif
/* JTAG off: JTD written twice within four cycles (in MCUCSR, or MCUCR on the newer chips). */
#if defined(JTD) && defined(__AVR_ATmega16__) || defined(JTD) && defined(__AVR_ATmega32__)
#define LEDCUBE_JTAG_OFF() do { unsigned char v = MCUCSR | (1 << JTD); MCUCSR = v; MCUCSR = v; } while (0)
#elif defined(JTD)
#define LEDCUBE_JTAG_OFF() do { unsigned char v = MCUCR | (1 << JTD); MCUCR = v; MCUCR = v; } while (0)
#else
#define LEDCUBE_JTAG_OFF() do {} while (0)
#endif
)") + std::string(program::kBitAccessMacro) +
           "#endif\n";
}

}  // namespace ledcube::chip
