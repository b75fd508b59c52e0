// SPDX-License-Identifier: GPL-3.0-or-later
// The cube filling one LED at a time, in order or at random, until all 27 are lit.
var settings = [
    {name: "order", kind: "choice", choices: ["in-order", "random"], default: "in-order"},
    {name: "seed", kind: "integer", min: 0, max: 1000000, default: 1}
];

function frame(t, n, s) {
    return oneByOne(t, n, s, true);
}
