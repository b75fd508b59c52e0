// SPDX-License-Identifier: GPL-3.0-or-later
#include "compact/LiveBuild.h"

#include <cmath>
#include <cstdio>

#include "base/Language.h"
#include "chip/CubeSimulator.h"
#include "chip/ShowDecoder.h"
#include "chip/WiringFile.h"
#include "firmware/FirmwareText.h"
#include "program/SimError.h"

namespace ledcube::compact {

namespace {

// Goes before the program's header: the serial line and the protocol.
constexpr const char* kLiveSerial = R"(#include <avr/io.h>
#ifdef UDR0
#define LIVE_UDR UDR0
#define LIVE_UCSRA UCSR0A
#define LIVE_UCSRB UCSR0B
#define LIVE_UBRRL UBRR0L
#define LIVE_UBRRH UBRR0H
#define LIVE_RXC RXC0
#define LIVE_UDRE UDRE0
#define LIVE_U2X U2X0
#define LIVE_RXEN RXEN0
#define LIVE_TXEN TXEN0
#else
#define LIVE_UDR UDR
#define LIVE_UCSRA UCSRA
#define LIVE_UCSRB UCSRB
#define LIVE_UBRRL UBRRL
#define LIVE_UBRRH UBRRH
#define LIVE_RXC RXC
#define LIVE_UDRE UDRE
#define LIVE_U2X U2X
#define LIVE_RXEN RXEN
#define LIVE_TXEN TXEN
#endif
static unsigned char live_cells[27];
static unsigned char live_next[27];
static unsigned char live_new;
static unsigned int live_slot;
static unsigned char live_in[6];
static unsigned char live_got;
static unsigned char live_buttons = 0xFF;
/* What is being said, a byte at a time while the line is read: the chip
   holds two bytes received, and a frame must not be lost to an answer. */
static const char* live_saying;
static unsigned char live_report;
static unsigned char live_crc(const unsigned char* p, unsigned char n)
{
unsigned char crc = 0;
unsigned char k;
while (n--) {
unsigned char b = *p++;
for (k = 0; k < 8; ++k) {
unsigned char flip = ((b >> 7) ^ (crc >> 6)) & 1;
crc = (unsigned char)((crc << 1) & 0x7F);
if (flip) crc ^= 0x09;
b = (unsigned char)(b << 1);
}
}
return crc;
}
static void live_take(unsigned char b)
{
unsigned char k;
if (live_got == 0) {
if (b == LIVE_START) {
live_in[live_got++] = b;
} else if (b == LIVE_QUESTION) {
live_saying = LIVE_HELLO;
}
return;
}
if (b == LIVE_START) {
/* A new frame begins: the one before was cut short. */
live_got = 1;
return;
}
if (b & 0x80) {
/* No byte of a frame but its start has the top bit set. */
live_got = 0;
return;
}
live_in[live_got++] = b;
if (live_got < 6) return;
live_got = 0;
if ((live_in[4] & 0x40) != 0 || live_crc(live_in, 5) != live_in[5]) return;
{
/* No division: a chip at 1 MHz shows the frame within a millisecond. */
unsigned char at = 1;
unsigned char bit = 1;
for (k = 0; k < 27; ++k) {
live_next[k] = (live_in[at] & bit) != 0;
bit = (unsigned char)(bit << 1);
if (bit == 0x80) {
bit = 1;
++at;
}
}
}
live_new = 1;
}
static void live_poll(void)
{
while (LIVE_UCSRA & (1 << LIVE_RXC)) live_take(LIVE_UDR);
if (LIVE_UCSRA & (1 << LIVE_UDRE)) {
if (live_saying) {
LIVE_UDR = (unsigned char)*live_saying++;
if (!*live_saying) live_saying = 0;
} else if (live_report) {
LIVE_UDR = live_report;
live_report = 0;
}
}
}
)";

// The loop, inside the program's main loop: one pass of the three layers.
constexpr const char* kLiveLoop = R"({
unsigned char layer;
unsigned char b;
i = 0;
if (!(LIVE_UCSRB & (1 << LIVE_RXEN))) {
LIVE_UCSRA = 1 << LIVE_U2X;
LIVE_UBRRH = (unsigned char)(LIVE_UBRR >> 8);
LIVE_UBRRL = (unsigned char)LIVE_UBRR;
LIVE_UCSRB = (1 << LIVE_RXEN) | (1 << LIVE_TXEN);
TCCR1B = 2;
live_slot = TCNT1;
}
/* A frame received shows from the next pass on, whole. */
if (live_new) {
live_new = 0;
for (layer = 0; layer < 27; ++layer) live_cells[layer] = live_next[layer];
}
for (layer = 0; layer < 3; ++layer) {
const unsigned char* d = live_cells + layer * 9;
Etage(layer == 0, layer == 1, layer == 2);
Leds(d[0],d[1],d[2],d[3],d[4],d[5],d[6],d[7],d[8]);
/* The slot ends on timer 1 (clock / 8); the line is read all the while. */
while ((unsigned int)(TCNT1 - live_slot) < LIVE_SLOT_TICKS && !live_new) live_poll();
if (live_new) {
/* A new frame starts a pass of its own at once: it lasts from its arrival. */
live_slot = TCNT1;
break;
}
live_slot += LIVE_SLOT_TICKS;
if ((unsigned int)(TCNT1 - live_slot) > LIVE_SLOT_TICKS) live_slot = TCNT1;
}
b = (BP1==1) | ((BP2==1) << 1) | ((BP3==1) << 2);
if (b != live_buttons) {
live_buttons = b;
live_report = LIVE_BUTTONS | b;
}
}
)";

}  // namespace

