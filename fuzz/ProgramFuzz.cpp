// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary texts, as users glue, cut and edit files, to the program
// reader: each gives its programs and frames or a clear error, never a crash or
// a hang, and what it reads is what the text holds.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "firmware/FirmwareText.h"
#include "sim/ProgramReader.h"
#include "sim/SimError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        // The programs of a file cover it whole, in order.
        std::string joined;
        for (const ledcube::sim::ProgramInFile& program : ledcube::sim::ProgramsIn(text))
            joined += program.text;
        if (joined != text) std::abort();

        const ledcube::sim::ChosenProgram chosen = ledcube::sim::ChooseProgram(text, std::nullopt);
        std::size_t at = 0;
        for (const ledcube::sim::RecordedFrame& frame : ledcube::sim::ReadProgram(chosen.text)) {
            // Each frame read is in the text as the editor writes it, in order.
            at = chosen.text.find(ledcube::FrameBlock(frame.repeatCount * 15, frame.cells), at);
            if (at == std::string::npos) std::abort();
            ++at;
        }
    } catch (const ledcube::sim::SimError&) {
        // A clear refusal is a fine answer.
    }
    return 0;
}
