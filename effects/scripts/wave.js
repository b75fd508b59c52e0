// SPDX-License-Identifier: GPL-3.0-or-later
// A sheet rising and falling across the cube, one layer a column apart.
var settings = [
    {name: "across", kind: "choice", choices: ["x", "y"], default: "x"}
];

function lit(x, y, z, t, n, s) {
    var along = s.across === "y" ? y : x;
    return z === [0, 1, 2, 1][(t + along) % 4];
}
