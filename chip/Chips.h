// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "firmware/PassTiming.h"

namespace ledcube::chip {

// How a chip is wired to the cube.
enum class Wiring {
    Atmega8535,  // the cube's own chip: the program's pins, our register header
    FortyPin,    // the 40-pin family, same pins: avr-libc's registers, JTAG switched off
    Arduino,     // the Uno and Nano's header pins: LEDs on D2-D10, layers A0-A2, buttons A3-A5
};

// Where a wire of the cube is on a chip: the port letter and bit.
struct Pin {
    char port;
    int bit;
    bool operator==(const Pin&) const = default;
};

// The pins the cube's 15 lines are on and the levels at which they act: the
// LEDs lit, a layer selected, a button pressed.
struct PinWiring {
    std::array<Pin, 9> leds{};
    std::array<Pin, 3> layers{};
    std::array<Pin, 3> buttons{};
    bool ledsLitHigh = false;
    bool layersOnHigh = true;
    bool buttonsPressedHigh = true;
    std::array<char, 64> name{};  // what the user calls it ("mycube"), NUL-terminated
    bool operator==(const PinWiring&) const = default;
};

// A chip (or board) the firmware is built for, with the clock it runs at.
struct Chip {
    const char* id;           // the --chip name: "atmega8535", "uno"
    const char* name;         // "ATmega8535", "Arduino Uno (ATmega328P)"
    const char* mcu;          // avr-gcc's -mmcu
    const char* simCore;      // the simavr core that runs it
    const char* avrdudePart;  // avrdude's -p
    int flashBytes;           // for the program (a board's bootloader left out)
    int ramBytes;
    unsigned clockHz;  // as delivered, or as --clock says
    Wiring wiring;
    const char* programmer;  // avrdude's -c by default
    int baud;                // the bootloader's speed, 0 for an ISP programmer
    const char* port;        // the bootloader's serial port, "" for an ISP programmer
    // The user's wiring; none: the chip's own (see DefaultWiring).
    std::optional<PinWiring> pins{};

    bool operator==(const Chip& other) const {
        return std::string_view(id) == other.id && clockHz == other.clockHz && pins == other.pins;
    }
};

inline constexpr unsigned kFactoryClockHz = kCubeChipClockHz;  // the 40-pin chips' RC oscillator
inline constexpr unsigned kBoardClockHz = 16000000;            // the Arduino boards' crystal

inline constexpr Chip kAtmega8535{
    "atmega8535", "ATmega8535",    "atmega8535",       "atmega16", "m8535", 8192,
    512,          kFactoryClockHz, Wiring::Atmega8535, "usbasp",   0,       ""};
inline constexpr Chip kAtmega16{"atmega16", "ATmega16", "atmega16",      "atmega16",       "m16",
                                16384,      1024,       kFactoryClockHz, Wiring::FortyPin, "usbasp",
                                0,          ""};
inline constexpr Chip kAtmega32{"atmega32", "ATmega32", "atmega32",      "atmega32",       "m32",
                                32768,      2048,       kFactoryClockHz, Wiring::FortyPin, "usbasp",
                                0,          ""};
inline constexpr Chip kAtmega164p{
    "atmega164p", "ATmega164P",    "atmega164p",     "atmega164p", "m164p", 16384,
    1024,         kFactoryClockHz, Wiring::FortyPin, "usbasp",     0,       ""};
inline constexpr Chip kAtmega324p{
    "atmega324p", "ATmega324P",    "atmega324p",     "atmega324p", "m324p", 32768,
    2048,         kFactoryClockHz, Wiring::FortyPin, "usbasp",     0,       ""};
inline constexpr Chip kAtmega644p{
    "atmega644p", "ATmega644P",    "atmega644p",     "atmega644p", "m644p", 65536,
    4096,         kFactoryClockHz, Wiring::FortyPin, "usbasp",     0,       ""};
inline constexpr Chip kAtmega1284p{
    "atmega1284p", "ATmega1284P",   "atmega1284p",    "atmega1284p", "m1284p", 131072,
    16384,         kFactoryClockHz, Wiring::FortyPin, "usbasp",      0,        ""};
// The boards' bootloaders keep the top of the flash: 512 bytes (Uno, Nano), 2 KB (older Nanos).
inline constexpr Chip kUno{"uno",
                           "Arduino Uno (ATmega328P)",
                           "atmega328p",
                           "atmega328p",
                           "m328p",
                           32768 - 512,
                           2048,
                           kBoardClockHz,
                           Wiring::Arduino,
                           "arduino",
                           115200,
                           "/dev/ttyACM0"};
inline constexpr Chip kNano{"nano",
                            "Arduino Nano (ATmega328P)",
                            "atmega328p",
                            "atmega328p",
                            "m328p",
                            32768 - 512,
                            2048,
                            kBoardClockHz,
                            Wiring::Arduino,
                            "arduino",
                            115200,
                            "/dev/ttyUSB0"};
inline constexpr Chip kNanoOld{"nano-old",
                               "Arduino Nano, old bootloader (ATmega328P)",
                               "atmega328p",
                               "atmega328p",
                               "m328p",
                               32768 - 2048,
                               2048,
                               kBoardClockHz,
                               Wiring::Arduino,
                               "arduino",
                               57600,
                               "/dev/ttyUSB0"};

// Every chip and board, the cube's own first.
std::span<const Chip> Chips();

// The chip of a --chip name, any letter case; none when unknown.
std::optional<Chip> ChipNamed(std::string_view id);

// "atmega8535, atmega16, ..., nano-old"
std::string ChipNames();

// The chip running at another clock.
Chip WithClock(Chip chip, unsigned clockHz);

// "1 MHz", "16 MHz", "8.5 MHz"
std::string ClockText(unsigned clockHz);

// LED line k (1 to 9), the layer lines (1 to 3) and the buttons (1 to 3).
Pin LedPin(Wiring wiring, int k);
Pin LayerPin(Wiring wiring, int layer);
Pin ButtonPin(Wiring wiring, int button);

// What each kind of chip has today: on the 40-pin chips the generated file's
// pins, on the boards the header's D2-D10, A0-A2, A3-A5; LEDs lit low,
// layers on high, buttons pressed high.
PinWiring DefaultWiring(Wiring wiring);
// The wiring a build for the chip uses: the user's, else its default.
PinWiring WiringOf(const Chip& chip);
// The chip wired the user's way.
Chip WithWiring(Chip chip, const PinWiring& wiring);
// The wiring's name, shortened to what it holds.
void NameWiring(PinWiring& wiring, std::string_view name);
std::string WiringName(const PinWiring& wiring);

}  // namespace ledcube::chip
