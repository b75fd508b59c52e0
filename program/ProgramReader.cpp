// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/ProgramReader.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <string>

#include "base/Language.h"
#include "firmware/Buttons.h"
#include "program/Animation.h"
#include "program/CTokens.h"
#include "program/SimError.h"

namespace ledcube::program {

namespace {

// The editor's texts as tokens, so that a program is read as the compiler
// reads it: comments, blank lines and spacing do not change what it says.
class EditorTokens {
  public:
    static const EditorTokens& Get() {
        static const EditorTokens tokens;
        return tokens;
    }

    const std::string headerText = ProgramHeader();
    const std::vector<CToken> header = Tokenize(headerText);
    const std::array<std::string, 4> openTexts = {
        SwitchBlockOpen(SwitchCombination::BP1), SwitchBlockOpen(SwitchCombination::BP2),
        SwitchBlockOpen(SwitchCombination::BP3), SwitchBlockOpen(SwitchCombination::Aucun)};
    const std::array<std::vector<CToken>, 4> open = {Tokenize(openTexts[0]), Tokenize(openTexts[1]),
                                                     Tokenize(openTexts[2]),
                                                     Tokenize(openTexts[3])};
    const std::string closeText = SwitchBlockClose();
    const std::vector<CToken> close = Tokenize(closeText);
    // A frame with a repeat count no frame is given and all cells dark: the
    // count and the 27 cell values are the tokens that vary.
    static constexpr std::int32_t kCountMark = 1234567;
    const std::string frameText = FrameBlock(kCountMark * 15, CellState());
    const std::vector<CToken> frame = Tokenize(frameText);
    std::size_t countSlot = 0;
    std::vector<std::size_t> cellSlots;  // cell 1 first

    // The line of the header that holds its token `index`, without its line feed.
    std::string_view HeaderLine(std::size_t index) const {
        return LineAt(headerText, header[index].offset);
    }

    static std::string_view LineAt(std::string_view text, std::size_t offset) {
        const std::size_t start = text.rfind('\n', offset == 0 ? 0 : offset - 1);
        const std::size_t first = start == std::string_view::npos || offset == 0 ? 0 : start + 1;
        std::size_t end = text.find('\n', offset);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(first, end - first);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
            line.remove_suffix(1);
        return line;
    }

