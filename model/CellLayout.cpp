// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/CellLayout.h"

#include <algorithm>

#include "model/CellModel.h"

namespace ledcube {

Rect CheckBoxRect(int n) {
    const CellPlace place = PlaceOf(n);
    return {88 + 64 * place.column, 64 + 64 * place.row, 17, 17};
}

int CheckBoxTabOrder(int n) {
    static constexpr int kLayerOffset[] = {0, 2, 1};  // layer 1, 2, 3
    const CellPlace place = PlaceOf(n);
    return 3 * (place.position - 1) + kLayerOffset[place.layer - 1];
}

Rect IndicatorRect(int n) {
    const CellPlace place = PlaceOf(n);
    return {320 - 40 * place.row + 120 * place.column,
            608 - 120 * (place.layer - 1) + 32 * place.row, 17 + 8 * place.row, 33};
}

int LampHeight(int n) {
    return 15 + 5 * PlaceOf(n).row;
}

Rect LampRect(int controlWidth, int controlHeight, int lampHeight) {
    const int size = std::max(0, std::min({lampHeight, controlWidth, controlHeight}));
    return {0, (controlHeight - size) / 2, size, size};
}

}  // namespace ledcube
