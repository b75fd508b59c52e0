// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <future>
#include <map>
#include <string>

#include "TempHome.h"
#include "TestSupport.h"
#include "base/Sysutils.h"
#include "firmware/FirmwareText.h"
#include "firmware/OutputFile.h"

namespace ledcube {
namespace {

namespace fs = std::filesystem;

TEST(OutputPath, FollowsTheNameAsItIsTyped) {
    std::string name;
    const std::pair<char, std::string> steps[] = {{'a', "D:/a.c"}, {'b', "D:/ab.c"}};
    for (const auto& [typed, path] : steps) {
        name += typed;
        EXPECT_EQ(OutputPath::FromName(name).Text(), path);
    }
    EXPECT_EQ(OutputPath::FromName("").Text(), "D:/.c");
    EXPECT_TRUE(OutputPath{}.Empty());
    const std::string longName(300, 'x');  // far beyond the old 78-character limit
    EXPECT_EQ(OutputPath::FromName(longName).Text(), "D:/" + longName + ".c");
    EXPECT_EQ(OutputPath::FromName(" mon cube ").Text(), "D:/ mon cube .c");  // kept as typed
}

TEST(ResolveOutputPath, KeepsEveryNameInsideTheDriveFolder) {
    test::TempHome home;
    const std::pair<std::string, fs::path> cases[] = {
        {"cube1", "cube1.c"},
        {"anim/cube", "anim/cube.c"},
        {"../../etc/passwd", "etc/passwd.c"},
        {"./a/../b", "b.c"},
        {"a//b", "a/b.c"},
        {"..", "...c"},
    };
    for (const auto& [name, relative] : cases)
        EXPECT_EQ(ResolveOutputPath(OutputPath::FromName(name)), home.Drive() / relative) << name;
}

TEST(ResolveOutputPath, RefusesPathsWithoutAFileName) {
    test::TempHome home;
    const OutputPath refused[] = {OutputPath{}, OutputPath::FromName(""),
                                  OutputPath::FromName("anim/"),
                                  OutputPath::FromName(std::string("a\0b", 3))};
    for (const OutputPath& path : refused) EXPECT_THROW(ResolveOutputPath(path), Exception);
}

// A failure case: how to prepare the file system, and the output path to use.
struct FailureCase {
    const char* what;
    void (*prepare)(const test::TempHome&);
    OutputPath path;
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.what;
}

void DriveOnly(const test::TempHome& home) {
    fs::create_directories(home.Drive());
}
void FolderInTheWay(const test::TempHome& home) {
    fs::create_directories(home.Drive() / "dir.c");
}
void LinkToDevFull(const test::TempHome& home) {
    fs::create_directories(home.Drive());
    fs::create_symlink("/dev/full", home.Drive() / "full.c");
}
void PipeWithoutReader(const test::TempHome& home) {
    fs::create_directories(home.Drive());
    ASSERT_EQ(::mkfifo((home.Drive() / "pipe.c").c_str(), 0600), 0);
}
void DriveIsAFile(const test::TempHome& home) {
    std::ofstream(home.Drive()) << "not a folder";
}

class AppendFailureTest : public testing::TestWithParam<FailureCase> {};

// Every entry below the home folder with what it holds, to compare before and after.
std::map<std::string, std::string> Snapshot(const fs::path& home) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(home)) {
        const std::string name = fs::relative(entry.path(), home).string();
        if (entry.is_symlink())
            entries[name] = "link to " + fs::read_symlink(entry.path()).string();
        else if (entry.is_regular_file())
            entries[name] = test::ReadFile(entry.path());
        else
            entries[name] = entry.is_directory() ? "folder" : "special";
    }
    return entries;
}

