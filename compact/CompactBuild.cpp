// SPDX-License-Identifier: GPL-3.0-or-later
#include "compact/CompactBuild.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

#include "chip/FirmwareBuild.h"
#include "firmware/FirmwareText.h"

namespace ledcube::compact {

namespace {

// What an entry is: bits 27 to 31 of its first four bytes.
constexpr std::uint32_t kFrame = 0;
constexpr std::uint32_t kSequenceEnd = 5;
// A sequence's button test: its kind (BP1 1, BP2 2, BP3 3, Aucun 4) and, in
// bits 0 to 2, the levels of PD0 to PD2 it asks for, as the generated
// program's test reads BP1 to BP3.
std::uint32_t SequenceStart(SwitchCombination combination) {
    static constexpr std::uint32_t kLevels[] = {1, 2, 4, 0};
    const auto index = static_cast<std::size_t>(combination);
    return (1 + static_cast<std::uint32_t>(index)) << 27 | kLevels[index];
}

struct Entry {
    std::uint32_t word;   // cells in bits 0 to 26 (cell n at n - 1), the kind above them
    std::uint16_t value;  // a frame's repeat count; where a sequence that does not play goes on
};

std::vector<Entry> Entries(const std::vector<program::RecordedFrame>& frames) {
    std::vector<Entry> entries;
    int sequence = 0;
    std::size_t start = 0;
    const auto close = [&] {
        if (sequence == 0) return;
        entries.push_back({kSequenceEnd << 27, 0});
        entries[start].value = static_cast<std::uint16_t>(entries.size());
        sequence = 0;
    };
    for (const program::RecordedFrame& frame : frames) {
        if (frame.sequence != sequence) {
            close();
            if (frame.sequence != 0) {
                start = entries.size();
                entries.push_back({SequenceStart(*frame.block), 0});
                sequence = frame.sequence;
            }
        }
        std::uint32_t cells = 0;
        for (int n = 1; n <= kCellCount; ++n)
            if (frame.cells.Get(n)) cells |= 1u << (n - 1);
        entries.push_back({cells, static_cast<std::uint16_t>(
                                      std::clamp<std::int32_t>(frame.repeatCount, 0, 32767))});
    }
    close();
    return entries;
}

// Timer 1 counting CPU cycles paces the layer slots, so that the work
// between frames (reading the table, unpacking the cells) happens while the
// last layer is lit and costs no time: every slot lasts SlotCycles, as the
// generated program's Etage, Leds and delay_ms(5) take, and a slot that ends a
// frame kFrameStepCycles more, as the generated program's step to its next
// frame takes a cycle longer than its step to the next pass (measured). Each
// wait ends on its cycle exactly, whatever the phase of the polling loop, so
// that every pass of a frame lasts as long as the others, cycle for cycle, and
// the frames part where the generated program's part.
constexpr int kFrameStepCycles = 1;
// The buttons are read this many cycles before the slot ends, where the
// generated program reads them; the rest of the step fits in that time.
constexpr int kTestLeadCycles = 1000;

// Goes before the program's header: the table's reading and the pacing.
// ledcube_wait sleeps (idle, woken by timer 1's compare match A 100 cycles
// before the slot ends) through most of the slot, polls the timer until the end
// is near, then reads its low byte once and burns exactly the cycles left (less
// its own fixed cost): two bits by skipped instructions of 2 and 3 cycles, the
// rest in a loop of 4 cycles a turn. Late (at the start, after a stretch where
// nothing played), it starts the slot at once. Interrupts are on only while
// asleep: the wake-up's reti returns to the cli after the sleep. (The button
// test's wait, a part of one slot a round, polls.)
// A slot longer than the wait counts (a fast clock) is waited in equal parts.
constexpr const char* kPacing = R"(#include <avr/interrupt.h>
#include <avr/sleep.h>
#define LEDCUBE_TCCR1B TCCR1B
#define LEDCUBE_TCNT1 TCNT1
#define LEDCUBE_OCR1A OCR1A
#ifdef TIMSK1
#define LEDCUBE_TIMSK TIMSK1
#define LEDCUBE_TIFR TIFR1
#else
#define LEDCUBE_TIMSK TIMSK
#define LEDCUBE_TIFR TIFR
#endif
EMPTY_INTERRUPT(TIMER1_COMPA_vect)
static unsigned int ledcube_slot;
/* Waits until `cycles` after the start of the slot now ending; the next starts there. */
static void ledcube_wait(unsigned int cycles)
{
unsigned int target = ledcube_slot + cycles;
int left;
if ((int)(target - LEDCUBE_TCNT1) > 164) {
LEDCUBE_OCR1A = target - 100;
LEDCUBE_TIFR = 1 << OCF1A;
sleep_enable();
sei();
sleep_cpu();
cli();
}
do { left = (int)(target - LEDCUBE_TCNT1); } while (left > 48);
if (left < 28) {
ledcube_slot = LEDCUBE_TCNT1;
} else {
unsigned char n = (unsigned char)target;
__asm__ __volatile__(
"lds __tmp_reg__, %1\n\t"
"sub %0, __tmp_reg__\n\t"
"subi %0, 12\n\t"
"sbrc %0, 0\n\t"
"rjmp .+0\n\t"
"sbrc %0, 1\n\t"
"lpm\n\t"
"lsr %0\n\t"
"lsr %0\n\t"
"inc %0\n\t"
"1: dec %0\n\t"
"breq 2f\n\t"
"rjmp 1b\n\t"
"2:\n\t"
: "+d"(n) : "n"(_SFR_MEM_ADDR(TCNT1L)));
ledcube_slot = target;
}
}
#if LEDCUBE_SLOT_PARTS > 1
static void ledcube_wait_slot(unsigned int last)
{
unsigned char k;
for (k = 1; k < LEDCUBE_SLOT_PARTS; ++k) ledcube_wait(LEDCUBE_SLOT);
ledcube_wait(last);
}
#else
#define ledcube_wait_slot ledcube_wait
#endif
/* Waits until `cycles` after the start of the slot now running, which goes on;
   after a stretch where nothing played, the slot is taken to end now. */
static void ledcube_reach(unsigned int cycles, unsigned int step)
{
while ((unsigned int)(LEDCUBE_TCNT1 - ledcube_slot) < cycles) {}
if ((unsigned int)(LEDCUBE_TCNT1 - ledcube_slot) > step) ledcube_slot = LEDCUBE_TCNT1 - step;
}
)";

// The loop, inside the generated program's main loop, where `i` counts passes.
constexpr const char* kLoop = R"({
unsigned int e = 0;
unsigned int step = LEDCUBE_SLOT + LEDCUBE_FRAME_STEP;
if (LEDCUBE_TCCR1B == 0) {
LEDCUBE_TCCR1B = 1;
ledcube_slot = LEDCUBE_TCNT1 - step;
LEDCUBE_TIMSK |= 1 << OCIE1A;
}
while (e < LEDCUBE_ENTRIES) {
const unsigned char* p = ledcube_show[e];
unsigned char kind = pgm_read_byte(p + 3) >> 3;
unsigned int value = pgm_read_word(p + 4);
if (kind == 0 && value == 0) {
++e;
} else if (kind == 0) {
unsigned char c[27];
unsigned long bits = pgm_read_dword(p);
unsigned char k;
for (k = 0; k < 27; ++k) { c[k] = bits & 1; bits >>= 1; }
while (i < value) {
const unsigned char* d = c;
unsigned char layer;
for (layer = 0; layer < 3; ++layer, d += 9) {
ledcube_wait_slot(step);
step = LEDCUBE_SLOT;
Etage(layer == 0, layer == 1, layer == 2);
Leds(d[0],d[1],d[2],d[3],d[4],d[5],d[6],d[7],d[8]);
}
i++;
}
if (i != 0) step = LEDCUBE_SLOT + LEDCUBE_FRAME_STEP;
i=0;
++e;
} else if (kind == 5) {
++e;
} else {
ledcube_reach(step - LEDCUBE_TEST_LEAD, step);
e = LEDCUBE_BUTTONS == (pgm_read_byte(p) & 7) ? e + 1 : value;
}
}
}
)";

}  // namespace

