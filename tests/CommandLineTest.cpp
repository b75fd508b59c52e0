// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include "firmware/FirmwareText.h"
#include "model/CellModel.h"

namespace {

struct Invocation {
    const char* program;
    QStringList arguments;
    int status;
    bool onStandardOutput;  // else on standard error
    QString text;
};

TEST(CommandLine, EveryProgramAnswersHelpVersionAndWrongOptions) {
    const QString version = QStringLiteral(LEDCUBE_VERSION);
    const Invocation cases[] = {
        {LEDCUBE_EDITOR, {"--help"}, 0, true, "Usage: ledcube [options]"},
        {LEDCUBE_EDITOR, {"-h"}, 0, true, "-v, --version"},
        {LEDCUBE_EDITOR, {"--version"}, 0, true, "ledcube " + version + "\n"},
        {LEDCUBE_EDITOR, {"-platform", "offscreen", "--version"}, 0, true, "ledcube " + version},
        {LEDCUBE_EDITOR, {"--bogus"}, 2, false, "ledcube: Unknown option 'bogus'."},
        {LEDCUBE_EDITOR, {"cube.c"}, 2, false, "unexpected argument 'cube.c'"},
        {LEDCUBE_PLAYER, {"--help"}, 0, true, "Usage: ledcube-play [options] [FILE]"},
        {LEDCUBE_PLAYER, {"--version"}, 0, true, "ledcube-play " + version + "\n"},
        {LEDCUBE_PLAYER, {"-x"}, 2, false, "Unknown option 'x'."},
        {LEDCUBE_PLAYER, {"a.c", "b.c"}, 2, false, "one file at most"},
        {LEDCUBE_SIM, {"--help"}, 0, true, "Usage: ledcube-sim [options] PROGRAM.c"},
        {LEDCUBE_SIM, {"--version"}, 0, true, "ledcube-sim " + version + "\n"},
        {LEDCUBE_SIM, {"--bogus", "cube.c"}, 2, false, "Unknown option 'bogus'."},
        {LEDCUBE_SIM, {}, 2, false, "which program?"},
        {LEDCUBE_SIM, {"--ms"}, 2, false, "Missing value after '--ms'."},
    };
    for (const Invocation& c : cases) {
        QProcess process;
        process.start(QString::fromUtf8(c.program), c.arguments);
        ASSERT_TRUE(process.waitForFinished(20000)) << c.program;
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        const QString err = QString::fromUtf8(process.readAllStandardError());
        const std::string where =
            std::string(c.program) + " " + c.arguments.join(' ').toStdString();
        EXPECT_EQ(process.exitCode(), c.status) << where << "\n" << err.toStdString();
        EXPECT_TRUE((c.onStandardOutput ? out : err).contains(c.text))
            << where << "\nout: " << out.toStdString() << "\nerr: " << err.toStdString();
        EXPECT_TRUE((c.onStandardOutput ? err : out).isEmpty()) << where << ": the other stream";
    }
}

// A run of one of the programs with only the given language variables set.
struct Outcome {
    QString out;
    QString err;
    int status;
};

Outcome RunIn(const char* program, const QStringList& arguments, const QStringList& language) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        environment.remove(QString::fromLatin1(name));
    for (const QString& setting : language)
        environment.insert(setting.section(QLatin1Char('='), 0, 0),
                           setting.section(QLatin1Char('='), 1));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QString::fromUtf8(program), arguments);
    if (!process.waitForFinished(120000)) return {{}, QStringLiteral("did not finish"), -1};
    return {QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError()), process.exitCode()};
}

struct Spoken {
    const char* program;
    QStringList arguments;
    QStringList language;
    bool onStandardOutput;
    QStringList texts;  // each found in the output
};

