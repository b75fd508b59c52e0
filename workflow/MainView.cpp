// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/MainView.h"

#include <array>

namespace ledcube {

std::string ControlName(ControlId id) {
    static constexpr std::array<const char*, static_cast<int>(ControlId::D1)> kNamed = {
        "Label1", "Label2",  "Label3",    "Etage1",    "Etage2",    "Etage3",  "Suivant",
        "Temps",  "Nomf",    "Commencer", "Finir",     "BP1",       "BP2",     "BP3",
        "Aucun",  "FinirBP", "TAllumer",  "TEteindre", "EEteindre", "EAllumer"};
    const int index = static_cast<int>(id);
    if (index < static_cast<int>(ControlId::D1)) return kNamed[index];
    if (index <= static_cast<int>(ControlId::D27))
        return "D" + std::to_string(index - static_cast<int>(ControlId::D1) + 1);
    return "LED" + std::to_string(index - static_cast<int>(ControlId::LED1) + 1);
}

}  // namespace ledcube
