// SPDX-License-Identifier: GPL-3.0-or-later
#include "RandomRecording.h"

#include <random>

namespace ledcube::test {

void EditorLogic::Start(const std::string& name) {
    view.Type(ControlId::Nomf, name);
    workflow.NomfChange();
    workflow.CommencerClick();
}

void EditorLogic::Frame(const CellState& lit, const std::string& ms) {
    editor.TEteindreClick();
    for (int n = 1; n <= kCellCount; ++n)
        if (lit.Get(n)) editor.SetCell(n, true);
    view.Type(ControlId::Temps, ms);
    workflow.SuivantClick();
}

std::string RecordRandomProgram(unsigned seed) {
    EditorLogic logic;
    logic.view.AnswerWith(true);  // frames of no pass are kept
    std::mt19937 random(seed);
    const auto pick = [&](int count) {
        return static_cast<int>(random() % static_cast<unsigned>(count));
    };
    const char* const durations[] = {"0", "14", "15", "29", "150", "1000", "491519"};
    const auto frames = [&](int count) {
        for (int f = 0; f < count; ++f) {
            CellState lit;
            for (int n = 1; n <= kCellCount; ++n) lit.Set(n, pick(3) == 0);
            logic.Frame(lit, durations[pick(7)]);
        }
    };
    logic.Start("random");
    const SwitchCombination combinations[] = {SwitchCombination::BP1, SwitchCombination::BP2,
                                              SwitchCombination::BP3, SwitchCombination::Aucun};
    for (int part = 0, parts = 3 + pick(4); part < parts; ++part) {
        frames(pick(3));  // between sequences
        // The second sequence repeats the first's combination.
        logic.workflow.SwitchClick(part == 1 ? combinations[seed % 4]
                                             : combinations[part == 0 ? seed % 4 : pick(4)]);
        frames(part == 2 ? 0 : 1 + pick(4));
        logic.workflow.FinirBPClick();
    }
    frames(pick(2));
    logic.workflow.FinirClick();
    return logic.home.Read("random.c");
}

}  // namespace ledcube::test
