// SPDX-License-Identifier: GPL-3.0-or-later
// A path of LEDs wandering the cube without crossing itself: each frame its
// head moves to a free neighbour and its tail follows; shut in, it turns round.
var settings = [
    {name: "length", kind: "integer", min: 1, max: 26, default: 5},
    {name: "seed", kind: "integer", min: 0, max: 1000000, default: 1}
];

var snake = null;

function neighbours(cell) {
    var x = cell % 3, y = Math.floor(cell / 3) % 3, z = Math.floor(cell / 9);
    var around = [];
    if (x > 0) around.push(cell - 1);
    if (x < 2) around.push(cell + 1);
    if (y > 0) around.push(cell - 3);
    if (y < 2) around.push(cell + 3);
    if (z > 0) around.push(cell - 9);
    if (z < 2) around.push(cell + 9);
    return around;
}

function step(s) {
    // The tail's place is free when the tail moves on with this step.
    var tail = snake.body.length >= s.length ? snake.body[snake.body.length - 1] : -1;
    var free = neighbours(snake.body[0]).filter(function (c) {
        return snake.body.indexOf(c) < 0 || c === tail;
    });
    if (free.length === 0) {
        snake.body.reverse();
        return;
    }
    snake.body.unshift(free[Math.floor(snake.next() * free.length)]);
    if (snake.body.length > s.length) snake.body.pop();
}

function frame(t, n, s) {
    if (t === 0 || snake === null || snake.t !== t - 1) {
        snake = {t: 0, next: random(s.seed), body: []};
        snake.body.push(Math.floor(snake.next() * 27));
        for (var i = 0; i < t; ++i) step(s);
    } else {
        step(s);
    }
    snake.t = t;
    var cells = [];
    for (var c = 0; c < 27; ++c) cells.push(snake.body.indexOf(c) >= 0);
    return cells;
}
