// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTranslator>
#include <cstdlib>

namespace ledcube {

namespace {

// The catalogs live as long as the program.
struct Catalogs {
    QTranslator ours;
    QTranslator qt;
    bool oursLoaded = false;
    bool qtLoaded = false;
};

Catalogs& Loaded() {
    static Catalogs* catalogs = new Catalogs;  // never destroyed: texts may be asked at exit
    return *catalogs;
}

QString ProgramFolder() {
    // Before the application exists its folder is read from /proc.
    if (QCoreApplication::instance() != nullptr) return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

}  // namespace

QStringList TranslationFolders() {
    const QString folder = ProgramFolder();
    return {folder + QStringLiteral("/translations"), folder + QStringLiteral("/../translations"),
            folder + QStringLiteral("/../share/ledcube/translations")};
}

Language LoadLanguage() {
    return LoadLanguage(MessageLanguage([](const char* name) { return std::getenv(name); }));
}

Language LoadLanguage(Language language) {
    Catalogs& catalogs = Loaded();
    if (language == Language::French)
        for (const QString& folder : TranslationFolders())
            if (!catalogs.oursLoaded)
                catalogs.oursLoaded = catalogs.ours.load(QStringLiteral("ledcube_fr"), folder);
    // Without our catalog the texts stay English, and so do the numbers.
    if (language != Language::French || !catalogs.oursLoaded) {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        UseLanguage(Language::English, nullptr);
        InstallTranslators();
        return Language::English;
    }
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    if (!catalogs.qtLoaded)
        catalogs.qtLoaded = catalogs.qt.load(QStringLiteral("qtbase_fr"),
                                             QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    UseLanguage(language, [](const char* context, const char* text) {
        return Loaded().ours.translate(context, text).toStdString();
    });
    InstallTranslators();
    return language;
}

void InstallTranslators() {
    if (QCoreApplication::instance() == nullptr) return;
    Catalogs& catalogs = Loaded();
    if (CurrentLanguage() != Language::French) {
        QCoreApplication::removeTranslator(&catalogs.qt);
        QCoreApplication::removeTranslator(&catalogs.ours);
        return;
    }
    if (catalogs.qtLoaded) QCoreApplication::installTranslator(&catalogs.qt);
    if (catalogs.oursLoaded) QCoreApplication::installTranslator(&catalogs.ours);
}

QCommandLineOption HelpOption() {
    return QCommandLineOption(
        {QStringLiteral("h"), QStringLiteral("help")},
        QString::fromStdString(Tr("CommandLine", "Displays help on commandline options.")));
}

QCommandLineOption VersionOption() {
    return QCommandLineOption(
        {QStringLiteral("v"), QStringLiteral("version")},
        QString::fromStdString(Tr("CommandLine", "Displays version information.")));
}

QString HelpText(const QCommandLineParser& parser, const QString& program) {
    QString text = parser.helpText();
    text.replace(QStringLiteral("<executable_name>"), program);
    // Qt writes the headings in its own words; an application object may not exist yet.
    const auto heading = [&](const QString& english, const Text& ours) {
        text.replace(english, QString::fromStdString(ours));
    };
    heading(QStringLiteral("Usage:"), Tr("CommandLine", "Usage:"));
    heading(QStringLiteral("[options]"), Tr("CommandLine", "[options]"));
    heading(QStringLiteral("\nOptions:\n"), Tr("CommandLine", "\nOptions:\n"));
    heading(QStringLiteral("\nArguments:\n"), Tr("CommandLine", "\nArguments:\n"));
    return text;
}

QString ParserError(const QCommandLineParser& parser) {
    // Qt's parser words its errors in English before any catalog can be installed.
    const QStringList unknown = parser.unknownOptionNames();
    if (unknown.size() == 1)
        return QString::fromStdString(
            Tr("CommandLine", "Unknown option '%1'.").Arg(unknown.first().toStdString()));
    if (unknown.size() > 1)
        return QString::fromStdString(Tr("CommandLine", "Unknown options: %1.")
                                          .Arg(unknown.join(QStringLiteral(", ")).toStdString()));
    const QRegularExpressionMatch missing =
        QRegularExpression(QStringLiteral("^Missing value after '(.*)'\\.$"))
            .match(parser.errorText());
    if (missing.hasMatch())
        return QString::fromStdString(
            Tr("CommandLine", "Missing value after '%1'.").Arg(missing.captured(1).toStdString()));
    return parser.errorText();
}

QString TryHelp(const QString& program) {
    return QString::fromStdString(
        Tr("CommandLine", "Try '%1 --help' for more information.").Arg(program.toStdString()));
}

QString LocalPlural(long long count, const QString& one, const QString& many) {
    return TakesSingular(count) ? one : many;
}

QString LocalNumber(long long value) {
    return QString::fromStdString(Number(value));
}

}  // namespace ledcube
