// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StartOptions.h"

#include <QCommandLineParser>
#include <cstdio>

#include "base/Language.h"
#include "ui/Translations.h"

namespace ledcube {

namespace {

// The options QGuiApplication and QApplication take themselves.
constexpr const char* kQtOptionsWithValue[] = {"platform",      "platformpluginpath",
                                               "platformtheme", "plugin",
                                               "qmljsdebugger", "qwindowgeometry",
                                               "qwindowicon",   "qwindowtitle",
                                               "session",       "display",
                                               "geometry",      "style",
                                               "stylesheet",    "dialogs",
                                               "fontengine",    "name",
                                               "title",         "visual",
                                               "ncols",         "im",
                                               "inputstyle"};
constexpr const char* kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "cmap"};

}  // namespace

QString ProjectVersion() {
    return QStringLiteral(LEDCUBE_VERSION);
}

std::optional<int> ReadStartOptions(int argc, char** argv, const StartOptions& options,
                                    QString* file, QMap<QString, QString>* values) {
    QCommandLineParser parser;
    // Qt's options are written with one dash: -platform offscreen.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(options.description);
    // Our own --help: Qt's would add a --help-all for options this parser does not show.
    const QCommandLineOption help = HelpOption();
    parser.addOption(help);
    const QCommandLineOption version = VersionOption();
    parser.addOption(version);
    for (const char* name : kQtOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kQtFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const StartOptions::Valued& valued : options.valued)
        parser.addOption(QCommandLineOption(valued.name, valued.help, valued.valueName));
    if (!options.fileName.isEmpty())
        parser.addPositionalArgument(options.fileName, options.fileHelp,
                                     QStringLiteral("[%1]").arg(options.fileName));

    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const auto fail = [&](const QString& what) {
        std::fprintf(stderr, "%s\n%s\n",
                     WithSubject(options.program.toStdString(), what.toStdString()).c_str(),
                     qPrintable(TryHelp(options.program)));
        return 2;
    };
    if (!parser.parse(arguments)) return fail(ParserError(parser));
    if (parser.isSet(help)) {
        // Without an application object yet, the usage leaves the program's name to us.
        std::fputs(qPrintable(HelpText(parser, options.program)), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(options.program), qPrintable(ProjectVersion()));
        return 0;
    }
    const QStringList positional = parser.positionalArguments();
    if (options.fileName.isEmpty() && !positional.isEmpty())
        return fail(QString::fromStdString(
            Tr("CommandLine", "unexpected argument '%1'").Arg(positional.first().toStdString())));
    if (positional.size() > 1)
        return fail(QString::fromStdString(Tr("CommandLine", "one file at most")));
    if (file != nullptr) *file = positional.value(0);
    if (values != nullptr)
        for (const StartOptions::Valued& valued : options.valued)
            if (parser.isSet(valued.name)) values->insert(valued.name, parser.value(valued.name));
    return std::nullopt;
}

}  // namespace ledcube