TEST_P(AppendFailureTest, RaisesNamingTheFileAndLeavesItAsItWas) {
    test::TempHome home;
    GetParam().prepare(home);
    const auto before = Snapshot(home.Home());
    try {
        AppendText(GetParam().path, "while(i<1){\n");
        FAIL() << GetParam().what << ": no error raised";
    } catch (const Exception& error) {
        EXPECT_FALSE(error.Message().empty());
        const std::string& path = GetParam().path.Text();
        if (path.size() > 5) {
            const std::string name = path.substr(path.rfind('/') + 1);
            EXPECT_NE(error.Message().find(name), std::string::npos) << error.Message();
        }
    }
    EXPECT_EQ(Snapshot(home.Home()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AppendFailureTest,
    testing::Values(
        FailureCase{"no name typed yet", DriveOnly, OutputPath{}},
        FailureCase{"emptied name", DriveOnly, OutputPath::FromName("")},
        FailureCase{"folder in the way", FolderInTheWay, OutputPath::FromName("dir")},
        FailureCase{"name too long", DriveOnly, OutputPath::FromName(std::string(300, 'n'))},
        FailureCase{"missing sub-folder", DriveOnly, OutputPath::FromName("none/cube")},
        FailureCase{"disk full", LinkToDevFull, OutputPath::FromName("full")},
        FailureCase{"pipe without reader", PipeWithoutReader, OutputPath::FromName("pipe")},
        FailureCase{"drive is a file", DriveIsAFile, OutputPath::FromName("cube")}),
    [](const testing::TestParamInfo<FailureCase>& info) {
        return test::TestName(info.param.what);
    });

// Lets a test write at most `limit` bytes into any file, so that a block is
// cut short in the middle as on a disk that fills up.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t limit) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = old_;
        lowered.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

  private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

TEST(AppendText, AShortWriteIsCutBackSoNoTornBlockStays) {
    test::TempHome home;
    const OutputPath path = OutputPath::FromName("short");
    AppendText(path, "first block\n");
    const std::string before = home.Read("short.c");
    {
        FileSizeLimit limit(before.size() + 5);
        EXPECT_THROW(AppendText(path, "second block, longer than five bytes\n"), Exception);
    }
    EXPECT_EQ(home.Read("short.c"), before);
    AppendText(path, "third\n");  // the file is usable again
    EXPECT_EQ(home.Read("short.c"), before + "third\n");
}

// Marks a file append-only (as chattr +a does), so that it cannot be cut
// back; false where the file system or the user's rights do not allow it.
bool SetAppendOnly(const fs::path& file, bool on) {
    const int fd = ::open(file.c_str(), O_RDONLY);
    int flags = 0;
    bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_APPEND_FL : flags & ~FS_APPEND_FL;
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0) ::close(fd);
    return done;
}

TEST(AppendText, ATornBlockThatCannotBeCutBackIsReportedWithItsOffset) {
    test::TempHome home;
    const OutputPath path = OutputPath::FromName("torn");
    AppendText(path, "first block\n");
    const fs::path file = home.Drive() / "torn.c";
    if (!SetAppendOnly(file, true))
        GTEST_SKIP() << "no append-only files here (needs root on ext4)";
    std::string message;
    {
        FileSizeLimit limit(12 + 5);
        try {
            AppendText(path, "second block, longer than five bytes\n");
        } catch (const Exception& error) {
            message = error.Message();
        }
    }
    SetAppendOnly(file, false);
    EXPECT_EQ(home.Read("torn.c"), "first block\nsecon");
    EXPECT_NE(message.find("torn.c"), std::string::npos) << message;
    EXPECT_NE(message.find("an incomplete block, from byte 12;"), std::string::npos) << message;
}

TEST(CountPrograms, FindsAHeaderWhereverItFallsInALargeFile) {
    const std::string header = ProgramHeader();
    const std::size_t chunk = std::size_t{1} << 20;  // what the count reads at once
    test::TempHome home;
    fs::create_directories(home.Drive());
    const fs::path file = home.Drive() / "large.c";
    // A second header that starts this many bytes before a piece of the file ends.
    for (const std::size_t before : {std::size_t{1}, std::size_t{2}, header.size() / 2,
                                     header.size() - 1, header.size(), header.size() + 1}) {
        std::string text = header + ProgramClose();
        text.append(chunk - before - text.size(), ' ');
        text += header + ProgramClose();
        std::ofstream(file, std::ios::binary) << text;
        EXPECT_EQ(CountPrograms(file), 2) << before << " bytes before the end of the first piece";
    }
}

TEST(CountPrograms, NeverReadsAPipe) {
    test::TempHome home;
    fs::create_directories(home.Drive());
    const fs::path pipe = home.Drive() / "pipe.c";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    auto count = std::async(std::launch::async, [&] { return CountPrograms(pipe); });
    if (count.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        // It is stuck opening the pipe: a writer lets it go.
        std::ofstream(pipe) << "x";
        ADD_FAILURE() << "the count waited for a writer on the pipe";
    }
    EXPECT_EQ(count.get(), 0);
}

TEST(AppendText, AddsAfterWhatTheFileAlreadyHolds) {
    test::TempHome home;
    fs::create_directories(home.Drive());
    std::ofstream(home.Drive() / "old.c") << "written by someone else";
    AppendText(OutputPath::FromName("old"), "#include <delay.h>\n");
    EXPECT_EQ(home.Read("old.c"), "written by someone else#include <delay.h>\n");
}

TEST(AppendText, CreatesTheDriveFolderWhenMissing) {
    test::TempHome home;
    ASSERT_FALSE(fs::exists(home.Drive()));
    AppendText(OutputPath::FromName("new"), "x");
    EXPECT_EQ(home.Read("new.c"), "x");
}

}  // namespace
}  // namespace ledcube
