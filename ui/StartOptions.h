// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

namespace ledcube {

// What a window program is told on its command line, read before its
// QApplication exists, so that --help and --version need no display.
struct StartOptions {
    QString program;      // "ledcube"
    QString description;  // for --help
    QString fileName;     // the positional argument's name, none when it takes no file
    QString fileHelp;
    // Options of the program's own that take a value: name, value's name, help.
    struct Valued {
        QString name;
        QString valueName;
        QString help;
    };
    QList<Valued> valued;
};

// --help prints the usage to standard output and --version the version, and
// then the program exits 0 (the status is returned); an unknown option or
// more than one file is an error on standard error, exit 2. Qt's own options
// (-platform, -style, ...) are left for QApplication. Returns nothing when the
// program is to start, with the file given, if any, in `file`.
// The values of `valued` options given go in `values`, by name.
std::optional<int> ReadStartOptions(int argc, char** argv, const StartOptions& options,
                                    QString* file = nullptr,
                                    QMap<QString, QString>* values = nullptr);

// The project's version, "1.0.0".
QString ProjectVersion();

}  // namespace ledcube