std::uint8_t LiveCrc(const std::uint8_t* bytes, std::size_t count) {
    std::uint8_t crc = 0;
    for (std::size_t i = 0; i < count; ++i)
        for (int bit = 7; bit >= 0; --bit) {
            const bool flip = (((bytes[i] >> bit) ^ (crc >> 6)) & 1) != 0;
            crc = static_cast<std::uint8_t>((crc << 1) & 0x7F);
            if (flip) crc ^= 0x09;
        }
    return crc;
}

std::vector<std::uint8_t> LiveFrame(const CellState& cells) {
    std::vector<std::uint8_t> frame = {kLiveStart, 0, 0, 0, 0};
    for (int n = 1; n <= kCellCount; ++n)
        if (cells.Get(n))
            frame[static_cast<std::size_t>(1 + (n - 1) / 7)] |=
                static_cast<std::uint8_t>(1u << ((n - 1) % 7));
    frame.push_back(LiveCrc(frame.data(), frame.size()));
    return frame;
}

std::string LiveHello(const chip::Chip& chip) {
    std::string hello = "ledcube-live " + std::to_string(kLiveVersion) + " " + chip.id;
    if (chip.pins) {
        // The wiring's pins and levels, so that a board wired otherwise is told apart.
        std::uint32_t hash = 2166136261u;
        const auto mix = [&hash](unsigned value) { hash = (hash ^ (value & 0xFF)) * 16777619u; };
        for (int line = 0; line < chip::kWiredLines; ++line) {
            const chip::Pin pin = chip::LinePin(*chip.pins, line);
            mix(static_cast<unsigned char>(pin.port));
            mix(static_cast<unsigned>(pin.bit));
        }
        mix(chip.pins->ledsLitHigh);
        mix(chip.pins->layersOnHigh);
        mix(chip.pins->buttonsPressedHigh);
        char wired[16];
        std::snprintf(wired, sizeof wired, " %08x", hash);
        hello += wired;
    }
    return hello + "\n";
}

std::optional<LiveBaud> LiveBaudFor(unsigned clockHz) {
    for (const unsigned baud : {115200u, 57600u, 38400u, 19200u, 9600u}) {
        const long divider = std::lround(clockHz / 8.0 / baud) - 1;
        if (divider < 0 || divider > 4095) continue;
        const double made = clockHz / 8.0 / static_cast<double>(divider + 1);
        if (std::abs(made - baud) / baud <= 0.025)
            return LiveBaud{baud, static_cast<unsigned>(divider)};
    }
    return std::nullopt;
}

std::string LiveSource(const chip::Chip& chip) {
    const std::optional<LiveBaud> baud = LiveBaudFor(chip.clockHz);
    if (!baud)
        throw program::SimError("the " + std::string(chip.name) +
                                " at this clock makes no serial speed of 9600 baud or more");
    // A layer slot of 5 ms in ticks of timer 1 at the clock / 8.
    const unsigned slotTicks = static_cast<unsigned>(std::lround(chip.clockHz * 0.005 / 8));
    char defines[512];
    std::snprintf(defines, sizeof defines,
                  "#define LIVE_START 0x%02X\n#define LIVE_QUESTION 0x%02X\n#define LIVE_BUTTONS "
                  "0x%02X\n#define LIVE_HELLO \"%s\\n\"\n#define LIVE_UBRR %uu\n#define "
                  "LIVE_SLOT_TICKS %uu\n",
                  kLiveStart, kLiveQuestion, kLiveButtons,
                  LiveHello(chip).substr(0, LiveHello(chip).size() - 1).c_str(), baud->ubrr,
                  slotTicks);
    return std::string(defines) + kLiveSerial + ProgramHeader() + kLiveLoop + ProgramClose();
}

