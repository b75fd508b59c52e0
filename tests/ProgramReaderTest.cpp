// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "program/Animation.h"
#include "program/CTokens.h"
#include "program/ProgramReader.h"
#include "program/SimError.h"

namespace ledcube::sim {
namespace {

using test::CellsOn;

// Header (lines 1-88), the BP1 test (89-90), a frame of 10 passes with cell 9
// lit (91-103), one of 20 passes with cells 1 and 14 (104-116), the brace of
// FinirBP (117), a frame of 3 passes with cell 27 between the sequences
// (118-130) and the closing text.
std::string Body() {
    return SwitchBlockOpen(SwitchCombination::BP1) + FrameBlock(150, CellsOn({9})) +
           FrameBlock(300, CellsOn({1, 14})) + SwitchBlockClose() + FrameBlock(45, CellsOn({27}));
}
std::string Finished() {
    return ProgramHeader() + Body() + ProgramClose();
}
std::string Unfinished() {
    return ProgramHeader() + Body();
}

std::string ReplaceLine(std::string text, int line, const std::string& with) {
    std::size_t at = 0;
    for (int n = 1; n < line; ++n) at = text.find('\n', at) + 1;
    return text.replace(at, text.find('\n', at) - at, with);
}
std::string InsertAtLine(std::string text, int line, const std::string& what) {
    std::size_t at = 0;
    for (int n = 1; n < line; ++n) at = text.find('\n', at) + 1;
    return text.insert(at, what);
}
std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The text up to the last `what` in it.
std::string CutBefore(const std::string& text, const std::string& what) {
    return text.substr(0, text.rfind(what));
}

struct Expected {
    std::vector<std::pair<int, CellState>> frames;  // passes and cells
    std::optional<long> handEditedLine;
    std::optional<long> tornLine;
    std::string warning;  // in the first warning; none expected when empty
};

const std::vector<std::pair<int, CellState>> kAllFrames = {
    {10, CellsOn({9})}, {20, CellsOn({1, 14})}, {3, CellsOn({27})}};

struct ReadCase {
    const char* name;
    std::string text;
    Expected expected;
};

TEST(ProgramReader, ReadsEditedProgramsAsTheCompilerDoes) {
    const ReadCase cases[] = {
        {"the editor's text", Finished(), {kAllFrames, std::nullopt, std::nullopt, ""}},
        {"a comment on a line of its own",
         InsertAtLine(Finished(), 91, "// my tweak\n"),
         {kAllFrames, 91, std::nullopt, ""}},
        {"a comment after a line",
         ReplaceLine(Finished(), 93, "Leds(0,0,0,0,0,0,0,0,1); // the corner"),
         {kAllFrames, 93, std::nullopt, ""}},
        {"a comment inside a call",
         ReplaceLine(Finished(), 93, "Leds(0,0,0,/* off */0,0,0,0,0,1);"),
         {kAllFrames, 93, std::nullopt, ""}},
        {"a comment over several lines",
         InsertAtLine(Finished(), 104, "/* the\nsecond\nframe */\n"),
         {kAllFrames, 104, std::nullopt, ""}},
        {"a comment in the header",
         InsertAtLine(Finished(), 3, "// the LEDs\n"),
         {kAllFrames, 3, std::nullopt, ""}},
        {"blank lines", InsertAtLine(Finished(), 95, "\n\n"), {kAllFrames, 95, std::nullopt, ""}},
        {"spacing and indents",
         ReplaceAll(ReplaceAll(Finished(), "while(i<", "  while (i < "), "Etage(", "\tEtage ("),
         {kAllFrames, 18, std::nullopt, ""}},
        {"Windows line ends",
         ReplaceAll(Finished(), "\n", "\r\n"),
         {kAllFrames, 1, std::nullopt, ""}},
        {"a count in octal",
         ReplaceLine(Finished(), 91, "while(i<012){"),
         {{{10, CellsOn({9})}, {20, CellsOn({1, 14})}, {3, CellsOn({27})}}, 91, std::nullopt, ""}},
        {"a value the cube cannot show",
         ReplaceLine(Finished(), 93, "Leds(1,0,2,0,0,0,0,0,1);"),
         {{{10, CellsOn({1, 9})}, {20, CellsOn({1, 14})}, {3, CellsOn({27})}},
          93,
          std::nullopt,
          "line 93: cell 3 is given 2"}},
        {"a negative value",
         ReplaceLine(Finished(), 126, "Leds(0,0,0,0,0,0,0,0,-1);"),
         {{{10, CellsOn({9})}, {20, CellsOn({1, 14})}, {3, CellsOn({})}},
          126,
          std::nullopt,
          "line 126: cell 27 is given -1"}},
        {"still being recorded", Unfinished(), {kAllFrames, std::nullopt, std::nullopt, ""}},
        {"cut after a line of a frame",
         Unfinished().substr(0, Unfinished().rfind("Etage(0,1,0)")),
         {{{10, CellsOn({9})}, {20, CellsOn({1, 14})}}, std::nullopt, 118, ""}},
        {"cut inside a word",
         Unfinished().substr(0, Unfinished().rfind("delay_ms") + 5),
         {{{10, CellsOn({9})}, {20, CellsOn({1, 14})}}, std::nullopt, 118, ""}},
        {"cut inside a number",
         Unfinished().substr(0, Unfinished().rfind("while(i<") + 8),
         {{{10, CellsOn({9})}, {20, CellsOn({1, 14})}}, std::nullopt, 118, ""}},
        {"cut inside a push-button test",
         ProgramHeader() + FrameBlock(45, CellsOn({27})) +
             SwitchBlockOpen(SwitchCombination::BP2).substr(0, 9),
         {{{3, CellsOn({27})}}, std::nullopt, 102, ""}},
        {"cut with a comment added",
         CutBefore(InsertAtLine(Unfinished(), 91, "// mine\n"), "Leds("),
         {{{10, CellsOn({9})}, {20, CellsOn({1, 14})}}, 91, 119, ""}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramPreview preview;
        try {
            preview = PreviewLastProgram(c.text);
        } catch (const SimError& error) {
            ADD_FAILURE() << error.what();
            continue;
        }
        ASSERT_TRUE(preview.frames) << preview.unreadable;
        std::vector<std::pair<int, CellState>> frames;
        for (const RecordedFrame& frame : *preview.frames)
            frames.emplace_back(frame.repeatCount, frame.cells);
        EXPECT_EQ(frames, c.expected.frames);
        EXPECT_EQ(preview.handEditedLine, c.expected.handEditedLine);
        EXPECT_EQ(preview.tornLine, c.expected.tornLine);
        if (c.expected.warning.empty()) {
            EXPECT_TRUE(preview.warnings.empty()) << preview.warnings.front();
        } else {
            ASSERT_EQ(preview.warnings.size(), 1u);
            EXPECT_NE(preview.warnings.front().find(c.expected.warning), std::string::npos)
                << preview.warnings.front();
        }
        // What plays is the file's text up to the last whole block, closed.
        const std::size_t kept =
            preview.text.size() - (preview.unfinished ? ProgramClose().size() : 0);
        EXPECT_EQ(c.text.substr(0, std::min(kept, c.text.size())),
                  preview.text.substr(0, std::min(kept, c.text.size())));
        if (preview.unfinished) {
            EXPECT_TRUE(preview.text.ends_with(ProgramClose()));
        }
        if (!preview.unfinished) {
            EXPECT_EQ(ReadProgram(c.text).size(), frames.size());
        }
    }
}

TEST(ProgramReader, SaysWhereAProgramIsCutOrItsHeaderDiffers) {
    const std::pair<std::string, std::string> cases[] = {
        {Unfinished().substr(0, Unfinished().rfind("delay_ms") + 5),
         "unfinished: it does not end with the closing text that Finir writes, and its last block "
         "is "
         "cut off at line 118"},
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
    for (const auto& [text, message] : cases) {
        try {
            ReadProgram(text);
            ADD_FAILURE() << "accepted: " << message;
        } catch (const SimError& error) {
            EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
        }
    }
    // The file's programs are found by their headers whatever stands between them.
    const std::string two = Finished() + "\n// the second one\n" + Finished();
    const std::vector<ProgramInFile> programs = ProgramsIn(two);
    ASSERT_EQ(programs.size(), 2u);
    EXPECT_TRUE(programs[0].finished);
    EXPECT_EQ(ChooseProgram(two, 2).text, Finished());
}

TEST(CTokens, SplitsAsTheCompilerDoes) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"i++; i+ +1", {"i", "++", ";", "i", "+", "+", "1"}},
        {"a==b&&c // x==y\nd", {"a", "==", "b", "&&", "c", "d"}},
        {"x/* a\nb */=0x1F", {"x", "=", "0x1F"}},
        {"#define A PORTA.2\n#define B 1",
         {"#", "define", "A", "PORTA", ".", "2", "\n", "#", "define", "B", "1", "\n"}},
        {"}\n}#include <a.h>\n", {"}", "}", "#", "include", "<", "a", ".", "h", ">", "\n"}},
    };
    for (const auto& [text, expected] : cases) {
        std::vector<std::string> tokens;
        for (const CToken& token : Tokenize(text)) tokens.emplace_back(token.text);
        EXPECT_EQ(tokens, expected) << text;
    }
    EXPECT_EQ(Tokenize("a\n/* x\n*/ b").back().line, 3);
    const std::pair<const char*, std::optional<long long>> values[] = {
        {"13", 13}, {"013", 11},          {"0x1f", 31},        {"0b101", 5},
        {"0", 0},   {"1a", std::nullopt}, {"09", std::nullopt}};
    for (const auto& [token, value] : values) EXPECT_EQ(IntegerValue(token), value) << token;
}

}  // namespace
}  // namespace ledcube::sim