  private:
    EditorTokens() {
        for (std::size_t k = 0; k < frame.size(); ++k) {
            if (frame[k].text == std::to_string(kCountMark)) countSlot = k;
            if (frame[k].text != "Leds") continue;
            for (std::size_t value = k + 2; value < k + 2 + 2 * kCellsPerLayer; value += 2)
                cellSlots.push_back(value);
        }
    }
};

bool Matches(const std::vector<CToken>& tokens, std::size_t at,
             const std::vector<CToken>& pattern) {
    if (tokens.size() - at < pattern.size()) return false;
    for (std::size_t k = 0; k < pattern.size(); ++k)
        if (tokens[at + k].text != pattern[k].text) return false;
    return true;
}

// Where each program header of the text starts, as token indices.
std::vector<std::size_t> HeaderStarts(const std::vector<CToken>& tokens) {
    const std::vector<CToken>& header = EditorTokens::Get().header;
    std::vector<std::size_t> starts;
    for (std::size_t at = 0; at < tokens.size(); ++at)
        if (tokens[at].text == header.front().text && Matches(tokens, at, header)) {
            starts.push_back(at);
            at += header.size() - 1;
        }
    return starts;
}

// Raises the reason why the text does not start with the program header.
void CheckHeader(std::string_view text, const std::vector<CToken>& tokens) {
    const EditorTokens& editor = EditorTokens::Get();
    std::size_t k = 0;
    while (k < editor.header.size() && k < tokens.size() && tokens[k].text == editor.header[k].text)
        ++k;
    if (k == editor.header.size()) return;
    if (k == 0)
        throw SimError(Tr("Reader",
                          "this is not a program written by the editor: it does not start with its "
                          "program header"));
    // A text that stops inside a line of the header.
    const bool cut = k == tokens.size() || (k + 1 == tokens.size() && tokens[k].text == "\n" &&
                                            tokens[k].offset == text.size());
    if (cut)
        throw SimError(Tr("Reader",
                          "this is not a whole program: its header stops at line %1, before "
                          "\"%2\"")
                           .Arg(tokens.back().line)
                           .Arg(std::string(editor.HeaderLine(k))));
    throw SimError(
        Tr("Reader",
           "this is not a program written by the editor: line %1 reads \"%2\" where the editor "
           "writes \"%3\"")
            .Arg(tokens[k].line)
            .Arg(std::string(EditorTokens::LineAt(text, tokens[k].offset)))
            .Arg(std::string(editor.HeaderLine(k))));
}

bool EndsWithProgramClose(const std::vector<CToken>& tokens) {
    const std::size_t header = EditorTokens::Get().header.size();
    return tokens.size() >= header + 2 && tokens[tokens.size() - 1].text == "}" &&
           tokens[tokens.size() - 2].text == "}";
}

// What a program's body holds, read block by block.
struct BodyRead {
    std::vector<RecordedFrame> frames;
    std::vector<AnimationBlock> blocks;
    std::optional<SwitchCombination> open;  // the sequence left open at the end
    // The text of the body was cut in the middle of its last block: the line
    // and the byte where that block starts.
    std::optional<long> tornLine;
    std::size_t tornOffset = 0;
    std::vector<std::string> warnings;
};

// Reads the body of a program (between header and closing text) block by block.
class BodyReader {
  public:
    BodyReader(std::string_view text, const std::vector<CToken>& tokens, std::size_t start,
               std::size_t end)
        : text_(text), tokens_(tokens), at_(start), end_(end) {}

    // Reads up to the end. A program still being recorded may end inside a
    // sequence, or in the middle of a block that was being written.
    BodyRead Read(bool stillRecorded = false) {
        stillRecorded_ = stillRecorded;
        while (at_ < end_ && !read_.tornLine) {
            if (ReadSwitchOpen() || ReadSwitchClose()) continue;
            ReadFrame();
        }
        read_.open = block_;
        if (block_ && !stillRecorded)
            Fail(Tr("Reader", "the last push-button sequence is not closed (FinirBP)"));
        return std::move(read_);
    }

  private:
    [[noreturn]] void Fail(const std::string& what, std::size_t at) const {
        const long line =
            at < tokens_.size() ? tokens_[at].line : (tokens_.empty() ? 1 : tokens_.back().line);
        throw SimError(Tr("Reader", "line %1: %2").Arg(line).Arg(what));
    }
    [[noreturn]] void Fail(const std::string& what) const { Fail(what, at_); }

    // How far the block's tokens match from at_: all of them, or the index
    // of the first that differs, or the text is cut short in the middle.
    enum class Match { Whole, Differs, Torn };
    Match Compare(std::string_view expected, std::size_t at) const {
        if (at >= end_) return stillRecorded_ ? Match::Torn : Match::Differs;
        const CToken& token = tokens_[at];
        if (token.text == expected) return Match::Whole;
        // The last token of a file whose writing stopped in the middle of it.
        const bool lastOfText =
            at + 1 == tokens_.size() && token.offset + token.text.size() == text_.size();
        return stillRecorded_ && lastOfText && expected.starts_with(token.text) ? Match::Torn
                                                                                : Match::Differs;
    }

    bool Tear() {
        read_.tornLine = tokens_[at_].line;
        read_.tornOffset = tokens_[at_].offset;
        at_ = end_;
        return true;
    }

