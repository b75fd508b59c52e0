// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "chip/Chips.h"
#include "chip/ShowDecoder.h"
#include "firmware/FirmwareText.h"

namespace ledcube::player {

// What an export made: the frames drawn, or why there are none.
struct Exported {
    std::vector<chip::ShownFrame> frames;
    QString problem;
};

// Builds the last program of `program` for the chip (unrolled, else compact)
// and writes what its simulated chip shows under `buttons`, one round of the
// frames, as an animated GIF named `gif`. Never throws: a failure is the
// result's problem.
Exported ExportAnimation(const std::string& program, const std::string& name,
                         const chip::Chip& chip, SwitchCombination buttons, const std::string& gif);

// Runs ExportAnimation on a thread of its own; `done` gets its result on the
// thread of `context`, unless the context is gone by then.
void ExportInBackground(QObject* context, std::string program, std::string name, chip::Chip chip,
                        SwitchCombination buttons, QString gif,
                        std::function<void(const Exported&)> done);

// "Wrote ~/D/cube1.gif: 12 frames, 3.1 s under BP1."
QString ExportedSentence(const Exported& exported, const QString& gif, SwitchCombination buttons);

}  // namespace ledcube::player
