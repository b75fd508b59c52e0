// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary texts, as users glue, cut and edit files, to the program
// reader: each gives its programs and frames or a clear error, never a crash or
// a hang, and what it reads is what the text holds.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "firmware/FirmwareText.h"
#include "program/Animation.h"
#include "program/ProgramReader.h"
#include "program/SimError.h"

// The first byte's low bits put the 3 KB program header before the rest and
// glue a second copy after it, so that the fuzzer works on program bodies.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string body(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string header = (data[0] & 1) != 0 ? ledcube::ProgramHeader() : std::string();
    const std::string text = header + body + ((data[0] & 2) != 0 ? header + body : std::string());
    try {
        // The programs of a file cover it whole, in order.
        std::string joined;
        for (const ledcube::program::ProgramInFile& program : ledcube::program::ProgramsIn(text))
            joined += program.text;
        if (joined != text) std::abort();

        const ledcube::program::ChosenProgram chosen =
            ledcube::program::ChooseProgram(text, std::nullopt);
        const std::vector<ledcube::program::RecordedFrame> frames =
            ledcube::program::ReadProgram(chosen.text);
        // Read as the compiler reads it, whatever its comments and spacing, a
        // program is the editor's text of the same blocks.
        const ledcube::program::Animation animation = ledcube::program::ReadAnimation(chosen.text);
        const std::string editors = ledcube::program::AnimationText(animation);
        if (ledcube::program::ReadAnimation(editors) != animation) std::abort();
        if (ledcube::program::AnimationFrames(animation).size() != frames.size()) std::abort();
        if (editors != chosen.text) return 0;
        // The frames read are the frame blocks of the text, all of them, in
        // order: the n-th "while(i<" after the header starts the n-th frame's
        // block as the editor writes it.
        const std::string_view program = chosen.text;
        std::size_t at = ledcube::ProgramHeader().size();
        std::size_t count = 0;
        for (at = program.find("while(i<", at); at != std::string_view::npos;
             at = program.find("while(i<", at + 1)) {
            if (count >= frames.size()) std::abort();
            const ledcube::program::RecordedFrame& frame = frames[count++];
            if (!program.substr(at).starts_with(
                    ledcube::FrameBlock(frame.repeatCount * 15, frame.cells)))
                std::abort();
        }
        if (count != frames.size()) std::abort();
    } catch (const ledcube::program::SimError&) {
        // A clear refusal is a fine answer.
    }
    return 0;
}
