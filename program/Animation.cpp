// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/Animation.h"

#include <algorithm>

#include "base/Language.h"
#include "program/SimError.h"

namespace ledcube::program {

namespace {

using Kind = AnimationBlock::Kind;

bool IsFrame(const Animation& animation, int at) {
    return animation.blocks[static_cast<std::size_t>(at)].kind == Kind::Frame;
}

int Size(const Animation& animation) {
    return static_cast<int>(animation.blocks.size());
}

// The brace that closes the sequence opened at `open`.
int ClosingOf(const Animation& animation, int open) {
    int at = open + 1;
    while (at < Size(animation) &&
           animation.blocks[static_cast<std::size_t>(at)].kind != Kind::Close)
        ++at;
    return at;
}

int CellNumber(int layer, int row, int column) {
    return (layer - 1) * kCellsPerLayer + row * 3 + column + 1;
}

}  // namespace

std::string BlockText(const AnimationBlock& block) {
    switch (block.kind) {
        case Kind::Frame:
            return FrameBlock(block.frame.repeatCount * 15, block.frame.cells);
        case Kind::Open:
            return SwitchBlockOpen(block.combination);
        case Kind::Close:
            return SwitchBlockClose();
    }
    return {};
}

std::string AnimationText(const Animation& animation) {
    std::string text = ProgramHeader();
    for (const AnimationBlock& block : animation.blocks) text += BlockText(block);
    return text + ProgramClose();
}

std::vector<RecordedFrame> AnimationFrames(const Animation& animation) {
    std::vector<RecordedFrame> frames;
    std::optional<SwitchCombination> open;
    int sequences = 0;
    for (const AnimationBlock& block : animation.blocks) {
        if (block.kind == Kind::Open) {
            open = block.combination;
            ++sequences;
        } else if (block.kind == Kind::Close) {
            open.reset();
        } else {
            frames.push_back(
                {block.frame.repeatCount, block.frame.cells, open, open ? sequences : 0});
        }
    }
    return frames;
}

std::string FramesText(const std::vector<AnimationFrame>& frames) {
    std::string text;
    for (const AnimationFrame& frame : frames) text += BlockText(AnimationBlock::Frame(frame));
    return text;
}

std::vector<AnimationFrame> FramesFromText(std::string_view text) {
    Animation animation;
    try {
        animation = ReadAnimation(ProgramHeader() + std::string(text) + ProgramClose());
    } catch (const SimError&) {
        throw SimError(Tr("Reader", "the text is not frames as the editor writes them"));
    }
    std::vector<AnimationFrame> frames;
    for (const AnimationBlock& block : animation.blocks)
        if (block.kind == Kind::Frame) frames.push_back(block.frame);
    if (frames.empty()) throw SimError(Tr("Reader", "the text holds no frame"));
    return frames;
}

int FrameNumber(const Animation& animation, int block) {
    int number = 0;
    for (int at = 0; at < block; ++at) number += IsFrame(animation, at) ? 1 : 0;
    return number;
}

std::vector<int> FrameBlocks(const Animation& animation, const std::vector<int>& blocks) {
    std::vector<int> frames;
    for (const int at : blocks)
        if (IsFrame(animation, at)) frames.push_back(at);
    return frames;
}

std::vector<AnimationFrame> FramesAt(const Animation& animation, const std::vector<int>& blocks) {
    std::vector<AnimationFrame> frames;
    for (const int at : blocks)
        if (IsFrame(animation, at))
            frames.push_back(animation.blocks[static_cast<std::size_t>(at)].frame);
    return frames;
}

std::optional<int> SequenceOpening(const Animation& animation, int at) {
    for (int i = at; i >= 0; --i) {
        const Kind kind = animation.blocks[static_cast<std::size_t>(i)].kind;
        if (kind == Kind::Open) return i;
        if (kind == Kind::Close) return std::nullopt;
    }
    return std::nullopt;
}

std::pair<int, int> SequenceNumber(const Animation& animation, int open) {
    const SwitchCombination combination =
        animation.blocks[static_cast<std::size_t>(open)].combination;
    int number = 0;
    int count = 0;
    for (int i = 0; i < Size(animation); ++i) {
        const AnimationBlock& block = animation.blocks[static_cast<std::size_t>(i)];
        if (block.kind != Kind::Open || block.combination != combination) continue;
        ++count;
        if (i <= open) number = count;
    }
    return {number, count};
}

std::vector<int> DeleteBlocks(Animation& animation, const std::vector<int>& selected) {
    if (selected.empty()) return {};
    std::vector<bool> gone(animation.blocks.size(), false);
    for (const int at : selected) {
        gone[static_cast<std::size_t>(at)] = true;
        if (!IsFrame(animation, at))
            for (int i = at; i <= ClosingOf(animation, at); ++i)
                gone[static_cast<std::size_t>(i)] = true;
    }
    std::vector<AnimationBlock> kept;
    for (std::size_t i = 0; i < animation.blocks.size(); ++i)
        if (!gone[i]) kept.push_back(animation.blocks[i]);
    animation.blocks = std::move(kept);
    if (animation.blocks.empty()) return {};
    // The block that took the first deleted one's place, or the last before it.
    const int first = std::min(selected.front(), Size(animation) - 1);
    for (int at = first; at < Size(animation); ++at)
        if (animation.blocks[static_cast<std::size_t>(at)].kind != Kind::Close) return {at};
    for (int at = first; at >= 0; --at)
        if (animation.blocks[static_cast<std::size_t>(at)].kind != Kind::Close) return {at};
    return {};
}

int InsertionPoint(const Animation& animation, const std::vector<int>& selected) {
    return selected.empty() ? Size(animation) : selected.back() + 1;
}

std::vector<int> InsertFrames(Animation& animation, int at,
                              const std::vector<AnimationFrame>& frames) {
    std::vector<int> placed;
    std::vector<AnimationBlock> blocks;
    for (const AnimationFrame& frame : frames) {
        blocks.push_back(AnimationBlock::Frame(frame));
        placed.push_back(at + static_cast<int>(placed.size()));
    }
    animation.blocks.insert(animation.blocks.begin() + at, blocks.begin(), blocks.end());
    return placed;
}

std::vector<int> MoveFrames(Animation& animation, const std::vector<int>& selected, int direction) {
    std::vector<bool> chosen(animation.blocks.size(), false);
    for (const int at : FrameBlocks(animation, selected))
        chosen[static_cast<std::size_t>(at)] = true;
    const int size = Size(animation);
    // The frame nearest the way it goes moves first; one that meets a chosen
    // frame that could not move stays where it is.
    for (int k = 0; k < size; ++k) {
        const int at = direction < 0 ? k : size - 1 - k;
        const int to = at + direction;
        if (!chosen[static_cast<std::size_t>(at)] || to < 0 || to >= size ||
            chosen[static_cast<std::size_t>(to)])
            continue;
        std::swap(animation.blocks[static_cast<std::size_t>(at)],
                  animation.blocks[static_cast<std::size_t>(to)]);
        chosen[static_cast<std::size_t>(at)] = false;
        chosen[static_cast<std::size_t>(to)] = true;
    }
    std::vector<int> moved;
    for (int at = 0; at < size; ++at)
        if (chosen[static_cast<std::size_t>(at)]) moved.push_back(at);
    return moved;
}

std::vector<int> MoveFramesTo(Animation& animation, const std::vector<int>& selected, int to) {
    const std::vector<int> frames = FrameBlocks(animation, selected);
    const std::vector<AnimationFrame> moving = FramesAt(animation, frames);
    for (auto at = frames.rbegin(); at != frames.rend(); ++at) {
        animation.blocks.erase(animation.blocks.begin() + *at);
        if (*at < to) --to;
    }
    return InsertFrames(animation, std::clamp(to, 0, Size(animation)), moving);
}

std::vector<int> NewSequence(Animation& animation, const std::vector<int>& selected,
                             SwitchCombination combination) {
    const bool together =
        !selected.empty() &&
        selected.back() - selected.front() + 1 == static_cast<int>(selected.size()) &&
        std::all_of(selected.begin(), selected.end(), [&](int at) {
            return IsFrame(animation, at) && !SequenceOpening(animation, at);
        });
    const auto at = [&](int i) { return animation.blocks.begin() + i; };
    if (together) {
        animation.blocks.insert(at(selected.back() + 1), AnimationBlock::Close());
        animation.blocks.insert(at(selected.front()), AnimationBlock::Open(combination));
        return {selected.front()};
    }
    int point = Size(animation);
    if (!selected.empty()) {
        const std::optional<int> open = SequenceOpening(animation, selected.back());
        point = open ? ClosingOf(animation, *open) + 1 : selected.back() + 1;
    }
    animation.blocks.insert(at(point),
                            {AnimationBlock::Open(combination), AnimationBlock::Close()});
    return {point};
}

CellState Transformed(const CellState& cells, CellTransform transform) {
    CellState result;
    for (int n = 1; n <= kCellCount; ++n) {
        const bool on = cells.Get(n) != 0;
        if (transform == CellTransform::Invert) {
            result.Set(n, !on);
            continue;
        }
        if (!on) continue;
        const CellPlace place = PlaceOf(n);
        int layer = place.layer;
        int row = place.row;
        int column = place.column;
        switch (transform) {
            case CellTransform::ShiftRight:
                ++column;
                break;
            case CellTransform::ShiftLeft:
                --column;
                break;
            case CellTransform::ShiftFront:
                ++row;
                break;
            case CellTransform::ShiftBack:
                --row;
                break;
            case CellTransform::ShiftUp:
                ++layer;
                break;
            case CellTransform::ShiftDown:
                --layer;
                break;
            case CellTransform::TurnClockwise:
                row = place.column;
                column = 2 - place.row;
                break;
            case CellTransform::TurnAnticlockwise:
                row = 2 - place.column;
                column = place.row;
                break;
            case CellTransform::MirrorLeftRight:
                column = 2 - column;
                break;
            case CellTransform::MirrorBackFront:
                row = 2 - row;
                break;
            case CellTransform::MirrorTopBottom:
                layer = kLayerCount + 1 - layer;
                break;
            case CellTransform::Invert:
                break;
        }
        if (layer < 1 || layer > kLayerCount || row < 0 || row > 2 || column < 0 || column > 2)
            continue;
        result.Set(CellNumber(layer, row, column), true);
    }
    return result;
}

void TransformFrames(Animation& animation, const std::vector<int>& selected,
                     CellTransform transform) {
    for (const int at : FrameBlocks(animation, selected)) {
        CellState& cells = animation.blocks[static_cast<std::size_t>(at)].frame.cells;
        cells = Transformed(cells, transform);
    }
}

}  // namespace ledcube::program
