// SPDX-License-Identifier: GPL-3.0-or-later
#include <QString>
#include <QtGlobal>
#include <iostream>

#include "sim/SimCommand.h"
#include "ui/Translations.h"

int main(int argc, char** argv) {
    // Qt's notes about the platform (missing runtime folder and the like) are no news here.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << '\n';
    });
    ledcube::LoadLanguage();
    return ledcube::sim::RunSimCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                       std::cerr);
}
