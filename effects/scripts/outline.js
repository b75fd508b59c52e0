// SPDX-License-Identifier: GPL-3.0-or-later
// The cube's edges, then its faces, in turn.
var settings = [];

function lit(x, y, z, t, n) {
    var outer = (x !== 1 ? 1 : 0) + (y !== 1 ? 1 : 0) + (z !== 1 ? 1 : 0);
    return t % 2 === 0 ? outer >= 2 : outer >= 1;
}
