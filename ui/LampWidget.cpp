// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LampWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <numbers>

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
    setFocusPolicy(Qt::ClickFocus);
}

void CubeView::SetGlow(const ledcube::CubeGlow& glow) {
    for (int n = 1; n <= ledcube::kCellCount; ++n) lamps_[n - 1]->SetBrightness(glow[n - 1]);
}

QRectF CubeView::LampArea() const {
    return QRectF(rect()).adjusted(8, 8, -8, -8);
}

void CubeView::SetTurn(const ledcube::CubeTurn& turn) {
    turn_ = turn;
    turn_.pitch = std::clamp(turn_.pitch, -1.5, 1.5);
    turn_.zoom = std::clamp(turn_.zoom, 0.4, 3.0);
    Lay();
}

void CubeView::mousePressEvent(QMouseEvent* event) {
    // The lamps take no input: a press on one comes here.
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        dragged_ = false;
        pressedAt_ = event->position();
        pressedTurn_ = turn_;
    }
    QWidget::mousePressEvent(event);
}

void CubeView::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_) return;
    const QPointF moved = event->position() - pressedAt_;
    if (!dragged_ && moved.manhattanLength() < 5) return;
    dragged_ = true;
    // A drag across the whole view turns the cube once round.
    const double perPixel = 2 * std::numbers::pi / std::max(1, width());
    SetTurn({pressedTurn_.yaw - moved.x() * perPixel, pressedTurn_.pitch + moved.y() * perPixel,
             pressedTurn_.zoom});
}

void CubeView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    if (dragged_) return;
    const int n = ledcube::TurnedLampAtPoint(pressedAt_, turn_, LampArea());
    if (n != 0) emit LampClicked(n);
}

void CubeView::mouseDoubleClickEvent(QMouseEvent* event) {
    pressed_ = false;
    SetTurn({});
    event->accept();
}

void CubeView::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    SetTurn({turn_.yaw, turn_.pitch, turn_.zoom * std::pow(1.15, steps)});
    event->accept();
}

void CubeView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Home) {
        SetTurn({});
        return;
    }
    QWidget::keyPressEvent(event);
}

void CubeView::resizeEvent(QResizeEvent*) {
    Lay();
}

void CubeView::Lay() {
    const std::array<QRectF, ledcube::kCellCount> circles =
        ledcube::TurnedLampCircles(turn_, LampArea());
    std::array<int, ledcube::kCellCount> order{};
    for (int n = 1; n <= ledcube::kCellCount; ++n) {
        order[n - 1] = n;
        const QRect circle = circles[n - 1].toAlignedRect();
        lamps_[n - 1]->setGeometry(circle);
        lamps_[n - 1]->SetLampHeight(circle.height());
    }
    // The farthest first, so that the nearer lamps cover them.
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        return ledcube::TurnedDepth(a, turn_) < ledcube::TurnedDepth(b, turn_);
    });
    for (const int n : order) lamps_[n - 1]->raise();
}
