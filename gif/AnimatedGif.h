// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "chip/Chips.h"
#include "chip/ShowDecoder.h"
#include "firmware/FirmwareText.h"
#include "program/ProgramReader.h"

namespace ledcube::gif {

// The width of an animation unless another is asked for, in pixels.
inline constexpr int kGifSize = 320;

// The height of the title line above the cube, for an animation `size` pixels wide.
int GifTitleHeight(int size);

// The box the cube is drawn in, in an animation `size` pixels wide.
QRectF GifCube(int size);

// The animation's title line: "cube1.c, buttons BP1", and the chip when it is not the cube's own.
std::string GifTitle(const std::string& name, SwitchCombination buttons, const chip::Chip& chip);

// Writes the show as an animated GIF that loops for ever (with giflib): one
// picture per shown frame lasting as long, the cube drawn with the one cube
// painter `size` pixels wide under a title line, in a small fixed palette of
// the painter's colours. Raises SimError when the file cannot be written.
void WriteAnimatedGif(const std::vector<chip::ShownFrame>& frames, const std::string& title,
                      int size, const std::filesystem::path& gif);

// The frames of a show that go into its animation: the first round of the
// frames (a round lasts `roundPasses` passes; unknown when 0), or all of them
// when the show was run for a chosen time.
std::vector<chip::ShownFrame> AnimationFrames(const std::vector<chip::ShownFrame>& show,
                                              long roundPasses, bool wholeShow);

// Runs the HEX on the simulated chip with `buttons` held, long enough for a
// round of `frames` (ten seconds when they are unknown), and writes that round
// of what the cube shows as an animated GIF `size` pixels wide. Returns the
// frames drawn.
std::vector<chip::ShownFrame> ExportAnimation(
    const std::filesystem::path& hex,
    const std::optional<std::vector<program::RecordedFrame>>& frames, SwitchCombination buttons,
    const chip::Chip& chip, const std::string& title, int size, const std::filesystem::path& gif);

}  // namespace ledcube::gif
