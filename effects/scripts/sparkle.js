// SPDX-License-Identifier: GPL-3.0-or-later
// A few LEDs lit at random each frame.
var settings = [
    {name: "count", kind: "integer", min: 1, max: 27, default: 4},
    {name: "seed", kind: "integer", min: 0, max: 1000000, default: 1}
];

function frame(t, n, s) {
    var next = random(s.seed * 7919 + t);
    var cells = [];
    for (var i = 0; i < 27; ++i) cells.push(false);
    for (var lit = 0; lit < s.count;) {
        var c = Math.floor(next() * 27);
        if (!cells[c]) {
            cells[c] = true;
            ++lit;
        }
    }
    return cells;
}
