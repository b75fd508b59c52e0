// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "program/ProgramReader.h"
#include "program/SimError.h"

namespace ledcube::program {
namespace {

using test::CellsOn;

// Header (lines 1-88), the BP1 test (89-90), a frame of 10 passes with cell 9
// lit (91-103), one of 20 passes with cells 1 and 14 (104-116), the brace of
// FinirBP (117), a frame of 3 passes with cell 27 between the sequences
// (118-130) and the closing text.
std::string Unfinished() {
    return ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP1) +
           FrameBlock(150, CellsOn({9})) + FrameBlock(300, CellsOn({1, 14})) + SwitchBlockClose() +
           FrameBlock(45, CellsOn({27}));
}
std::string Finished() {
    return Unfinished() + ProgramClose();
}

// The offset where line `line` starts.
std::size_t LineStart(const std::string& text, int line) {
    std::size_t at = 0;
    for (int n = 1; n < line; ++n) at = text.find('\n', at) + 1;
    return at;
}
std::string ReplaceLine(std::string text, int line, const std::string& with) {
    const std::size_t at = LineStart(text, line);
    return text.replace(at, text.find('\n', at) - at, with);
}
std::string InsertAtLine(std::string text, int line, const std::string& what) {
    return text.insert(LineStart(text, line), what);
}
std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}
// The text up to the last `what` in it, plus `keep` bytes of it.
std::string CutAt(const std::string& text, const std::string& what, std::size_t keep = 0) {
    return text.substr(0, text.rfind(what) + keep);
}

// "10:9 20:1,14": each frame's passes and lit cells.
std::string FramesText(const std::vector<RecordedFrame>& frames) {
    std::string text;
    for (const RecordedFrame& frame : frames) {
        text += (text.empty() ? "" : " ") + std::to_string(frame.repeatCount) + ":";
        for (int n = 1, first = 1; n <= kCellCount; ++n)
            if (frame.cells.Get(n)) text += (first-- > 0 ? "" : ",") + std::to_string(n);
    }
    return text;
}

struct ReadCase {
    const char* name;
    std::string text;
    std::optional<long> handEditedLine;
    std::optional<long> tornLine = std::nullopt;
    std::string frames = "10:9 20:1,14 3:27";
    std::string warning = "";  // in the only warning; none expected when empty
};

