// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/PlayerMain.h"

#include <chrono>

#include "player/PlayerWindow.h"
#include "ui/Application.h"
#include "ui/StartOptions.h"
#include "ui/Translations.h"

namespace ledcube::player {

int RunPlayer(int& argc, char** argv) {
    QString file;
    LoadLanguage();
    const std::optional<int> done = ReadStartOptions(
        argc, argv,
        {QStringLiteral("ledcube-play"),
         QString::fromStdString(
             Tr("CommandLine",
                "Plays a program written by the ledcube editor on a simulated ATmega8535 in real\n"
                "time, with the cube's push buttons under your hands, and follows the file as it "
                "grows.\nQt's standard options (-platform, -style, ...) are accepted too.")),
         QString::fromStdString(Tr("CommandLine", "FILE")),
         QString::fromStdString(Tr("CommandLine", "the program to play (.c)"))},
        &file);
    if (done) return *done;
    Application application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ledcube-play"));
    QApplication::setApplicationDisplayName(
        QString::fromStdString(Tr("CommandLine", "LED cube player")));

    const auto start = std::chrono::steady_clock::now();
    PlayerWindow window([start] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    });
    if (!file.isEmpty()) window.OpenFile(file);
    window.show();
    return QApplication::exec();
}

}  // namespace ledcube::player
