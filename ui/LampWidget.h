// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

#include "ui/CubePainter.h"

// One lamp of the cube picture: a round light on the left of the control,
// from maroon when dark to bright red when lit. It only shows; it takes no input.
class CubeLamp : public QWidget {
    Q_OBJECT

  public:
    explicit CubeLamp(QWidget* parent = nullptr);

    bool IsLit() const { return brightness_ >= 0.5; }
    void SetLit(bool lit) { SetBrightness(lit ? 1.0 : 0.0); }
    // Between 0 (dark) and 1 (lit); the lamp repaints only when it changes.
    double Brightness() const { return brightness_; }
    void SetBrightness(double brightness);
    int LampHeight() const { return lampHeight_; }
    void SetLampHeight(int height);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    double brightness_ = 0.0;
    int lampHeight_ = 15;
};

// The whole cube of 27 lamps, laid out as in the editor's picture and scaled
// to the widget's size. Dragged, it turns about its centre (left–right and
// up–down); the wheel zooms; a double-click or Home goes back to the front view.
class CubeView : public QWidget {
    Q_OBJECT

  public:
    explicit CubeView(QWidget* parent = nullptr);

    void SetGlow(const ledcube::CubeGlow& glow);
    const CubeLamp* Lamp(int n) const { return lamps_[n - 1]; }
    // Where the lamps are drawn, in the view's coordinates.
    QRectF LampArea() const;
    const ledcube::CubeTurn& Turn() const { return turn_; }
    void SetTurn(const ledcube::CubeTurn& turn);

  signals:
    // A click on LED n's lamp (in any view; a drag turns the cube instead).
    void LampClicked(int n);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Lay();

    std::array<CubeLamp*, ledcube::kCellCount> lamps_{};
    ledcube::CubeTurn turn_;
    ledcube::CubeTurn pressedTurn_;  // as it was when the button went down
    QPointF pressedAt_;
    bool pressed_ = false;
    bool dragged_ = false;
};
