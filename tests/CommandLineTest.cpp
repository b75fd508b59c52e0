// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QProcess>

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
        const std::string where = std::string(c.program) + " " + c.arguments.join(' ').toStdString();
        EXPECT_EQ(process.exitCode(), c.status) << where << "\n" << err.toStdString();
        EXPECT_TRUE((c.onStandardOutput ? out : err).contains(c.text))
            << where << "\nout: " << out.toStdString() << "\nerr: " << err.toStdString();
        EXPECT_TRUE((c.onStandardOutput ? err : out).isEmpty()) << where << ": the other stream";
    }
}

}  // namespace
