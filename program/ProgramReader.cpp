// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/ProgramReader.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>

#include "base/Language.h"
#include "program/Animation.h"
#include "program/SimError.h"

namespace ledcube::sim {

namespace {

constexpr SwitchCombination kCombinations[] = {SwitchCombination::BP1, SwitchCombination::BP2,
                                               SwitchCombination::BP3, SwitchCombination::Aucun};

std::size_t CountOf(std::string_view text, std::string_view part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string_view::npos;
         at = text.find(part, at + part.size()))
        ++count;
    return count;
}

// Reads the body of a program (between header and closing text) block by block.
class BodyReader {
  public:
    BodyReader(std::string_view whole, std::size_t start, std::size_t end)
        : whole_(whole), at_(start), end_(end) {}

    // Reads up to the end; a program still being recorded may end inside a sequence.
    std::vector<RecordedFrame> Read(bool mayEndInSequence = false) {
        std::vector<RecordedFrame> frames;
        while (at_ < end_) {
            if (ReadSwitchOpen() || ReadSwitchClose()) continue;
            frames.push_back(ReadFrame());
        }
        if (block_ && !mayEndInSequence)
            Fail(Tr("Reader", "the last push-button sequence is not closed (FinirBP)"));
        return frames;
    }

    // Each block read is also put here, in order.
    void RecordBlocksIn(std::vector<AnimationBlock>* blocks) { blocks_ = blocks; }

    bool InSequence() const { return block_.has_value(); }
    std::optional<SwitchCombination> OpenBlock() const { return block_; }

  private:
    std::string_view Rest() const { return whole_.substr(at_, end_ - at_); }

    [[noreturn]] void Fail(const std::string& what) const {
        const long line = std::count(whole_.begin(), whole_.begin() + at_, '\n') + 1;
        throw SimError(Tr("Reader", "line %1: %2").Arg(line).Arg(what));
    }

    bool ReadSwitchOpen() {
        for (SwitchCombination combination : kCombinations) {
            const std::string open = SwitchBlockOpen(combination);
            if (!Rest().starts_with(open)) continue;
            if (block_) Fail(Tr("Reader", "a push-button sequence opens inside another one"));
            block_ = combination;
            ++sequences_;
            at_ += open.size();
            if (blocks_) blocks_->push_back(AnimationBlock::Open(combination));
            return true;
        }
        return false;
    }

    bool ReadSwitchClose() {
        if (!Rest().starts_with(SwitchBlockClose())) return false;
        if (!block_) Fail(Tr("Reader", "a closing brace without an open push-button sequence"));
        block_.reset();
        at_ += SwitchBlockClose().size();
        if (blocks_) blocks_->push_back(AnimationBlock::Close());
        return true;
    }

    RecordedFrame ReadFrame() {
        constexpr std::string_view kStart = "while(i<";
        if (!Rest().starts_with(kStart)) Fail(Tr("Reader", "text the editor never writes"));
        std::int32_t count = 0;
        const char* first = Rest().data() + kStart.size();
        const auto [end, error] = std::from_chars(first, Rest().data() + Rest().size(), count);
        if (error != std::errc() || count > INT32_MAX / 15 || count < INT32_MIN / 15)
            Fail(Tr("Reader", "a frame without a repeat count the editor can write"));

        // Cells: the nine values after each of the three "Leds(".
        CellState cells;
        std::size_t search = static_cast<std::size_t>(end - whole_.data());
        for (int layer = 1; layer <= kLayerCount; ++layer) {
            search = whole_.find("Leds(", search);
            if (search == std::string_view::npos || search >= end_)
                Fail(Tr("Reader", "a frame without its cells"));
            search += 5;
            for (int n = FirstCellOfLayer(layer); n <= LastCellOfLayer(layer); ++n, search += 2) {
                if (search >= end_) Fail(Tr("Reader", "a frame without its cells"));
                cells.Set(n, whole_[search] == '1');
            }
        }
        const std::string expected = FrameBlock(count * 15, cells);
        if (!Rest().starts_with(expected))
            Fail(Tr("Reader", "a frame that differs from the editor's frames"));
        at_ += expected.size();
        if (blocks_) blocks_->push_back(AnimationBlock::Frame({count, cells}));
        return {count, cells, block_, block_ ? sequences_ : 0};
    }

    std::string_view whole_;
    std::size_t at_;
    std::size_t end_;
    std::optional<SwitchCombination> block_;
    int sequences_ = 0;
    std::vector<AnimationBlock>* blocks_ = nullptr;
};

}  // namespace

void CheckSingleProgram(std::string_view text) {
    const std::string header = ProgramHeader();
    const std::size_t programs = CountOf(text, header);
    if (programs == 0 || !text.starts_with(header))
        throw SimError(Tr("Reader",
                          "this is not a program written by the editor: it does not start with its "
                          "program header"));
    if (programs > 1)
        throw SimError(
            Tr("Reader",
               "the file holds %1 programs glued together (recorded one after another under "
               "the same name); keep one of them in a file of its own")
                .Arg(static_cast<long long>(programs)));
    const std::string close = ProgramClose();
    if (!text.ends_with(close) || text.size() < header.size() + close.size())
        throw SimError(
            Tr("Reader",
               "the program is unfinished: it does not end with the closing text that Finir "
               "writes"));
}

std::vector<RecordedFrame> ReadProgram(std::string_view text) {
    CheckSingleProgram(text);
    return BodyReader(text, ProgramHeader().size(), text.size() - ProgramClose().size()).Read();
}

Animation ReadAnimation(std::string_view programText) {
    CheckSingleProgram(programText);
    Animation animation;
    BodyReader body(programText, ProgramHeader().size(),
                    programText.size() - ProgramClose().size());
    body.RecordBlocksIn(&animation.blocks);
    body.Read();
    return animation;
}

std::vector<ProgramInFile> ProgramsIn(std::string_view text) {
    const std::string header = ProgramHeader();
    if (!text.starts_with(header))
        throw SimError(Tr("Reader",
                          "this is not a program written by the editor: it does not start with its "
                          "program header"));
    std::vector<ProgramInFile> programs;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t next = text.find(header, start + header.size());
        if (next == std::string_view::npos) next = text.size();
        const std::string_view program = text.substr(start, next - start);
        programs.push_back({program, program.size() >= header.size() + ProgramClose().size() &&
                                         program.ends_with(ProgramClose())});
        start = next;
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
    if (!programs[chosen - 1].finished)
        throw SimError(count > 1
                           ? Tr("Reader",
                                "program %1 is unfinished: it does not end with the closing text "
                                "that Finir writes")
                                 .Arg(chosen)
                           : Tr("Reader",
                                "the program is unfinished: it does not end with the closing text "
                                "that Finir writes"));
    return {programs[chosen - 1].text, chosen, count, lastUnfinished};
}

ProgramPreview PreviewLastProgram(std::string_view text) {
    const std::vector<ProgramInFile> programs = ProgramsIn(text);
    const ProgramInFile& last = programs.back();
    ProgramPreview preview{std::string(last.text), static_cast<int>(programs.size()),
                           !last.finished, std::nullopt, std::nullopt};
    if (last.finished) {
        try {
            preview.frames = ReadProgram(last.text);
        } catch (const SimError&) {
            // Edited by hand: it plays, but its frames are unknown.
        }
        return preview;
    }
    BodyReader body(last.text, ProgramHeader().size(), last.text.size());
    preview.frames = body.Read(true);
    preview.openSequence = body.OpenBlock();
    if (body.InSequence()) preview.text += SwitchBlockClose();
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

}  // namespace ledcube::sim
