// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include <cctype>

namespace ledcube::test {

CellState CellsOn(std::initializer_list<int> lit) {
    CellState cells;
    for (int n : lit) cells.Set(n, true);
    return cells;
}

std::string TestName(std::string description) {
    for (char& c : description)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return description;
}

}  // namespace ledcube::test