int CompactEntries(const std::vector<program::RecordedFrame>& frames) {
    return static_cast<int>(Entries(frames).size());
}

int CompactBytesEstimate(const std::vector<program::RecordedFrame>& frames) {
    return kCompactBaseBytes + kCompactEntryBytes * CompactEntries(frames);
}

int CompactLoopBytes(int flashBytes, const std::vector<program::RecordedFrame>& frames) {
    return flashBytes - kCompactEntryBytes * CompactEntries(frames);
}

int CompactSequences(const std::vector<program::RecordedFrame>& frames) {
    // Two table entries a sequence, one a frame.
    return (CompactEntries(frames) - static_cast<int>(frames.size())) / 2;
}

std::string CompactSource(const std::vector<program::RecordedFrame>& frames,
                          const chip::Chip& chip) {
    // The slot in equal parts the timer can count (one at 1 MHz).
    const unsigned slot = SlotCycles(chip.clockHz);
    const unsigned parts = (slot + 29999) / 30000;  // the wait counts in a signed int
    // The buttons pressed as three bits: one read of their port where they are
    // its bits in a row, pressed high; else each button's test, which the
    // build for the wiring turns as it turns the program's.
    const chip::PinWiring wiring = chip::WiringOf(chip);
    const chip::Pin button = wiring.buttons[0];
    const bool inARow = wiring.buttonsPressedHigh && button.bit <= 5 &&
                        wiring.buttons[1] == chip::Pin{button.port, button.bit + 1} &&
                        wiring.buttons[2] == chip::Pin{button.port, button.bit + 2};
    const std::string buttons =
        inARow
            ? "((PIN" + std::string(1, button.port) +
                  (button.bit == 0 ? std::string() : " >> " + std::to_string(button.bit)) + ") & 7)"
            : std::string("((BP1==1)|((BP2==1)<<1)|((BP3==1)<<2))");
    const std::vector<Entry> entries = Entries(frames);
    std::string text =
        "#include <avr/pgmspace.h>\n#define LEDCUBE_ENTRIES " + std::to_string(entries.size()) +
        "u\n#define LEDCUBE_SLOT " + std::to_string(slot / parts) +
        "u\n#define LEDCUBE_SLOT_PARTS " + std::to_string(parts) + "\n#define LEDCUBE_BUTTONS " +
        buttons + "\n#define LEDCUBE_FRAME_STEP " + std::to_string(kFrameStepCycles) +
        "u\n#define LEDCUBE_TEST_LEAD " + std::to_string(kTestLeadCycles) + "u\n" + kPacing;
    // An empty table still needs one row to be valid C.
    text += "static const unsigned char ledcube_show[" +
            std::to_string(std::max<std::size_t>(1, entries.size())) + "][6] PROGMEM = {\n";
    for (const Entry& entry : entries) {
        char row[64];
        std::snprintf(row, sizeof row, "{0x%02X,0x%02X,0x%02X,0x%02X,0x%02X,0x%02X},\n",
                      entry.word & 0xFF, (entry.word >> 8) & 0xFF, (entry.word >> 16) & 0xFF,
                      entry.word >> 24, entry.value & 0xFF, entry.value >> 8);
        text += row;
    }
    if (entries.empty()) text += "{0,0,0,0,0,0}\n";
    text += "};\n";
    return text + ProgramHeader() + kLoop + ProgramClose();
}

}  // namespace ledcube::compact
