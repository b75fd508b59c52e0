// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CubePainter.h"

#include <QPainter>
#include <QPen>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <cmath>

namespace ledcube {

namespace {

int Mix(int dark, int lit, double brightness) {
    return static_cast<int>(dark + (lit - dark) * brightness + 0.5);
}

}  // namespace

QColor LampColour(double brightness) {
    const double b = std::clamp(brightness, 0.0, 1.0);
    return QColor(Mix(kLampDark.red(), kLampLit.red(), b),
                  Mix(kLampDark.green(), kLampLit.green(), b),
                  Mix(kLampDark.blue(), kLampLit.blue(), b));
}

Rect CubeBounds() {
    int left = IndicatorRect(1).left;
    int top = IndicatorRect(1).top;
    int right = left;
    int bottom = top;
    for (int n = 1; n <= kCellCount; ++n) {
        const Rect control = IndicatorRect(n);
        const Rect lamp = LampRect(control.width, control.height, LampHeight(n));
        left = std::min(left, control.left + lamp.left);
        top = std::min(top, control.top + lamp.top);
        right = std::max(right, control.left + lamp.left + lamp.width);
        bottom = std::max(bottom, control.top + lamp.top + lamp.height);
    }
    return {left, top, right - left, bottom - top};
}

QRectF LampCircle(int n, const QRectF& target) {
    static const Rect bounds = CubeBounds();
    const double scale = std::min(target.width() / bounds.width, target.height() / bounds.height);
    const QPointF origin(target.left() + (target.width() - bounds.width * scale) / 2,
                         target.top() + (target.height() - bounds.height * scale) / 2);
    const Rect control = IndicatorRect(n);
    const Rect lamp = LampRect(control.width, control.height, LampHeight(n));
    return QRectF(origin.x() + (control.left + lamp.left - bounds.left) * scale,
                  origin.y() + (control.top + lamp.top - bounds.top) * scale, lamp.width * scale,
                  lamp.height * scale);
}

int LampAtPoint(const QPointF& point, const QRectF& target) {
    for (int n = 1; n <= kCellCount; ++n) {
        const QRectF circle = LampCircle(n, target);
        const QPointF offset = point - circle.center();
        const double rx = circle.width() / 2;
        const double ry = circle.height() / 2;
        if (rx > 0 && ry > 0 &&
            offset.x() * offset.x() / (rx * rx) + offset.y() * offset.y() / (ry * ry) <= 1.0)
            return n;
    }
    return 0;
}

void PaintLamp(QPainter& painter, const QRectF& circle, double brightness) {
    const double b = std::clamp(brightness, 0.0, 1.0);
    const QColor colour = LampColour(b);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF inner = circle.adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(colour.darker(200), 1.0));
    painter.setBrush(colour);
    painter.drawEllipse(inner);
    // A small glint up and to the left makes the lamp read as a round bulb.
    const qreal glint = inner.width() / 4;
    const QPointF glintCentre = inner.center() - QPointF(glint, glint) * 0.9;
    QRadialGradient shine(glintCentre, glint);
    shine.setColorAt(0.0, colour.lighter(150 + static_cast<int>(20 * b)));
    shine.setColorAt(1.0, Qt::transparent);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shine);
    painter.drawEllipse(glintCentre, glint, glint);
    painter.restore();
}

void PaintCube(QPainter& painter, const QRectF& target, const CubeGlow& glow, double lampScale) {
    for (int n = 1; n <= kCellCount; ++n) {
        const QRectF circle = LampCircle(n, target);
        const QSizeF size = circle.size() * lampScale;
        PaintLamp(painter, QRectF(circle.center() - QPointF(size.width(), size.height()) / 2, size),
                  glow[n - 1]);
    }
}

