// SPDX-License-Identifier: GPL-3.0-or-later
#include "RandomRecording.h"

#include <random>

#include "FakeMainView.h"
#include "TempHome.h"
#include "workflow/CellEditor.h"
#include "workflow/RecordingWorkflow.h"

namespace ledcube::test {

std::string RecordRandomProgram(unsigned seed) {
    TempHome home;
    FakeMainView view;
    view.AnswerWith(true);  // frames of no pass are kept
    CellState cells;
    OutputPath path;
    CellEditor editor(view, cells);
    RecordingWorkflow workflow(view, cells, path);
    std::mt19937 random(seed);
    const auto pick = [&](int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); };
    const char* const durations[] = {"0", "14", "15", "29", "150", "1000", "491519"};
    const auto frames = [&](int count) {
        for (int f = 0; f < count; ++f) {
            editor.TEteindreClick();
            for (int n = 1; n <= kCellCount; ++n)
                if (pick(3) == 0) editor.SetCell(n, true);
            view.Type(ControlId::Temps, durations[pick(7)]);
            workflow.SuivantClick();
        }
    };
    view.Type(ControlId::Nomf, "random");
    workflow.NomfChange();
    workflow.CommencerClick();
    const SwitchCombination combinations[] = {SwitchCombination::BP1, SwitchCombination::BP2,
                                              SwitchCombination::BP3, SwitchCombination::Aucun};
    for (int part = 0, parts = 3 + pick(4); part < parts; ++part) {
        frames(pick(3));  // between sequences
        // The second sequence repeats the first's combination.
        workflow.SwitchClick(part == 1 ? combinations[seed % 4] : combinations[part == 0 ? seed % 4 : pick(4)]);
        frames(part == 2 ? 0 : 1 + pick(4));
        workflow.FinirBPClick();
    }
    frames(pick(2));
    workflow.FinirClick();
    return home.Read("random.c");
}

}  // namespace ledcube::test
