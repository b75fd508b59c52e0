// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "model/CellLayout.h"
#include "workflow/MainView.h"

namespace ledcube {

// The main window's outer frame, title bar included.
inline constexpr Rect kWindowFrame = {261, 141, 973, 822};
// The status line, below the cube's lowest lamps, where the window is empty.
inline constexpr Rect kStatusLineRect = {24, 728, 925, 36};

enum class ControlKind { Label, RadioButton, Button, EditBox };

// One control of the main window other than the cell grid and the lamps.
struct ControlSpec {
    ControlId id;
    ControlKind kind;
    Rect rect;
    const char* caption;  // UTF-8; empty for edit boxes
    bool shownAtStart;
    int tabOrder;  // -1 for labels, which take no focus
    // A label whose caption needs more room than its width grows away from
    // what it names: to the left when it stands before its control.
    bool growsLeft = false;
};

// The workflow controls, labels and bulk buttons, in the order they are created.
const std::vector<ControlSpec>& MainControls();

}  // namespace ledcube

namespace ledcube {

// Where the window's outer frame goes on a screen whose free area (without
// panels and task bars) is `available`: where the layout puts it when the
// free area holds it; else inside the free area, as close to the layout's
// place as it can be and no larger than the free area (the client area then
// scrolls).
Rect PlaceWindowFrame(const Rect& frame, const Rect& available);

// Where a label goes once its caption is measured: the given width at least,
// wide enough for the caption, grown to the right or (growsLeft) to the left.
Rect LabelRect(const ControlSpec& label, int captionWidth);

}  // namespace ledcube
