// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/CompactBuild.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

#include "firmware/FirmwareText.h"
#include "sim/FirmwareBuild.h"

namespace ledcube::sim {

namespace {

// What an entry is: bits 27 to 31 of its first four bytes.
constexpr std::uint32_t kFrame = 0;
constexpr std::uint32_t kSequenceEnd = 5;
std::uint32_t SequenceStart(SwitchCombination combination) {
    return 1 + static_cast<std::uint32_t>(combination);  // BP1 1, BP2 2, BP3 3, Aucun 4
}

struct Entry {
    std::uint32_t word;   // cells in bits 0 to 26 (cell n at n - 1), the kind above them
    std::uint16_t value;  // a frame's repeat count; where a sequence that does not play goes on
};

std::vector<Entry> Entries(const std::vector<RecordedFrame>& frames) {
    std::vector<Entry> entries;
    int sequence = 0;
    std::size_t start = 0;
    const auto close = [&] {
        if (sequence == 0) return;
        entries.push_back({kSequenceEnd << 27, 0});
        entries[start].value = static_cast<std::uint16_t>(entries.size());
        sequence = 0;
    };
    for (const RecordedFrame& frame : frames) {
        if (frame.sequence != sequence) {
            close();
            if (frame.sequence != 0) {
                start = entries.size();
                entries.push_back({SequenceStart(*frame.block) << 27, 0});
                sequence = frame.sequence;
            }
        }
        std::uint32_t cells = 0;
        for (int n = 1; n <= kCellCount; ++n)
            if (frame.cells.Get(n)) cells |= 1u << (n - 1);
        entries.push_back(
            {cells, static_cast<std::uint16_t>(std::clamp<std::int32_t>(frame.repeatCount, 0, 32767))});
    }
    close();
    return entries;
}

// Timer 1 counting CPU cycles paces the layer slots, so that the work
// between frames (reading the table, unpacking the cells) happens while the
// last layer is lit and costs no time: every slot lasts kSlotCycles, as the
// generated program's Etage, Leds and delay_ms(5) take, and a slot that ends a
// frame kFrameStepCycles more, as the generated program's step to its next
// frame takes a little longer than its step to the next pass.
constexpr int kSlotCycles = (kGeneratedPassCycles + 2) / 3;
constexpr int kFrameStepCycles = 20;
// The buttons are read this many cycles before the slot ends, where the
// generated program reads them; the rest of the step fits in that time.
constexpr int kTestLeadCycles = 1000;

// Goes before the program's header: the table's reading and the pacing.
constexpr const char* kPacing = R"(#define LEDCUBE_TCCR1B (*(volatile unsigned char*)0x4E)
#define LEDCUBE_TCNT1 (*(volatile unsigned int*)0x4C)
static unsigned int ledcube_slot;
/* Waits until `cycles` after the start of the slot now ending; the next starts there. */
static void ledcube_wait(unsigned int cycles)
{
while ((unsigned int)(LEDCUBE_TCNT1 - ledcube_slot) < cycles) {}
ledcube_slot += cycles;
}
/* Waits until `cycles` after the start of the slot now running, which goes on. */
static void ledcube_reach(unsigned int cycles)
{
while ((unsigned int)(LEDCUBE_TCNT1 - ledcube_slot) < cycles) {}
}
)";

// The loop, inside the generated program's main loop, where `i` counts passes.
constexpr const char* kLoop = R"({
unsigned int e = 0;
unsigned int step = LEDCUBE_SLOT + LEDCUBE_FRAME_STEP;
if (LEDCUBE_TCCR1B == 0) { LEDCUBE_TCCR1B = 1; ledcube_slot = LEDCUBE_TCNT1; }
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
ledcube_wait(step);
step = LEDCUBE_SLOT;
Etage(1,0,0);
Leds(c[0],c[1],c[2],c[3],c[4],c[5],c[6],c[7],c[8]);
ledcube_wait(LEDCUBE_SLOT);
Etage(0,1,0);
Leds(c[9],c[10],c[11],c[12],c[13],c[14],c[15],c[16],c[17]);
ledcube_wait(LEDCUBE_SLOT);
Etage(0,0,1);
Leds(c[18],c[19],c[20],c[21],c[22],c[23],c[24],c[25],c[26]);
i++;
}
if (i != 0) step = LEDCUBE_SLOT + LEDCUBE_FRAME_STEP;
i=0;
++e;
} else if (kind == 5) {
++e;
} else {
unsigned char play = 0;
ledcube_reach(step - LEDCUBE_TEST_LEAD);
if (kind == 1) play = (BP1==1)&&(BP2==0)&&(BP3==0);
if (kind == 2) play = (BP1==0)&&(BP2==1)&&(BP3==0);
if (kind == 3) play = (BP1==0)&&(BP2==0)&&(BP3==1);
if (kind == 4) play = (BP1==0)&&(BP2==0)&&(BP3==0);
e = play ? e + 1 : value;
}
}
}
)";

}  // namespace

int CompactEntries(const std::vector<RecordedFrame>& frames) {
    return static_cast<int>(Entries(frames).size());
}

std::string CompactSource(const std::vector<RecordedFrame>& frames) {
    const std::vector<Entry> entries = Entries(frames);
    std::string text = "#include <avr/pgmspace.h>\n#define LEDCUBE_ENTRIES " +
                       std::to_string(entries.size()) + "u\n#define LEDCUBE_SLOT " +
                       std::to_string(kSlotCycles) + "u\n#define LEDCUBE_FRAME_STEP " +
                       std::to_string(kFrameStepCycles) + "u\n#define LEDCUBE_TEST_LEAD " +
                       std::to_string(kTestLeadCycles) + "u\n" + kPacing;
    // An empty table still needs one row to be valid C.
    text += "static const unsigned char ledcube_show[" + std::to_string(std::max<std::size_t>(1, entries.size())) +
            "][6] PROGMEM = {\n";
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

}  // namespace ledcube::sim
