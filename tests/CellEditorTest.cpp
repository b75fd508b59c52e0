// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "FakeMainView.h"
#include "TestSupport.h"
#include "workflow/CellEditor.h"

namespace ledcube {
namespace {

// A window, its cells and the editor working on them.
struct Editing {
    test::FakeMainView view;
    CellState cells;
    CellEditor editor{view, cells};

    // The user ticks or unticks check box Dn.
    void Tick(int n) {
        view.Toggle(CheckBoxOf(n));
        editor.CellClick(n);
    }
    // The user picks a layer's radio button.
    void Choose(int layer) {
        view.ChooseLayer(layer);
        editor.LayerClick(layer);
    }
};

struct EditCase {
    const char* name;
    std::function<void(Editing&)> actions;
    std::set<int> lit;
    int shownLayer;
};

void PrintTo(const EditCase& c, std::ostream* out) {
    *out << c.name;
}

class CellEditingTest : public testing::TestWithParam<EditCase> {};

TEST_P(CellEditingTest, KeepsCheckBoxLampAndCellEqual) {
    Editing editing;
    GetParam().actions(editing);
    for (int n = 1; n <= kCellCount; ++n) {
        const bool on = GetParam().lit.contains(n);
        EXPECT_EQ(editing.view.IsChecked(CheckBoxOf(n)), on) << "D" << n;
        EXPECT_EQ(editing.view.IsLit(IndicatorOf(n)), on) << "LED" << n;
        EXPECT_EQ(editing.cells.Get(n), on ? 1 : 0) << "cell " << n;
        EXPECT_EQ(editing.view.IsVisible(CheckBoxOf(n)), PlaceOf(n).layer == GetParam().shownLayer)
            << "D" << n;
        EXPECT_TRUE(editing.view.IsVisible(IndicatorOf(n))) << "LED" << n;
    }
}

std::set<int> Range(int first, int last) {
    std::set<int> cells;
    for (int n = first; n <= last; ++n) cells.insert(n);
    return cells;
}

std::set<int> Except(std::set<int> cells, const std::set<int>& removed) {
    for (int n : removed) cells.erase(n);
    return cells;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, CellEditingTest,
                         testing::Values(EditCase{"nothing", [](Editing&) {}, {}, 1},
                                         EditCase{"tick D5", [](Editing& e) { e.Tick(5); }, {5}, 1},
                                         EditCase{"tick D14 on layer 2",
                                                  [](Editing& e) {
                                                      e.Choose(2);
                                                      e.Tick(14);
                                                  },
                                                  {14},
                                                  2},
                                         EditCase{"tick D14 twice",
                                                  [](Editing& e) {
                                                      e.Choose(2);
                                                      e.Tick(14);
                                                      e.Tick(14);
                                                  },
                                                  {},
                                                  2},
                                         EditCase{"all on then layer 3",
                                                  [](Editing& e) {
                                                      e.editor.TAllumerClick();
                                                      e.Choose(3);
                                                  },
                                                  Range(1, 27), 3},
                                         EditCase{"all on, all off",
                                                  [](Editing& e) {
                                                      e.editor.TAllumerClick();
                                                      e.editor.TEteindreClick();
                                                  },
                                                  {},
                                                  1},
                                         EditCase{"layer 2 off after all on",
                                                  [](Editing& e) {
                                                      e.editor.TAllumerClick();
                                                      e.Choose(2);
                                                      e.editor.EEteindreClick();
                                                  },
                                                  Except(Range(1, 27), Range(10, 18)), 2},
                                         EditCase{"layer 3 on only",
                                                  [](Editing& e) {
                                                      e.Choose(3);
                                                      e.editor.EAllumerClick();
                                                  },
                                                  Range(19, 27), 3},
                                         EditCase{"hidden boxes keep their marks",
                                                  [](Editing& e) {
                                                      e.Tick(1);
                                                      e.Choose(2);
                                                      e.Tick(10);
                                                      e.Choose(1);
                                                  },
                                                  {1, 10},
                                                  1},
                                         EditCase{"current layer chosen again",
                                                  [](Editing& e) {
                                                      e.Tick(3);
                                                      e.Choose(1);
                                                      e.Choose(1);
                                                  },
                                                  {3},
                                                  1},
                                         EditCase{"click of an unchecked layer button does nothing",
                                                  [](Editing& e) { e.editor.LayerClick(3); },
                                                  {},
                                                  1}),
                         [](const testing::TestParamInfo<EditCase>& info) {
                             return test::TestName(info.param.name);
                         });

TEST(CellEditor, BulkCommandsTouchEveryCellOfTheirRangeWhateverItWas) {
    Editing editing;
    editing.Tick(2);
    editing.Tick(4);
    editing.editor.EAllumerClick();  // layer 1: the ticked cells stay on, the rest come on
    for (int n = 1; n <= 9; ++n) EXPECT_EQ(editing.cells.Get(n), 1) << n;
    for (int n = 10; n <= 27; ++n) EXPECT_EQ(editing.cells.Get(n), 0) << n;
}

}  // namespace
}  // namespace ledcube
