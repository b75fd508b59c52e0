// SPDX-License-Identifier: GPL-3.0-or-later
// The whole cube going dark one LED at a time, in order or at random, until none is lit.
var settings = [
    {name: "order", kind: "choice", choices: ["in-order", "random"], default: "in-order"},
    {name: "seed", kind: "integer", min: 0, max: 1000000, default: 1}
];

function frame(t, n, s) {
    var going = shuffled(27, s.order === "random" ? s.seed : undefined);
    var dark = Math.min(27, Math.ceil((t + 1) * 27 / n));
    var cells = [];
    for (var i = 0; i < 27; ++i) cells.push(true);
    for (var c = 0; c < dark; ++c) cells[going[c]] = false;
    return cells;
}
