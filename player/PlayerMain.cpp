// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/PlayerMain.h"

#include <QFileInfo>
#include <QSettings>
#include <chrono>
#include <cstdio>

#include "player/PlayerWindow.h"
#include "ui/Application.h"
#include "ui/StartOptions.h"
#include "ui/Translations.h"

namespace ledcube::player {

int RunPlayer(int& argc, char** argv) {
    QString file;
    QMap<QString, QString> values;
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
         QString::fromStdString(Tr("CommandLine", "the program to play (.c)")),
         {{QStringLiteral("chip"), QString::fromStdString(Tr("CommandLine", "NAME")),
           QString::fromStdString(
               Tr("CommandLine", "The chip or board to build for (as ledcube-sim --chip).").Str())},
          {QStringLiteral("wiring"), QString::fromStdString(Tr("CommandLine", "FILE")),
           QString::fromStdString(
               Tr("CommandLine", "The cube's wiring (as ledcube-sim --wiring).").Str())}}},
        &file, &values);
    if (done) return *done;
    Application application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ledcube-play"));
    QApplication::setApplicationDisplayName(
        QString::fromStdString(Tr("CommandLine", "LED cube player")));

    PlayerWindow window(chip::WallClock());
    // What the last run left, then what the command line says.
    QSettings settings(QStringLiteral("ledcube"), QStringLiteral("ledcube-play"));
    const PlayerMemory memory = PlayerMemory::Read(settings);
    window.Restore(memory);
    window.remember = [&settings](const PlayerMemory& memory) { memory.Write(settings); };
    if (values.contains(QStringLiteral("chip"))) {
        if (!chip::ChipNamed(values[QStringLiteral("chip")].toStdString())) {
            std::fprintf(
                stderr, "%s\n",
                WithSubject("ledcube-play", Tr("CommandLine", "--chip takes one of %1, not '%2'")
                                                .Arg(chip::ChipNames())
                                                .Arg(values[QStringLiteral("chip")].toStdString()))
                    .c_str());
            return 2;
        }
        window.ChooseChip(values[QStringLiteral("chip")].toLower());
    }
    if (values.contains(QStringLiteral("wiring")) &&
        !window.ChooseWiring(values[QStringLiteral("wiring")])) {
        // The window says what is wrong with the file, and plays on the chip's own pins.
    }
    if (file.isEmpty() && !memory.recentFiles.isEmpty() && QFileInfo::exists(memory.recentFiles[0]))
        file = memory.recentFiles[0];
    if (!file.isEmpty()) window.OpenFile(file);
    window.show();
    return QApplication::exec();
}

}  // namespace ledcube::player