    bool ReadSwitchOpen() {
        const EditorTokens& editor = EditorTokens::Get();
        // The test of the combination whose tokens all match (or match as far as a
        // text cut short goes).
        for (std::size_t c = 0; c < editor.open.size(); ++c) {
            const std::vector<CToken>& pattern = editor.open[c];
            Match match = Match::Whole;
            for (std::size_t k = 0; k < pattern.size() && match != Match::Differs; ++k)
                if (const Match token = Compare(pattern[k].text, at_ + k); token != Match::Whole)
                    match = token;
            if (match == Match::Differs) continue;
            if (block_) Fail(Tr("Reader", "a push-button sequence opens inside another one"));
            if (match == Match::Torn) return Tear();
            at_ += pattern.size();
            block_ = kCombinations[c];
            ++sequences_;
            read_.blocks.push_back(AnimationBlock::Open(*block_));
            return true;
        }
        if (Compare("if", at_) == Match::Whole)
            Fail(Tr("Reader", "a push-button test the editor never writes"));
        return false;
    }

    bool ReadSwitchClose() {
        if (Compare("}", at_) != Match::Whole) return false;
        if (!block_) Fail(Tr("Reader", "a closing brace without an open push-button sequence"));
        block_.reset();
        ++at_;
        read_.blocks.push_back(AnimationBlock::Close());
        return true;
    }

    // Reads an integer constant at `k` tokens from at_, with its sign; how
    // many tokens it took, or 0 (and `torn` set) when none is there.
    std::size_t ReadInteger(std::size_t k, long long& value, bool& torn) const {
        torn = false;
        const bool minus = at_ + k < end_ && tokens_[at_ + k].text == "-";
        const std::size_t at = at_ + k + (minus ? 1 : 0);
        if (at >= end_) {
            torn = stillRecorded_;
            return 0;
        }
        const std::optional<long long> read = IntegerValue(tokens_[at].text);
        if (!read) return 0;
        value = minus ? -*read : *read;
        return minus ? 2 : 1;
    }

    void ReadFrame() {
        const EditorTokens& editor = EditorTokens::Get();
        const std::vector<CToken>& pattern = editor.frame;
        if (Compare(pattern.front().text, at_) == Match::Torn) {
            Tear();
            return;
        }
        if (Compare(pattern.front().text, at_) != Match::Whole)
            Fail(Tr("Reader", "text the editor never writes"));
        std::int32_t count = 0;
        CellState cells;
        std::size_t next = 0;   // the next of the cell slots
        std::size_t taken = 0;  // tokens of the text read so far beyond at_
        for (std::size_t k = 0; k < pattern.size(); ++k) {
            const bool countSlot = k == editor.countSlot;
            const bool cellSlot = next < editor.cellSlots.size() && k == editor.cellSlots[next];
            if (countSlot || cellSlot) {
                long long value = 0;
                bool torn = false;
                const std::size_t used = ReadInteger(taken, value, torn);
                if (torn) {
                    Tear();
                    return;
                }
                if (used == 0 && countSlot)
                    Fail(Tr("Reader", "a frame without a repeat count the editor can write"),
                         at_ + taken);
                if (used == 0)
                    Fail(Tr("Reader", "a frame whose cells are not numbers"), at_ + taken);
                if (countSlot) {
                    if (value > INT32_MAX / 15 || value < INT32_MIN / 15)
                        Fail(Tr("Reader", "a frame without a repeat count the editor can write"),
                             at_ + taken);
                    count = static_cast<std::int32_t>(value);
                } else {
                    const int cell = static_cast<int>(next) + 1;
                    if (value != 0 && value != 1)
                        read_.warnings.push_back(
                            Tr("Reader",
                               "line %1: cell %2 is given %3, which the cube does not show (0 is "
                               "dark, 1 lit): its LED keeps the state it had")
                                .Arg(tokens_[at_ + taken].line)
                                .Arg(cell)
                                .Arg(value));
                    cells.Set(cell, value == 1);
                    ++next;
                }
                taken += used;
                continue;
            }
            const Match match = Compare(pattern[k].text, at_ + taken);
            if (match == Match::Torn) {
                Tear();
                return;
            }
            if (match == Match::Differs)
                Fail(Tr("Reader", "a frame that differs from the editor's frames"), at_ + taken);
            ++taken;
        }
        at_ += taken;
        read_.blocks.push_back(AnimationBlock::Frame({count, cells}));
        read_.frames.push_back({count, cells, block_, block_ ? sequences_ : 0});
    }

