// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "FakeMainView.h"
#include "TempHome.h"
#include "workflow/CellEditor.h"
#include "workflow/RecordingWorkflow.h"

namespace ledcube::test {

// The editor's logic on a fake window, writing into a temporary home: how
// tests record a program as the user would.
struct EditorLogic {
    TempHome home;
    FakeMainView view;
    CellState cells;
    OutputPath path;
    CellEditor editor{view, cells};
    RecordingWorkflow workflow{view, cells, path};

    // Types the file's name and presses Commencer.
    void Start(const std::string& name);
    // Records one frame with exactly these cells lit.
    void Frame(const CellState& lit, const std::string& ms);
};

// A program recorded through the editor's logic by a random user: several
// sequences (a combination chosen twice, one left empty), frames between
// them, durations of no pass, one pass and the most passes, random cells.
std::string RecordRandomProgram(unsigned seed);

}  // namespace ledcube::test
