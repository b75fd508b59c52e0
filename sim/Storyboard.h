// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGuiApplication>
#include <QPoint>
#include <QRectF>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "chip/ShowDecoder.h"

namespace ledcube::sim {

// Draws one small cube per shown frame, with its passes and duration, in rows
// of up to six under a title line, with the lamp geometry of the editor's
// cube; each new round of the sequence (`rounds`, one entry per frame, as
// RoundOf gives) starts a new row. Writes a PNG file; raises SimError when the
// file cannot be written.
// Where each shown frame's tile goes, column and row, given the round of each
// frame: up to six a row, a new row for each round.
std::vector<QPoint> StoryboardPlaces(const std::vector<long>& rounds);

// The box the small cube of the tile at `place` is drawn in, in the image.
QRectF StoryboardCube(QPoint place);

void WriteStoryboard(const std::vector<chip::ShownFrame>& frames, const std::vector<long>& rounds,
                     const std::string& title, const std::filesystem::path& png);

}  // namespace ledcube::sim
