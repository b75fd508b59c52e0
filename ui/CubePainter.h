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

// Text needs a GUI application: one made offscreen when the program (a
// command-line run) has none, to keep while drawing; else nothing.
std::unique_ptr<QGuiApplication> ApplicationForText();

}  // namespace ledcube
