// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the cell check boxes and the cube picture's lamps sit in the window,
// as pure functions of the cell number so they can be checked without painting.

namespace ledcube {

// A rectangle in window client coordinates, in pixels.
struct Rect {
    int left;
    int top;
    int width;
    int height;
    bool operator==(const Rect&) const = default;
};

// The check box Dn: a 3×3 grid, back row at the top; the three layers'
// boxes of one position lie on top of each other.
Rect CheckBoxRect(int n);

// Tab order of Dn: by position, then layer 1, layer 3, layer 2.
int CheckBoxTabOrder(int n);

// The indicator LEDn in the oblique view of the cube: layers stacked 120 px
// apart with layer 1 lowest, each row further forward 40 px left, 32 px lower
// and larger.
Rect IndicatorRect(int n);

// Diameter of LEDn's lamp: 15, 20 or 25 from the back row to the front.
int LampHeight(int n);

// The lamp's circle inside an indicator of the given size: on the left,
// centred vertically, never larger than the control.
Rect LampRect(int controlWidth, int controlHeight, int lampHeight);

}  // namespace ledcube
