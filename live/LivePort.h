// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QTimer>
#include <optional>

#include "chip/CubePlayer.h"
#include "compact/LiveSession.h"

namespace ledcube::live {

// While live, how often the chip's frames are looked at: a frame shows on the
// cube this long (and a little) after it showed on the chip.
inline constexpr int kLiveTickMs = 10;

// The cube on a serial port, live: opens the port at the live program's
// speed and runs a LiveSession on what the port reads, its errors and a
// timer of its own, so that each frame is written when it is due. It lives
// on the thread that made it.
class LivePort : public QObject {
    Q_OBJECT

  public:
    // `clock` is the player's; the chip must have a serial speed (LiveProblem).
    LivePort(const chip::Chip& chip, const QString& port, chip::Clock clock,
             QObject* parent = nullptr);
    ~LivePort() override;

    // Opens the port and asks the board what it runs.
    void Start();
    // The cells the player shows, due on the cube at `due` (seconds of the clock).
    void Show(const CellState& cells, double due);
    // Shows the cells of the chip's last pass when they changed, looked at
    // every kLiveTickMs, so that each frame lasts on the cube as on the chip.
    void Follow(const chip::PlayerFrame& frame);

    compact::LiveSession::State Now() const { return session_.Now(); }
    // One line for the user, in the user's language.
    QString Says() const;
    int FramesSent() const { return session_.FramesSent(); }
    QString Port() const { return name_; }
    QString Reason() const { return QString::fromStdString(session_.Reason()); }

  signals:
    // What Says tells changed.
    void Changed();
    // The cube's buttons changed (bits 0, 1, 2: BP1, BP2, BP3 held).
    void ButtonsReported(int bits);

  private:
    void Open();
    void Service();
    void Failed(QSerialPort::SerialPortError error);

    chip::Chip chip_;
    QString name_;
    chip::Clock clock_;
    compact::LiveSession session_;
    QSerialPort port_;
    QTimer timer_;
    QString said_;
    std::optional<CellState> followed_;
};

}  // namespace ledcube::live
