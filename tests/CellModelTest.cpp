// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <stdexcept>

#include "model/CellModel.h"

namespace ledcube {
namespace {

struct PlaceCase {
    int cell;
    CellPlace place;
};

void PrintTo(const PlaceCase& c, std::ostream* out) {
    *out << "cell " << c.cell;
}

class CellPlaceTest : public testing::TestWithParam<PlaceCase> {};

TEST_P(CellPlaceTest, DerivesLayerPositionRowColumn) {
    const auto& [cell, expected] = GetParam();
    const CellPlace place = PlaceOf(cell);
    EXPECT_EQ(place.layer, expected.layer);
    EXPECT_EQ(place.position, expected.position);
    EXPECT_EQ(place.row, expected.row);
    EXPECT_EQ(place.column, expected.column);
}

INSTANTIATE_TEST_SUITE_P(Cells, CellPlaceTest,
                         testing::Values(PlaceCase{1, {1, 1, 0, 0}}, PlaceCase{3, {1, 3, 0, 2}},
                                         PlaceCase{5, {1, 5, 1, 1}}, PlaceCase{9, {1, 9, 2, 2}},
                                         PlaceCase{10, {2, 1, 0, 0}}, PlaceCase{14, {2, 5, 1, 1}},
                                         PlaceCase{16, {2, 7, 2, 0}}, PlaceCase{18, {2, 9, 2, 2}},
                                         PlaceCase{19, {3, 1, 0, 0}}, PlaceCase{27, {3, 9, 2, 2}}));

TEST(CellModel, EveryCellLiesInExactlyTheLayerThatListsIt) {
    int seen = 0;
    for (int layer = 1; layer <= kLayerCount; ++layer) {
        int previous = 0;
        for (int n : CellsOfLayer(layer)) {
            EXPECT_EQ(PlaceOf(n).layer, layer) << n;
            EXPECT_GT(n, previous);
            previous = n;
            ++seen;
        }
    }
    EXPECT_EQ(seen, kCellCount);
    EXPECT_EQ(CellsOfLayer(2).front(), 10);
    EXPECT_EQ(CellsOfLayer(2).back(), 18);
    EXPECT_THROW(CellsOfLayer(0), std::out_of_range);
    EXPECT_THROW(CellsOfLayer(4), std::out_of_range);
}

TEST(CellModel, StoresOnlyZeroOrOneAndRefusesBadNumbers) {
    CellState cells;
    for (int n = 1; n <= kCellCount; ++n) EXPECT_EQ(cells.Get(n), 0);
    cells.Set(14, true);
    const CellState once = cells;
    cells.Set(14, true);  // storing the value a cell already has changes nothing
    EXPECT_EQ(cells, once);
    EXPECT_EQ(cells.Get(14), 1);
    EXPECT_EQ(cells.Values()[13], 1);
    cells.Set(14, false);
    EXPECT_EQ(cells, CellState{});
    EXPECT_THROW(cells.Get(0), std::out_of_range);
    EXPECT_THROW(cells.Set(28, true), std::out_of_range);
}

}  // namespace
}  // namespace ledcube
