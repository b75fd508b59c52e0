// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "TempHome.h"
#include "WindowDriver.h"
#include "firmware/FirmwareText.h"

extern char** environ;

namespace ledcube {
namespace {

using enum ControlId;
namespace fs = std::filesystem;

// The user starts a program: a message must tell what went wrong, and the
// window must let the user correct the name and start again.
void ExpectRefusedStart(test::WindowDriver& d, const std::string& inMessage) {
    const auto message = test::AnswerMessageBox([&] { d.Click(Commencer); });
    ASSERT_TRUE(message.has_value());
    EXPECT_TRUE(message->contains(QString::fromStdString(inMessage))) << message->toStdString();
    EXPECT_TRUE(d.Shown(Commencer));
    EXPECT_FALSE(d.Shown(BP1));
}

TEST(WindowFaults, ANameOf300CharactersIsRefusedAndCanBeShortened) {
    test::TempHome home;
    test::WindowDriver d;
    d.Type(Nomf, QString(300, 'x'));
    EXPECT_EQ(d.Form().Path().Text(), "D:/" + std::string(300, 'x') + ".c");  // kept whole
    ExpectRefusedStart(d, std::string(300, 'x') + ".c");
    d.Type(Nomf, QString(200, 'x'));
    d.Click(Commencer);
    EXPECT_EQ(home.Read(std::string(200, 'x') + ".c"), ProgramHeader());
}

TEST(WindowFaults, AFullDiskIsReportedAndTheRecordingGoesOnAfterwards) {
    test::TempHome home;
    test::WindowDriver d;
    d.Type(Nomf, "full");
    fs::create_directories(home.Drive());
    fs::create_symlink("/dev/full", home.Drive() / "full.c");
    ExpectRefusedStart(d, "full.c");

    // Room again: the same name starts, and a frame that fails mid-recording can be retried.
    fs::remove(home.Drive() / "full.c");
    d.Click(Commencer);
    d.Click(BP1);
    d.Tick(5);
    d.Type(Temps, "300");
    fs::rename(home.Drive() / "full.c", home.Drive() / "kept.c");
    fs::create_symlink("/dev/full", home.Drive() / "full.c");
    const auto message = test::AnswerMessageBox([&] { d.Click(Suivant); });
    ASSERT_TRUE(message.has_value());
    EXPECT_TRUE(d.Shown(Suivant) && d.Shown(FinirBP));
    fs::remove(home.Drive() / "full.c");
    fs::rename(home.Drive() / "kept.c", home.Drive() / "full.c");
    d.Click(Suivant);
    CellState five;
    five.Set(5, true);
    EXPECT_EQ(home.Read("full.c"),
              ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP1) + FrameBlock(300, five));
}

// The recording the killed editor makes, one action a step, with the block each appends.
struct Action {
    std::function<void(test::WindowDriver&)> act;
    std::string block;
};

std::vector<Action> Recording() {
    CellState five;
    five.Set(5, true);
    CellState fiveAndNine = five;
    fiveAndNine.Set(9, true);
    return {
        {[](test::WindowDriver& d) { d.Click(Commencer); }, ProgramHeader()},
        {[](test::WindowDriver& d) { d.Click(BP2); }, SwitchBlockOpen(SwitchCombination::BP2)},
        {[](test::WindowDriver& d) {
             d.Tick(5);
             d.Type(Temps, "450");
             d.Click(Suivant);
         },
         FrameBlock(450, five)},
        {[](test::WindowDriver& d) {
             d.Tick(9);
             d.Click(Suivant);
         },
         FrameBlock(450, fiveAndNine)},
        {[](test::WindowDriver& d) { d.Click(FinirBP); }, SwitchBlockClose()},
        {[](test::WindowDriver& d) { d.Click(Finir); }, ProgramClose()},
    };
}

// Run in a process of its own by the test below: records the number of actions
// that LEDCUBE_KILL_AFTER gives, says so, and waits in the event loop to be killed.
TEST(DISABLED_KilledEditor, RecordsUntilKilled) {
    const int actions = std::atoi(std::getenv("LEDCUBE_KILL_AFTER"));
    test::WindowDriver d;
    d.Type(Nomf, "killed");
    const std::vector<Action> recording = Recording();
    for (int i = 0; i < actions; ++i) recording[i].act(d);
    std::printf("done %d\n", actions);
    std::fflush(stdout);
    for (;;) QTest::qWait(100);
}

class KilledEditorTest : public testing::TestWithParam<int> {};

TEST_P(KilledEditorTest, TheFileHoldsEveryCompletedActionAndNothingTorn) {
    test::TempHome home;
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, pipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&files, pipe[0]);
    std::string self = fs::read_symlink("/proc/self/exe").string();
    std::string filter = "--gtest_filter=DISABLED_KilledEditor.RecordsUntilKilled";
    std::string disabled = "--gtest_also_run_disabled_tests";
    char* argv[] = {self.data(), filter.data(), disabled.data(), nullptr};
    std::vector<std::string> settings;
    for (char** variable = environ; *variable != nullptr; ++variable)
        settings.emplace_back(*variable);
    settings.push_back("LEDCUBE_KILL_AFTER=" + std::to_string(GetParam()));
    std::vector<char*> env;
    for (std::string& setting : settings) env.push_back(setting.data());
    env.push_back(nullptr);
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, self.c_str(), &files, nullptr, argv, env.data()), 0);
    posix_spawn_file_actions_destroy(&files);
    ::close(pipe[1]);

    // Wait until the editor has completed its actions and sits idle, then kill it.
    FILE* output = ::fdopen(pipe[0], "r");
    const std::string wanted = "done " + std::to_string(GetParam()) + "\n";
    char line[256];
    bool reached = false;
    while (!reached && std::fgets(line, sizeof line, output) != nullptr) reached = wanted == line;
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    std::fclose(output);
    ASSERT_TRUE(reached);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

    std::string expected;
    const std::vector<Action> actions = Recording();
    for (int i = 0; i < GetParam(); ++i) expected += actions[i].block;
    EXPECT_EQ(home.Read("killed.c"), expected);
}

INSTANTIATE_TEST_SUITE_P(AfterActions, KilledEditorTest, testing::Values(1, 3, 4, 6));

}  // namespace
}  // namespace ledcube
