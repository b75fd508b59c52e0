// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowLayout.h"

#include <algorithm>

namespace ledcube {

const std::vector<ControlSpec>& MainControls() {
    using enum ControlId;
    using enum ControlKind;
    static const std::vector<ControlSpec> controls = {
        {Label1, Label, {408, 144, 13, 13}, "ms", false, -1},
        {Label2, Label, {456, 32, 74, 13}, "Nom du fichier :", true, -1, true},
        {Label3, Label, {472, 144, 107, 13}, "Choix de l'interrupteur :", false, -1},
        {Etage3, RadioButton, {328, 64, 65, 17}, "Etage3", false, 27},
        {Etage2, RadioButton, {328, 88, 65, 17}, "Etage2", false, 28},
        {Etage1, RadioButton, {328, 112, 73, 17}, "Etage1", false, 29},
        {Suivant, Button, {328, 176, 81, 33}, "Suivant", false, 30},
        {Temps, EditBox, {328, 144, 65, 21}, "", false, 31},
        {Nomf, EditBox, {536, 24, 121, 21}, "", true, 32},
        {Commencer, Button, {536, 56, 121, 33}, "Commencer", true, 33},
        {Finir, Button, {328, 280, 81, 33}, "Finir", false, 34},
        {BP1, Button, {616, 128, 57, 33}, "BP1", false, 35},
        {BP2, Button, {616, 168, 57, 33}, "BP2", false, 36},
        {BP3, Button, {616, 208, 57, 33}, "BP3", false, 37},
        {Aucun, Button, {616, 248, 57, 33}, "Aucun", false, 38},
        {FinirBP, Button, {328, 224, 81, 33}, "FinirBP", false, 39},
        {TAllumer, Button, {24, 232, 105, 41}, "Tout allumer", false, 40},
        {TEteindre, Button, {24, 280, 105, 41}, "Tout eteindre", false, 41},
        {EEteindre, Button, {152, 280, 97, 41}, "Eteindre l'étage", false, 42},
        {EAllumer, Button, {152, 232, 97, 41}, "Allumer l'étage", false, 43},
    };
    return controls;
}

}  // namespace ledcube

namespace ledcube {

Rect PlaceWindowFrame(const Rect& frame, const Rect& available) {
    Rect placed = frame;
    placed.width = std::min(frame.width, available.width);
    placed.height = std::min(frame.height, available.height);
    placed.left =
        std::clamp(frame.left, available.left, available.left + available.width - placed.width);
    placed.top =
        std::clamp(frame.top, available.top, available.top + available.height - placed.height);
    return placed;
}

Rect LabelRect(const ControlSpec& label, int captionWidth) {
    Rect rect = label.rect;
    if (captionWidth <= rect.width) return rect;
    if (label.growsLeft) rect.left -= captionWidth - rect.width;
    rect.width = captionWidth;
    return rect;
}

}  // namespace ledcube