TEST(CommandLine, EveryProgramSpeaksTheUsersLanguage) {
    const QStringList french = {"LANG=fr_FR.UTF-8"};
    const Spoken cases[] = {
        {LEDCUBE_SIM,
         {"--help"},
         french,
         true,
         {"Utilisation : ledcube-sim [options] PROGRAMME.c", "Affiche la version.",
          "--ms <MILLISECONDES>", "(jusqu'à 1 221 images"}},
        {LEDCUBE_SIM,
         {"--help"},
         {"LANGUAGE=fr", "LANG=de_DE.UTF-8"},
         true,
         {"Utilisation : ledcube-sim"}},
        {LEDCUBE_SIM, {"--help"}, {"LANGUAGE=fr"}, true, {"Utilisation : ledcube-sim"}},
        {LEDCUBE_SIM, {"--buttons", "X", "a.c"}, {"LANGUAGE=fr"}, false, {"pas « X »"}},
        {LEDCUBE_SIM,
         {"--help"},
         {"LANGUAGE=fr", "LANG=C"},
         true,
         {"Usage: ledcube-sim [options] PROGRAM.c", "(up to 1,221 frames"}},
        {LEDCUBE_SIM,
         {"--help"},
         {},
         true,
         {"Usage: ledcube-sim", "Displays version information."}},
        {LEDCUBE_SIM,
         {"--buttons", "X", "a.c"},
         french,
         false,
         {"ledcube-sim : --buttons prend BP1, BP2, BP3 ou Aucun, pas « X »",
          "Essayez « ledcube-sim --help » pour en savoir plus."}},
        {LEDCUBE_SIM,
         {"--buttons", "X", "a.c"},
         {"LANGUAGE=fr", "LANG=C"},
         false,
         {"--buttons takes BP1, BP2, BP3 or Aucun, not 'X'", "Try 'ledcube-sim --help'"}},
        {LEDCUBE_SIM, {"--bogus", "a.c"}, french, false, {"Option inconnue « bogus »."}},
        {LEDCUBE_SIM,
         {"--ms"},
         {"LC_ALL=fr_FR.UTF-8", "LANG=en_US.UTF-8"},
         false,
         {"Valeur manquante après « --ms »."}},
        {LEDCUBE_SIM,
         {"/nowhere/cube.c"},
         french,
         false,
         {"ledcube-sim : /nowhere/cube.c : impossible de lire"}},
        {LEDCUBE_SIM,
         {"/nowhere/cube.c"},
         {"LANGUAGE=en:fr", "LANG=fr_FR.UTF-8"},
         false,
         {"ledcube-sim: /nowhere/cube.c: cannot read"}},
        {LEDCUBE_PLAYER,
         {"--help"},
         french,
         true,
         {"Utilisation : ledcube-play [options] [FICHIER]"}},
        {LEDCUBE_PLAYER, {"a.c", "b.c"}, french, false, {"un fichier au plus"}},
        {LEDCUBE_EDITOR, {"--help"}, french, true, {"Éditeur d'animations lumineuses"}},
        {LEDCUBE_EDITOR, {"cube.c"}, french, false, {"argument inattendu « cube.c »"}},
    };
    for (const Spoken& c : cases) {
        const Outcome run = RunIn(c.program, c.arguments, c.language);
        const QString& said = c.onStandardOutput ? run.out : run.err;
        for (const QString& text : c.texts)
            EXPECT_TRUE(said.contains(text))
                << c.program << " " << c.arguments.join(' ').toStdString() << " with "
                << c.language.join(' ').toStdString() << "\nwanted: " << text.toStdString()
                << "\ngot: " << said.toStdString();
    }
}

// The sizes line of a real build: bytes grouped and the decimal mark as each language writes them.
TEST(CommandLine, TheSizesLineWritesNumbersAsTheLanguageDoes) {
    const QString program = QDir::temp().filePath(
        QStringLiteral("ledcube-language-%1.c").arg(QCoreApplication::applicationPid()));
    QFile file(program);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    std::string text =
        ledcube::ProgramHeader() + ledcube::SwitchBlockOpen(ledcube::SwitchCombination::Aucun);
    for (int n = 1; n <= 10; ++n) {  // enough frames for a build of over a thousand bytes
        ledcube::CellState cells;
        cells.Set(n, true);
        text += ledcube::FrameBlock(300, cells);
    }
    text += ledcube::SwitchBlockClose() + ledcube::ProgramClose();
    file.write(text.data(), static_cast<qint64>(text.size()));
    file.close();
    const struct {
        QStringList language;
        QRegularExpression sizes;
        QString dark;
    } cases[] = {
        {{"LANG=fr_FR.UTF-8"},
         QRegularExpression(QStringLiteral(
             "tailles : déroulé flash \\d \\d{3} octets sur 8 192 \\(\\d+,\\d %\\)")),
         QStringLiteral("cellules (étage:arrière/milieu/avant)")},
        {{"LANG=en_US.UTF-8"},
         QRegularExpression(
             QStringLiteral("sizes: unrolled flash \\d,\\d{3} of 8,192 bytes \\(\\d+\\.\\d %\\)")),
         QStringLiteral("cells (layer:back/middle/front)")},
    };
    for (const auto& c : cases) {
        const Outcome run = RunIn(LEDCUBE_SIM, {program}, c.language);
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_TRUE(c.sizes.match(run.out).hasMatch()) << run.out.toStdString();
        EXPECT_TRUE(run.out.contains(c.dark)) << run.out.toStdString();
    }
    file.remove();
}

}  // namespace
