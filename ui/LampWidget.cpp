// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LampWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "model/CellLayout.h"

CubeLamp::CubeLamp(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void CubeLamp::SetBrightness(double brightness) {
    brightness = std::clamp(brightness, 0.0, 1.0);
    // Steps finer than a colour level would repaint for nothing.
    if (std::abs(brightness_ - brightness) < 1.0 / 256 && (brightness_ == 0) == (brightness == 0) &&
        (brightness_ == 1) == (brightness == 1))
        return;
    brightness_ = brightness;
    update();
}

void CubeLamp::SetLampHeight(int height) {
    lampHeight_ = height;
    update();
}

void CubeLamp::paintEvent(QPaintEvent*) {
    const ledcube::Rect lamp = ledcube::LampRect(width(), height(), lampHeight_);
    if (lamp.width < 2) return;
    QPainter painter(this);
    ledcube::PaintLamp(painter, QRectF(lamp.left, lamp.top, lamp.width, lamp.height), brightness_);
}

CubeView::CubeView(QWidget* parent) : QWidget(parent) {
    for (int n = 1; n <= ledcube::kCellCount; ++n) lamps_[n - 1] = new CubeLamp(this);
    setMinimumSize(200, 200);
}

void CubeView::SetGlow(const ledcube::CubeGlow& glow) {
    for (int n = 1; n <= ledcube::kCellCount; ++n) lamps_[n - 1]->SetBrightness(glow[n - 1]);
}

QRectF CubeView::LampArea() const {
    return QRectF(rect()).adjusted(8, 8, -8, -8);
}

void CubeView::mousePressEvent(QMouseEvent* event) {
    // The lamps take no input: a click on one comes here.
    const int n = ledcube::LampAtPoint(event->position(), LampArea());
    if (n != 0 && event->button() == Qt::LeftButton) emit LampClicked(n);
    QWidget::mousePressEvent(event);
}

void CubeView::resizeEvent(QResizeEvent*) {
    const QRectF area = LampArea();
    for (int n = 1; n <= ledcube::kCellCount; ++n) {
        const QRect circle = ledcube::LampCircle(n, area).toAlignedRect();
        lamps_[n - 1]->setGeometry(circle);
        lamps_[n - 1]->SetLampHeight(circle.height());
    }
}
