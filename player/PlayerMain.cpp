// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/PlayerMain.h"

#include <QCommandLineParser>
#include <chrono>
#include <cstdio>

#include "app/Application.h"
#include "player/PlayerWindow.h"

namespace ledcube::player {

int RunPlayer(int& argc, char** argv) {
    Application application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ledcube-play"));
    QApplication::setApplicationDisplayName(QObject::tr("LED cube player"));
    QApplication::setApplicationVersion(QStringLiteral(LEDCUBE_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QObject::tr(
        "Plays a program written by the ledcube editor on a simulated ATmega8535 in real time,\n"
        "with the cube's push buttons under your hands, and follows the file as it grows."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QObject::tr("the program to play (.c)"),
                                 QStringLiteral("[FILE]"));
    if (!parser.parse(QApplication::arguments())) {
        std::fprintf(stderr, "ledcube-play: %s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version"))) parser.showVersion();
    if (parser.positionalArguments().size() > 1) {
        std::fprintf(stderr, "ledcube-play: one file at most\n");
        return 2;
    }

    const auto start = std::chrono::steady_clock::now();
    PlayerWindow window([start] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    });
    if (!parser.positionalArguments().isEmpty()) window.OpenFile(parser.positionalArguments().first());
    window.show();
    return QApplication::exec();
}

}  // namespace ledcube::player