std::unique_ptr<QGuiApplication> ApplicationForText() {
    if (QGuiApplication::instance() != nullptr) return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "ledcube-sim";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

namespace {

// A cell's place about the centre LED: x to the right, y to the front, z up, each -1 to 1.
struct Point3 {
    double x, y, z;
};

Point3 PlaceAboutCentre(int n) {
    const CellPlace place = PlaceOf(n);
    return {place.column - 1.0, place.row - 1.0, place.layer - 2.0};
}

Point3 Turned(const Point3& p, const CubeTurn& turn) {
    const double x = p.x * std::cos(turn.yaw) - p.y * std::sin(turn.yaw);
    const double y = p.x * std::sin(turn.yaw) + p.y * std::cos(turn.yaw);
    return {x, y * std::cos(turn.pitch) - p.z * std::sin(turn.pitch),
            y * std::sin(turn.pitch) + p.z * std::cos(turn.pitch)};
}

}  // namespace

std::array<QRectF, kCellCount> TurnedLampCircles(const CubeTurn& turn, const QRectF& target) {
    std::array<QRectF, kCellCount> circles;
    for (int n = 1; n <= kCellCount; ++n) circles[n - 1] = LampCircle(n, target);
    if (turn == CubeTurn{}) return circles;
    // The front view read as the picture of the cube: a step along each axis
    // on screen, and the size of a lamp in the back and in the front row.
    const auto centre = [&circles](int cell) { return circles[cell - 1].center(); };
    const QPointF origin = centre(14);
    const QPointF ex = (centre(3) - centre(1)) / 2;
    const QPointF ey = (centre(7) - centre(1)) / 2;
    const QPointF ez = (centre(19) - centre(1)) / 2;
    const double back = circles[0].width();
    const double front = circles[6].width();
    const QPointF middle = target.center();
    std::array<QRectF, kCellCount> turned;
    double fit = 1;  // turned, the cube shrinks as much as it must to stay in the target
    for (int cell = 1; cell <= kCellCount; ++cell) {
        const Point3 p = PlaceAboutCentre(cell);
        // What the front view puts beside that picture stays with the lamp.
        const QPointF aside = centre(cell) - (origin + p.x * ex + p.y * ey + p.z * ez);
        const Point3 t = Turned(p, turn);
        const QPointF at = origin + t.x * ex + t.y * ey + t.z * ez + aside - middle;
        const double size = back + (front - back) * (t.y + 1) / 2;
        const QRectF c(at.x() - size / 2, at.y() - size / 2, size, size);
        turned[cell - 1] = c;
        for (const double reach : {-c.left(), c.right()})
            if (reach > 0) fit = std::min(fit, target.width() / 2 / reach);
        for (const double reach : {-c.top(), c.bottom()})
            if (reach > 0) fit = std::min(fit, target.height() / 2 / reach);
    }
    const double scale = fit * turn.zoom;
    for (QRectF& c : turned)
        c = QRectF(middle.x() + c.left() * scale, middle.y() + c.top() * scale, c.width() * scale,
                   c.height() * scale);
    return turned;
}

QRectF TurnedLampCircle(int n, const CubeTurn& turn, const QRectF& target) {
    return TurnedLampCircles(turn, target)[static_cast<std::size_t>(n - 1)];
}

double TurnedDepth(int n, const CubeTurn& turn) {
    return Turned(PlaceAboutCentre(n), turn).y;
}

int TurnedLampAtPoint(const QPointF& point, const CubeTurn& turn, const QRectF& target) {
    if (turn == CubeTurn{}) return LampAtPoint(point, target);
    const std::array<QRectF, kCellCount> circles = TurnedLampCircles(turn, target);
    int nearest = 0;
    for (int n = 1; n <= kCellCount; ++n) {
        const QRectF& circle = circles[static_cast<std::size_t>(n - 1)];
        const QPointF offset = point - circle.center();
        const double r = circle.width() / 2;
        if (offset.x() * offset.x() + offset.y() * offset.y() > r * r) continue;
        if (nearest == 0 || TurnedDepth(n, turn) > TurnedDepth(nearest, turn)) nearest = n;
    }
    return nearest;
}

QRectF ThumbnailCell(int n, const QRectF& area) {
    // In cells: nine across, a gap between layers, half a cell of margin.
    constexpr double kLayerGap = 0.8;
    constexpr double kMargin = 0.5;
    constexpr double kAcross = 9 + 2 * kLayerGap + 2 * kMargin;
    constexpr double kDown = 3 + 2 * kMargin;
    const double cell = std::min(area.width() / kAcross, area.height() / kDown);
    const QPointF origin(area.center().x() - cell * kAcross / 2 + cell * kMargin,
                         area.center().y() - cell * kDown / 2 + cell * kMargin);
    const CellPlace place = PlaceOf(n);
    const double x = ((place.layer - 1) * (3 + kLayerGap) + place.column) * cell;
    const double y = place.row * cell;
    // Each cell a little inside its square, so that neighbours stand apart.
    const double inset = cell * 0.12;
    return {origin.x() + x + inset, origin.y() + y + inset, cell - 2 * inset, cell - 2 * inset};
}

void PaintThumbnail(QPainter& painter, const QRectF& area, const CellState& cells) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kThumbnailTile);
    painter.drawRect(area);
    for (int n = 1; n <= kCellCount; ++n) {
        const QRectF cell = ThumbnailCell(n, area);
        if (cells.Get(n)) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(kThumbnailLit);
            painter.drawRect(cell);
        } else {
            painter.setPen(QPen(kThumbnailDark, 1.0));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(cell.adjusted(0.5, 0.5, -0.5, -0.5));
        }
    }
    painter.restore();
}

}  // namespace ledcube
