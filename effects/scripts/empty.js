// SPDX-License-Identifier: GPL-3.0-or-later
// The whole cube going dark one LED at a time, in order or at random, until none is lit.
var settings = [
    {name: "order", kind: "choice", choices: ["in-order", "random"], default: "in-order"},
    {name: "seed", kind: "integer", min: 0, max: 1000000, default: 1}
];

function frame(t, n, s) {
    return oneByOne(t, n, s, false);
}
