// SPDX-License-Identifier: GPL-3.0-or-later
// A plane through the centre turning about an axis, an eighth of a turn a frame.
var settings = [
    {name: "axis", kind: "choice", choices: ["z", "x", "y"], default: "z"},
    {name: "turn", kind: "choice", choices: ["clockwise", "counterclockwise"], default: "clockwise"}
];

// The eight border places of a 3 × 3 grid, going round.
var ring = [[0, 0], [1, 0], [2, 0], [2, 1], [2, 2], [1, 2], [0, 2], [0, 1]];

function lit(x, y, z, t, n, s) {
    // The grid the plane is seen in, along the axis it turns about.
    var a = s.axis === "x" ? y : x;
    var b = s.axis === "z" ? y : z;
    if (a === 1 && b === 1) return true;
    var step = s.turn === "clockwise" ? t : -t;
    // The line from (0, 1) through the centre to (2, 1), moved round the ring.
    var one = ring[((7 + step) % 8 + 8) % 8];
    var other = ring[((3 + step) % 8 + 8) % 8];
    return (a === one[0] && b === one[1]) || (a === other[0] && b === other[1]);
}
