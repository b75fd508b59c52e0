// SPDX-License-Identifier: GPL-3.0-or-later
// A plane sweeping through the cube along one axis, there and back or one way.
var settings = [
    {name: "axis", kind: "choice", choices: ["z", "x", "y"], default: "z"},
    {name: "way", kind: "choice", choices: ["there-and-back", "one-way"], default: "there-and-back"}
];

function lit(x, y, z, t, n, s) {
    var at = s.way === "one-way" ? t % 3 : [0, 1, 2, 1][t % 4];
    var along = s.axis === "x" ? x : s.axis === "y" ? y : z;
    return along === at;
}
