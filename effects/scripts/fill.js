// SPDX-License-Identifier: GPL-3.0-or-later
// The cube filling one LED at a time, in order or at random, until all 27 are lit.
var settings = [
    {name: "order", kind: "choice", choices: ["in-order", "random"], default: "in-order"},
    {name: "seed", kind: "integer", min: 0, max: 1000000, default: 1}
];

function frame(t, n, s) {
    var lighting = shuffled(27, s.order === "random" ? s.seed : undefined);
    var count = Math.min(27, Math.ceil((t + 1) * 27 / n));
    var cells = [];
    for (var i = 0; i < 27; ++i) cells.push(false);
    for (var c = 0; c < count; ++c) cells[lighting[c]] = true;
    return cells;
}
