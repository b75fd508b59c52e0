// SPDX-License-Identifier: GPL-3.0-or-later
#include "chip/ChipSource.h"

#include <array>
#include <cstdio>

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

std::size_t Find(const std::string& text, std::string_view what) {
    const std::size_t at = text.find(what);
    if (at == std::string::npos)
        throw program::SimError(
            "a build for another chip or wiring needs the program's header as the editor writes "
            "it; this one was edited by hand");
    return at;
}

void Replace(std::string& text, std::string_view from, const std::string& to) {
    text.replace(Find(text, from), from.size(), to);
}

// The two lines `a` and `b` (of the same length) change places.
void Swap(std::string& text, const std::string& a, const std::string& b) {
    const std::size_t atA = Find(text, a);
    const std::size_t atB = Find(text, b);
    text.replace(atA, a.size(), b);
    text.replace(atB, b.size(), a);
}

// The cube's wires moved to the wiring's pins in the #define lines.
void DefinePins(std::string& text, const PinWiring& wiring) {
    const PinWiring cube = DefaultWiring(Wiring::Atmega8535);
    const auto move = [&](const std::string& name, Pin from, Pin to, bool input) {
        Replace(text, "#define " + name + " " + PinText(from, input) + "\n",
                "#define " + name + " " + PinText(to, input) + "\n");
    };
    for (std::size_t k = 0; k < 9; ++k)
        move("LED" + std::to_string(k + 1), cube.leds[k], wiring.leds[k], false);
    for (std::size_t n = 0; n < 3; ++n) {
        move("Etage" + std::to_string(n + 1), cube.layers[n], wiring.layers[n], false);
        move("BP" + std::to_string(n + 1), cube.buttons[n], wiring.buttons[n], true);
    }
}

// The cube's wires moved to the board's pins, in the #define lines and the set-up.
std::string OnBoardPins(std::string text, Wiring wiring) {
    DefinePins(text, DefaultWiring(wiring));
    Replace(text, kCubeSetUp, std::string(kBoardSetUp));
    return text;
}

// The ports' set-up for a wiring, in the twelve lines of the program's:
// each port's outputs driven (LEDs dark, layers off) before they are made
// outputs, the pull-ups on where a pressed button reads low.
std::string WiredSetUp(const PinWiring& wiring, bool portA) {
    std::array<unsigned, 4> levels{};
    std::array<unsigned, 4> outputs{};
    const auto set = [](std::array<unsigned, 4>& bits, Pin pin, bool on) {
        if (on) bits[static_cast<std::size_t>(pin.port - 'A')] |= 1u << pin.bit;
    };
    for (const Pin pin : wiring.leds) {
        set(levels, pin, !wiring.ledsLitHigh);
        set(outputs, pin, true);
    }
    for (const Pin pin : wiring.layers) {
        set(levels, pin, !wiring.layersOnHigh);
        set(outputs, pin, true);
    }
    for (const Pin pin : wiring.buttons) set(levels, pin, !wiring.buttonsPressedHigh);
    std::string text;
    int lines = 0;
    for (const char port : {'A', 'B', 'C', 'D'}) {
        if (port == 'A' && !portA) continue;
        const auto index = static_cast<std::size_t>(port - 'A');
        char setUp[64];
        std::snprintf(setUp, sizeof setUp, "PORT%c=0x%02X;\nDDR%c=0x%02X;\n", port, levels[index],
                      port, outputs[index]);
        text += setUp;
        lines += 2;
    }
    text += "MCUCR=0x00;\nMCUCSR=0x00;\n";
    for (lines += 2; lines < 12; ++lines) text += ";\n";
    return text;
}

// The user's wiring: pins, set-up, and the levels the layer and LED functions
// drive and the button tests read, each line where it stood.
std::string OnWiredPins(std::string text, const Chip& chip, const PinWiring& wiring) {
    DefinePins(text, wiring);
    Replace(text, kCubeSetUp, WiredSetUp(wiring, chip.wiring != Wiring::Arduino));
    for (int n = 1; n <= 3 && !wiring.layersOnHigh; ++n)
        Swap(text, "Etage" + std::to_string(n) + "=1;\n", "Etage" + std::to_string(n) + "=0;\n");
    for (int k = 1; k <= 9 && wiring.ledsLitHigh; ++k)
        Swap(text, "LED" + std::to_string(k) + "=0;\n", "LED" + std::to_string(k) + "=1;\n");
    if (!wiring.buttonsPressedHigh) {
        // Every test of a button: BP1==1 (pressed) reads BP1==0, and the other way round.
        for (std::size_t at = text.find("BP"); at != std::string::npos;
             at = text.find("BP", at + 1))
            if (at + 5 < text.size() && text[at + 2] >= '1' && text[at + 2] <= '3' &&
                text.compare(at + 3, 2, "==") == 0 && (text[at + 5] == '0' || text[at + 5] == '1'))
                text[at + 5] = text[at + 5] == '0' ? '1' : '0';
    }
    return text;
}

}  // namespace

std::string SourceForChip(std::string_view program, const Chip& chip) {
    std::string text(program);
    if (chip.pins)
        text = OnWiredPins(std::move(text), chip, *chip.pins);
    else if (chip.wiring == Wiring::Arduino)
        text = OnBoardPins(std::move(text), chip.wiring);
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
