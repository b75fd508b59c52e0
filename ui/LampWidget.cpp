// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LampWidget.h"

#include <QPainter>
#include <QPen>
#include <QRadialGradient>

#include "ui/CellLayout.h"

CubeLamp::CubeLamp(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void CubeLamp::SetLit(bool lit) {
    if (lit_ == lit) return;
    lit_ = lit;
    update();
}

void CubeLamp::SetLampHeight(int height) {
    lampHeight_ = height;
    update();
}

void CubeLamp::paintEvent(QPaintEvent*) {
    const ledcube::Rect lamp = ledcube::LampRect(width(), height(), lampHeight_);
    if (lamp.width < 2) return;
    const QRectF circle(lamp.left + 0.5, lamp.top + 0.5, lamp.width - 1.0, lamp.height - 1.0);
    const QColor colour = lit_ ? kLitColor : kDarkColor;

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour.darker(200), 1.0));
    painter.setBrush(colour);
    painter.drawEllipse(circle);
    // A small glint up and to the left makes the lamp read as a round bulb.
    const qreal glint = circle.width() / 4;
    const QPointF glintCentre = circle.center() - QPointF(glint, glint) * 0.9;
    QRadialGradient shine(glintCentre, glint);
    shine.setColorAt(0.0, colour.lighter(lit_ ? 170 : 150));
    shine.setColorAt(1.0, Qt::transparent);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shine);
    painter.drawEllipse(glintCentre, glint, glint);
}
