// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CubePainter.h"

#include <QPainter>
#include <QPen>
#include <QRadialGradient>
#include <algorithm>

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

}  // namespace ledcube