TEST(ProgramReader, ReadsEditedProgramsAsTheCompilerDoes) {
    const ReadCase cases[] = {
        {.name = "the editor's text", .text = Finished(), .handEditedLine = std::nullopt},
        {.name = "a comment line",
         .text = InsertAtLine(Finished(), 91, "// my tweak\n"),
         .handEditedLine = 91},
        {.name = "a comment after a line",
         .text = ReplaceLine(Finished(), 93, "Leds(0,0,0,0,0,0,0,0,1); // corner"),
         .handEditedLine = 93},
        {.name = "a comment in a call",
         .text = ReplaceLine(Finished(), 93, "Leds(0,0,0,/* off */0,0,0,0,0,1);"),
         .handEditedLine = 93},
        {.name = "a comment over lines",
         .text = InsertAtLine(Finished(), 104, "/* the\nsecond */\n"),
         .handEditedLine = 104},
        {.name = "a comment in the header",
         .text = InsertAtLine(Finished(), 3, "// LEDs\n"),
         .handEditedLine = 3},
        {.name = "blank lines", .text = InsertAtLine(Finished(), 95, "\n\n"), .handEditedLine = 95},
        {.name = "spacing and indents",
         .text =
             ReplaceAll(ReplaceAll(Finished(), "while(i<", "  while (i < "), "Etage(", "\tEtage ("),
         .handEditedLine = 18},
        {.name = "Windows line ends",
         .text = ReplaceAll(Finished(), "\n", "\r\n"),
         .handEditedLine = 1},
        {.name = "a count in octal",
         .text = ReplaceLine(Finished(), 91, "while(i<012){"),
         .handEditedLine = 91},
        {.name = "a value of 2",
         .text = ReplaceLine(Finished(), 93, "Leds(1,0,2,0,0,0,0,0,1);"),
         .handEditedLine = 93,
         .frames = "10:1,9 20:1,14 3:27",
         .warning = "line 93: cell 3 is given 2"},
        {.name = "a negative value",
         .text = ReplaceLine(Finished(), 126, "Leds(0,0,0,0,0,0,0,0,-1);"),
         .handEditedLine = 126,
         .frames = "10:9 20:1,14 3:",
         .warning = "line 126: cell 27 is given -1"},
        {.name = "still being recorded", .text = Unfinished(), .handEditedLine = std::nullopt},
        {.name = "cut after a line",
         .text = CutAt(Unfinished(), "Etage(0,1,0)"),
         .handEditedLine = std::nullopt,
         .tornLine = 118,
         .frames = "10:9 20:1,14"},
        {.name = "cut in a word",
         .text = CutAt(Unfinished(), "delay_ms", 5),
         .handEditedLine = std::nullopt,
         .tornLine = 118,
         .frames = "10:9 20:1,14"},
        {.name = "cut in a number",
         .text = CutAt(Unfinished(), "while(i<", 8),
         .handEditedLine = std::nullopt,
         .tornLine = 118,
         .frames = "10:9 20:1,14"},
        {.name = "cut in a push-button test",
         .text = ProgramHeader() + FrameBlock(45, CellsOn({27})) +
                 SwitchBlockOpen(SwitchCombination::BP2).substr(0, 9),
         .handEditedLine = std::nullopt,
         .tornLine = 102,
         .frames = "3:27"},
        {.name = "cut with a comment added",
         .text = CutAt(InsertAtLine(Unfinished(), 91, "// mine\n"), "Leds("),
         .handEditedLine = 91,
         .tornLine = 119,
         .frames = "10:9 20:1,14"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramPreview preview = PreviewLastProgram(c.text);
        ASSERT_TRUE(preview.frames);
        EXPECT_EQ(FramesText(*preview.frames), c.frames);
        EXPECT_EQ(preview.handEditedLine, c.handEditedLine);
        EXPECT_EQ(preview.tornLine, c.tornLine);
        ASSERT_EQ(preview.warnings.size(), c.warning.empty() ? 0u : 1u);
        for (const std::string& warning : preview.warnings)
            EXPECT_NE(warning.find(c.warning), std::string::npos);
        // What plays is the file's text up to the last whole block, closed.
        const std::size_t kept =
            std::min(c.text.size(), preview.text.size() - ProgramClose().size());
        EXPECT_EQ(c.text.substr(0, kept), preview.text.substr(0, kept));
        EXPECT_TRUE(!preview.unfinished || preview.text.ends_with(ProgramClose()));
    }
}

TEST(ProgramReader, SaysWhereAProgramIsCutOrItsHeaderDiffers) {
    const std::pair<std::string, std::string> cases[] = {
        {CutAt(Unfinished(), "delay_ms", 5),
         "unfinished: it does not end with the closing text that Finir writes, and its last block "
         "is cut off at "
         "line 118"},
        {Unfinished(), "unfinished: it does not end with the closing text that Finir writes"},
        {ReplaceLine(Finished(), 3, "#define LED1 PORTB.2"),
         "line 3 reads \"#define LED1 PORTB.2\" where the editor writes \"#define LED1 PORTA.2\""},
        {ReplaceLine(Finished(), 59, "  if(D7 == 2) // seven"),
         "line 59 reads \"if(D7 == 2) // seven\" where the editor writes \"if(D7==1)\""},
        {ProgramHeader().substr(0, 200),
         "its header stops at line 10, before \"#define LED8 PORTC.1\""},
        {"// my cube\nint main(void){}", "does not start with its program header"},
        {ReplaceLine(Finished(), 89, "if((BP1==1)&&(BP2==1)&&(BP3==0))"),
         "line 89: a push-button test the editor never writes"},
        {ReplaceLine(Finished(), 93, "Leds(0,0,0,0,x,0,0,0,1);"),
         "line 93: a frame whose cells are not numbers"},
        {ReplaceLine(Finished(), 91, "while(i<10.5){"),
         "line 91: a frame that differs from the editor's frames"},
        {ReplaceLine(Finished(), 91, "while(i<n){"), "line 91: a frame without a repeat count"},
    };
    for (const auto& [text, message] : cases)
        EXPECT_THROW(
            {
                try {
                    ReadProgram(text);
                } catch (const SimError& error) {
                    EXPECT_NE(std::string(error.what()).find(message), std::string::npos)
                        << error.what();
                    throw;
                }
            },
            SimError)
            << message;
    // The file's programs are found by their headers whatever stands between them.
    const std::string two = Finished() + "\n// the second one\n" + Finished();
    EXPECT_EQ(ProgramsIn(two).size(), 2u);
    EXPECT_EQ(ChooseProgram(two, 2).text, Finished());
}

}  // namespace
}  // namespace ledcube::program
