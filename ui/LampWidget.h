// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

// One lamp of the cube picture: a round light on the left of the control,
// bright red when lit and maroon when dark. It only shows; it takes no input.
class CubeLamp : public QWidget {
    Q_OBJECT

  public:
    explicit CubeLamp(QWidget* parent = nullptr);

    bool IsLit() const { return lit_; }
    void SetLit(bool lit);
    int LampHeight() const { return lampHeight_; }
    void SetLampHeight(int height);

    static inline const QColor kLitColor{0xFF, 0x00, 0x00};   // red
    static inline const QColor kDarkColor{0x80, 0x00, 0x00};  // maroon

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool lit_ = false;
    int lampHeight_ = 15;
};
