// SPDX-License-Identifier: GPL-3.0-or-later
#include "live/LivePort.h"

#include <algorithm>
#include <cmath>

#include "compact/LiveBuild.h"

namespace ledcube::live {

LivePort::LivePort(const chip::Chip& chip, const QString& port, chip::Clock clock, QObject* parent)
    : QObject(parent),
      chip_(chip),
      name_(port),
      clock_(std::move(clock)),
      session_(chip, port.toStdString()),
      port_(this),
      timer_(this) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &LivePort::Service);
    connect(&port_, &QSerialPort::readyRead, this, [this] {
        const QByteArray bytes = port_.readAll();
        session_.Read(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), clock_());
        Service();
    });
    connect(&port_, &QSerialPort::errorOccurred, this, &LivePort::Failed);
}

LivePort::~LivePort() {
    port_.close();
}

void LivePort::Start() {
    Open();
    Service();
}

void LivePort::Open() {
    port_.close();
    port_.setPortName(name_);
    port_.setBaudRate(static_cast<qint32>(compact::LiveBaudFor(chip_.clockHz).value().baud));
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (port_.open(QIODevice::ReadWrite))
        session_.Opened(clock_());
    else
        session_.Lost(clock_(), port_.errorString().toStdString());
}

void LivePort::Failed(QSerialPort::SerialPortError error) {
    // Opening reports its own failure; a port that goes away while open is lost.
    if (error == QSerialPort::NoError || !port_.isOpen()) return;
    if (error != QSerialPort::ResourceError && error != QSerialPort::PermissionError &&
        error != QSerialPort::DeviceNotFoundError && error != QSerialPort::WriteError &&
        error != QSerialPort::ReadError)
        return;
    const QString reason = port_.errorString();
    // Closed from the event loop: the port may not be closed inside its own signal.
    QMetaObject::invokeMethod(
        this,
        [this, reason] {
            if (!port_.isOpen()) return;
            port_.close();
            session_.Lost(clock_(), reason.toStdString());
            Service();
        },
        Qt::QueuedConnection);
}

void LivePort::Show(const CellState& cells, double due) {
    session_.Show(cells, due);
    Service();
}

void LivePort::Follow(const chip::PlayerFrame& frame) {
    if (followed_ == frame.cells) return;
    followed_ = frame.cells;
    // The pass that showed the cells ended up to a tick ago: the cube shows
    // them a tick and a little after that; after a step or a run flat out, at once.
    constexpr double kMarginSeconds = 0.002;
    const double now = clock_();
    Show(frame.cells, std::min(frame.cellsSince, now) + kLiveTickMs / 1000.0 + kMarginSeconds);
}

void LivePort::Service() {
    double now = clock_();
    if (session_.Reopen(now)) {
        Open();
        now = clock_();
    }
    const std::vector<std::uint8_t> bytes = session_.Take(now);
    if (!bytes.empty() && port_.isOpen())
        port_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    if (const std::optional<int> buttons = session_.TakeButtons()) emit ButtonsReported(*buttons);
    if (const QString says = Says(); says != said_) {
        said_ = says;
        emit Changed();
    }
    if (const std::optional<double> next = session_.NextEvent())
        timer_.start(std::max(0, static_cast<int>(std::ceil((*next - now) * 1000))));
    else
        timer_.stop();
}

QString LivePort::Says() const {
    return QString::fromStdString(session_.Says());
}

}  // namespace ledcube::live
