// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QGuiApplication>
#include <QRectF>
#include <array>
#include <memory>

#include "model/CellLayout.h"
#include "model/CellModel.h"

class QPainter;

namespace ledcube {

// The lamps' colours: a lit LED is bright red, a dark one maroon.
inline const QColor kLampLit{0xFF, 0x00, 0x00};
inline const QColor kLampDark{0x80, 0x00, 0x00};

// How brightly each of the 27 LEDs shines, LED n at n - 1: 0 dark, 1 lit.
using CubeGlow = std::array<double, kCellCount>;

// The colour of a lamp between dark (0) and lit (1); out-of-range values are clamped.
QColor LampColour(double brightness);

// The box around all 27 lamps of the cube picture, in the editor's window coordinates.
Rect CubeBounds();

// Where LED n's lamp goes when the cube picture is scaled to fit `target`,
// centred in it, keeping its proportions.
QRectF LampCircle(int n, const QRectF& target);

// The LED whose lamp holds `point` when the cube is scaled to fit `target`; 0 for none.
int LampAtPoint(const QPointF& point, const QRectF& target);

// Draws one round lamp filling `circle` at a brightness between dark and lit.
void PaintLamp(QPainter& painter, const QRectF& circle, double brightness);

// Draws the 27 lamps of the cube picture scaled to fit `target`; each lamp
// `lampScale` times its size about its place (larger in small pictures).
void PaintCube(QPainter& painter, const QRectF& target, const CubeGlow& glow,
               double lampScale = 1.0);

// How the player's cube is turned about its centre: left–right about the
// vertical axis (yaw) and up–down about the axis across the screen (pitch),
// in radians, and how much it is zoomed. None of it is the front view, the
// editor's picture.
struct CubeTurn {
    double yaw = 0;
    double pitch = 0;
    double zoom = 1;
    bool operator==(const CubeTurn&) const = default;
};

// Where each lamp goes (LED n at n - 1) in the cube turned so and fitted to
// `target`: the cube's lamps turned about the centre LED, as the front view
// places them.
std::array<QRectF, kCellCount> TurnedLampCircles(const CubeTurn& turn, const QRectF& target);
QRectF TurnedLampCircle(int n, const CubeTurn& turn, const QRectF& target);

// How near LED n is to the viewer in the cube turned so (the front row of the
// front view is nearest): lamps are drawn from the farthest to the nearest.
double TurnedDepth(int n, const CubeTurn& turn);

// The LED whose lamp holds `point` in the turned cube, the nearest where
// lamps cover each other; 0 for none.
int TurnedLampAtPoint(const QPointF& point, const CubeTurn& turn, const QRectF& target);

// Where cell n goes in a frame's thumbnail filling `area`: the three layers
// as 3 × 3 grids side by side, the bottom layer at the left, each seen from
// above with its back row at the top; square cells, the whole centred.
QRectF ThumbnailCell(int n, const QRectF& area);

// The colours of a thumbnail, all of them in the animated GIF's palette:
// its tile, a lit cell, and the outline of a dark one.
inline const QColor kThumbnailTile{0x22, 0x22, 0x22};
inline const QColor kThumbnailLit{0xFF, 0x30, 0x30};
inline const QColor kThumbnailDark{0x90, 0x00, 0x00};

// Draws a frame's thumbnail: a dark tile, lit cells bright, dark cells as outlines.
void PaintThumbnail(QPainter& painter, const QRectF& area, const CellState& cells);

// Text needs a GUI application: one made offscreen when the program (a
// command-line run) has none, to keep while drawing; else nothing.
std::unique_ptr<QGuiApplication> ApplicationForText();

}  // namespace ledcube
