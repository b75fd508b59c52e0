// SPDX-License-Identifier: GPL-3.0-or-later
#include "chip/Flashing.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

namespace ledcube::chip {

FlashRun FlashChip(const std::filesystem::path& hex, const Chip& chip,
                   const std::optional<std::string>& programmer,
                   const std::optional<std::string>& port, int stallMs) {
    QStringList arguments;
    for (const std::string& argument : AvrdudeArguments(hex, chip, programmer, port))
        arguments << QString::fromStdString(argument);
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QString::fromStdString(AvrdudeProgram()), arguments);
    if (!process.waitForStarted()) return {{false, AvrdudeMissing()}, {}};
    // A run whose bars stop growing has lost its board and is stopped.
    QElapsedTimer running;
    running.start();
    StallWatch watch(stallMs);
    std::string log;
    bool stalled = false;
    while (process.state() != QProcess::NotRunning && running.elapsed() < kMostFlashMs &&
           !stalled) {
        if (process.waitForReadyRead(100)) log += process.readAll().toStdString();
        stalled = watch.Stalled(log, running.elapsed());
    }
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
    }
    log += process.readAll().toStdString();
    const std::string where = FlashTarget(chip, programmer, port);
    if (stalled)
        return {{false, StalledSentence(log, HexDataBytes(hex), SerialProgrammer(chip, programmer),
                                        where)},
                log};
    const int exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return {ReadAvrdudeLog(log, exitCode, chip, where), log};
}

}  // namespace ledcube::chip