std::optional<std::string> LiveProblem(const chip::Chip& chip) {
    if (!LiveBaudFor(chip.clockHz))
        return Tr("live", "the %1 at this clock makes no serial speed of 9600 baud or more")
            .Arg(chip.name)
            .Str();
    const chip::PinWiring wiring = chip::WiringOf(chip);
    for (int line = 0; line < chip::kWiredLines; ++line) {
        const chip::Pin pin = chip::LinePin(wiring, line);
        if (pin.port != 'D' || pin.bit > 1) continue;
        const std::string rxd = chip::PinName(chip, {'D', 0});
        const std::string txd = chip::PinName(chip, {'D', 1});
        return Tr("live",
                  "the %1's wiring puts %2 on %3, but the live program needs %4 and %5 (RXD, "
                  "TXD) for its serial line: choose a wiring that leaves them free")
            .Arg(chip.name)
            .Arg(chip::LineName(line))
            .Arg(chip::PinName(chip, pin))
            .Arg(rxd)
            .Arg(txd)
            .Str();
    }
    return std::nullopt;
}

namespace {

// What the simulated chip's wires did while it was sent bytes, and what it answered.
struct LiveRun {
    chip::PortTrace trace;
    std::vector<std::uint8_t> said;
};

void Check(bool good, const chip::Chip& chip, const std::string& what) {
    if (!good)
        throw program::SimError(
            Tr("live", "the live program for the %1 %2").Arg(chip.name).Arg(what).Str());
}

}  // namespace

chip::Firmware BuildLiveProgram(const chip::Chip& chip, const chip::ScratchFolder& folder) {
    if (const std::optional<std::string> problem = LiveProblem(chip))
        throw program::SimError(*problem);
    chip::Firmware firmware = chip::BuildFirmware(LiveSource(chip), "live.c", folder, chip);
    if (!firmware.sizes.Fits()) throw program::SimError(chip::NotFittingMessage(firmware.sizes));
    chip::CubeChip cube(firmware.hex, chip);
    LiveRun run{{chip.clockHz, 0, {}}, {}};
    const auto go = [&](double ms) {
        const std::vector<chip::PortWrite> writes =
            cube.Run(static_cast<std::uint64_t>(ms * chip.clockHz / 1000));
        run.trace.writes.insert(run.trace.writes.end(), writes.begin(), writes.end());
        run.trace.endCycle = cube.Cycle();
        const std::vector<std::uint8_t> said = cube.TakeSerialOutput();
        run.said.insert(run.said.end(), said.begin(), said.end());
    };
    // The question with a frame right behind it, a frame with a bit flipped,
    // a frame cut short, and another good one.
    CellState first;
    CellState second;
    CellState wrong;
    for (int n = 1; n <= kCellCount; ++n) {
        first.Set(n, n % 3 == 1);
        second.Set(n, n % 2 == 0);
        wrong.Set(n, true);
    }
    go(20);
    cube.SendSerial({kLiveQuestion});
    cube.SendSerial(LiveFrame(first));
    go(60);
    const std::string hello = LiveHello(chip);
    const std::string said(run.said.begin(), run.said.end());
    Check(said.find(hello) != std::string::npos, chip,
          Tr("live", "does not answer its hello line").Str());
    std::vector<std::uint8_t> flipped = LiveFrame(wrong);
    flipped[2] ^= 0x10;
    cube.SendSerial(flipped);
    go(60);
    std::vector<std::uint8_t> cut = LiveFrame(wrong);
    cut.resize(4);
    cube.SendSerial(cut);
    cube.SendSerial(LiveFrame(second));
    go(60);
    std::vector<CellState> shown;
    for (const chip::ShownFrame& frame : chip::DecodeShow(run.trace)) {
        if (frame.cells != CellState() && (shown.empty() || !(shown.back() == frame.cells)))
            shown.push_back(frame.cells);
    }
    Check(shown == std::vector<CellState>{first, second}, chip,
          Tr("live", "does not show the frames it is sent, and only those").Str());
    run.said.clear();
    cube.HoldButtons(SwitchCombination::BP1);
    go(40);
    Check(run.said == std::vector<std::uint8_t>{static_cast<std::uint8_t>(kLiveButtons | 1)}, chip,
          Tr("live", "does not report BP1 held").Str());
    return firmware;
}

}  // namespace ledcube::compact
