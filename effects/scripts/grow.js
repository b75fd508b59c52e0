// SPDX-License-Identifier: GPL-3.0-or-later
// From the centre LED to the whole cube and back: each frame lights the LEDs
// one step further from the centre (the faces' centres, the edges, the corners).
var settings = [];

function lit(x, y, z, t, n) {
    var reach = [0, 1, 2, 3, 2, 1][t % 6];
    return Math.abs(x - 1) + Math.abs(y - 1) + Math.abs(z - 1) <= reach;
}