    std::string_view text_;
    const std::vector<CToken>& tokens_;
    std::size_t at_;
    std::size_t end_;
    bool stillRecorded_ = false;
    std::optional<SwitchCombination> block_;
    int sequences_ = 0;
    BodyRead read_;
};

// The text of a finished program, checked and read whole.
BodyRead ReadFinished(std::string_view text) {
    CheckSingleProgram(text);
    const std::vector<CToken> tokens = Tokenize(text);
    return BodyReader(text, tokens, EditorTokens::Get().header.size(), tokens.size() - 2).Read();
}

// The line where two texts first differ; none when they are the same.
std::optional<long> FirstDifferentLine(std::string_view text, std::string_view editors) {
    const auto [at, other] =
        std::mismatch(text.begin(), text.end(), editors.begin(), editors.end());
    if (at == text.end() && other == editors.end()) return std::nullopt;
    return std::count(text.begin(), at, '\n') + 1;
}

std::string EditorText(const std::vector<AnimationBlock>& blocks) {
    std::string text = ProgramHeader();
    for (const AnimationBlock& block : blocks) text += BlockText(block);
    return text;
}

}  // namespace

void CheckSingleProgram(std::string_view text) {
    const std::vector<CToken> tokens = Tokenize(text);
    CheckHeader(text, tokens);
    const std::size_t programs = HeaderStarts(tokens).size();
    if (programs > 1)
        throw SimError(
            Tr("Reader",
               "the file holds %1 programs glued together (recorded one after another under "
               "the same name); keep one of them in a file of its own")
                .Arg(static_cast<long long>(programs)));
    if (!EndsWithProgramClose(tokens)) {
        const std::optional<long> torn = TornBlockLine(text);
        throw SimError(
            torn ? Tr("Reader",
                      "the program is unfinished: it does not end with the closing text that Finir "
                      "writes, and its last block is cut off at line %1")
                       .Arg(*torn)
                 : Tr("Reader",
                      "the program is unfinished: it does not end with the closing text that Finir "
                      "writes"));
    }
}

std::optional<long> TornBlockLine(std::string_view programText) {
    const std::vector<CToken> tokens = Tokenize(programText);
    if (HeaderStarts(tokens) != std::vector<std::size_t>{0} || EndsWithProgramClose(tokens))
        return std::nullopt;
    try {
        return BodyReader(programText, tokens, EditorTokens::Get().header.size(), tokens.size())
            .Read(true)
            .tornLine;
    } catch (const SimError&) {
        return std::nullopt;
    }
}

std::vector<RecordedFrame> ReadProgram(std::string_view text) {
    return ReadFinished(text).frames;
}

std::vector<std::string> ProgramWarnings(std::string_view text) {
    return ReadFinished(text).warnings;
}

Animation ReadAnimation(std::string_view programText) {
    return {ReadFinished(programText).blocks};
}

std::vector<ProgramInFile> ProgramsIn(std::string_view text) {
    const std::vector<CToken> tokens = Tokenize(text);
    CheckHeader(text, tokens);
    std::vector<std::size_t> starts = HeaderStarts(tokens);
    std::vector<ProgramInFile> programs;
    for (std::size_t p = 0; p < starts.size(); ++p) {
        const std::size_t from = p == 0 ? 0 : tokens[starts[p]].offset;
        const std::size_t to = p + 1 < starts.size() ? tokens[starts[p + 1]].offset : text.size();
        const std::size_t lastToken = p + 1 < starts.size() ? starts[p + 1] : tokens.size();
        const bool finished = lastToken - starts[p] >= EditorTokens::Get().header.size() + 2 &&
                              tokens[lastToken - 1].text == "}" &&
                              tokens[lastToken - 2].text == "}";
        programs.push_back({text.substr(from, to - from), finished});
    }
    return programs;
}

ChosenProgram ChooseProgram(std::string_view text, std::optional<int> number) {
    const std::vector<ProgramInFile> programs = ProgramsIn(text);
    const int count = static_cast<int>(programs.size());
    const bool lastUnfinished = !programs.back().finished;
    if (number && (*number < 1 || *number > count))
        throw SimError(Plural(count,
                              Tr("Reader", "there is no program %1: the file holds %2 program"),
                              Tr("Reader", "there is no program %1: the file holds %2 programs"))
                           .Arg(*number)
                           .Arg(count));
    int chosen = number.value_or(count);
    if (!number)
        while (chosen > 1 && !programs[chosen - 1].finished) --chosen;
    if (!number && count > 1 && !programs[chosen - 1].finished)
        throw SimError(
            Tr("Reader",
               "none of the %1 programs of the file is finished: none ends with the closing "
               "text that Finir writes")
                .Arg(count));
    if (!programs[chosen - 1].finished && count > 1)
        throw SimError(Tr("Reader",
                          "program %1 is unfinished: it does not end with the closing text "
                          "that Finir writes")
                           .Arg(chosen));
    if (!programs[chosen - 1].finished) CheckSingleProgram(programs[chosen - 1].text);
    return {programs[chosen - 1].text, chosen, count, lastUnfinished};
}

ProgramPreview PreviewLastProgram(std::string_view text) {
    const std::vector<ProgramInFile> programs = ProgramsIn(text);
    const ProgramInFile& last = programs.back();
    ProgramPreview preview;
    preview.text = std::string(last.text);
    preview.count = static_cast<int>(programs.size());
    preview.unfinished = !last.finished;
    if (last.finished) {
        try {
            BodyRead read = ReadFinished(last.text);
            preview.frames = std::move(read.frames);
            preview.warnings = std::move(read.warnings);
            preview.handEditedLine =
                FirstDifferentLine(last.text, EditorText(read.blocks) + ProgramClose());
        } catch (const SimError&) {
            // Edited beyond reading: it plays, but its frames are unknown.
        }
        return preview;
    }
    const std::vector<CToken> tokens = Tokenize(last.text);
    BodyRead read =
        BodyReader(last.text, tokens, EditorTokens::Get().header.size(), tokens.size()).Read(true);
    preview.frames = std::move(read.frames);
    preview.warnings = std::move(read.warnings);
    preview.openSequence = read.open;
    preview.tornLine = read.tornLine;
    // A block cut off in the middle is left out: the complete frames play.
    if (read.tornLine) preview.text.resize(read.tornOffset);
    preview.handEditedLine = FirstDifferentLine(preview.text, EditorText(read.blocks));
    if (read.open) preview.text += SwitchBlockClose();
    preview.text += ProgramClose();
    return preview;
}

long RoundPasses(const std::vector<RecordedFrame>& frames, SwitchCombination buttons) {
    long passes = 0;
    for (const RecordedFrame& frame : frames)
        if (PlaysUnder(frame, buttons) && frame.repeatCount > 0) passes += frame.repeatCount;
    return passes;
}

bool PlaysUnder(const RecordedFrame& frame, SwitchCombination buttons) {
    return !frame.block || *frame.block == buttons;
}

std::vector<SwitchCombination> ShowingCombinations(const std::vector<RecordedFrame>& frames) {
    std::vector<SwitchCombination> showing;
    for (const SwitchCombination buttons : kCombinations)
        if (RoundPasses(frames, buttons) > 0) showing.push_back(buttons);
    return showing;
}

}  // namespace ledcube::program
