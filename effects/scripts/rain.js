// SPDX-License-Identifier: GPL-3.0-or-later
// Drops that start in the top layer and fall one layer a frame, leaving at the bottom.
var settings = [
    {name: "density", kind: "number", min: 0, max: 1, default: 0.3},
    {name: "seed", kind: "integer", min: 0, max: 1000000, default: 1}
];

// Whether a drop starts above column (x, y) at frame k.
function born(x, y, k, s) {
    return k >= 0 && random(s.seed * 1000003 + k * 9 + y * 3 + x)() < s.density;
}

function lit(x, y, z, t, n, s) {
    return born(x, y, t - (2 - z), s);
}
