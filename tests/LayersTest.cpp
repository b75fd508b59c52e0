// SPDX-License-Identifier: GPL-3.0-or-later
// The house's rules the build keeps: the folders include one way, each only
// what it is built on, and every source is written as clang-format writes it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "TempHome.h"

namespace {

namespace fs = std::filesystem;

// Each folder and those it is built on directly; what they are built on it may include too.
const std::map<std::string, std::set<std::string>> kBuiltOn = {
    {"base", {}},
    {"model", {"base"}},
    {"firmware", {"base", "model"}},
    {"workflow", {"firmware"}},
    {"ui", {"workflow"}},
    {"app", {"ui"}},
    {"program", {"firmware"}},
    {"chip", {"program"}},
    {"compact", {"chip"}},
    {"pipeline", {"compact"}},
    {"live", {"compact"}},
    {"effects", {"chip"}},
    {"gif", {"chip", "ui"}},
    {"sim", {"pipeline", "gif", "live", "effects"}},
    {"player", {"pipeline", "gif", "ui", "live", "effects"}},
};

// The folder itself and every folder under it, however far down.
std::set<std::string> MayInclude(const std::string& folder) {
    std::set<std::string> reach{folder};
    std::vector<std::string> open{folder};
    while (!open.empty()) {
        const std::string at = open.back();
        open.pop_back();
        for (const std::string& below : kBuiltOn.at(at))
            if (reach.insert(below).second) open.push_back(below);
    }
    return reach;
}

// "gif/AnimatedGif.cpp:20 includes sim/Storyboard.h" for every include of a
// folder's sources that reaches a folder it is not built on.
std::vector<std::string> UpwardIncludes(const fs::path& root) {
    static const std::regex include(R"(^\s*#\s*include\s*"([a-z_]+)/([^"]+)\")");
    std::vector<std::string> found;
    for (const auto& [folder, below] : kBuiltOn) {
        if (!fs::is_directory(root / folder)) continue;
        const std::set<std::string> allowed = MayInclude(folder);
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            const std::string extension = entry.path().extension().string();
            if (extension != ".cpp" && extension != ".h") continue;
            std::ifstream in(entry.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number) {
                std::smatch match;
                if (std::regex_search(line, match, include) && !allowed.contains(match[1]))
                    found.push_back(fs::relative(entry.path(), root).string() + ":" +
                                    std::to_string(number) + " includes " + match[1].str() + "/" +
                                    match[2].str());
            }
        }
    }
    return found;
}

TEST(Layers, NoFolderIncludesOneAboveIt) {
    EXPECT_EQ(UpwardIncludes(LEDCUBE_SOURCE_DIR), std::vector<std::string>());
}

// Every C++ source of ours that clang-format (with the project's .clang-format)
// would write otherwise: one run over them all, its warnings naming the files.
std::vector<std::string> UnformattedSources(const fs::path& root) {
    std::vector<std::string> folders = {"tests", "bench", "fuzz", "pictures"};
    for (const auto& [folder, below] : kBuiltOn) folders.push_back(folder);
    std::string command = "clang-format --dry-run";
    for (const std::string& folder : folders) {
        if (!fs::is_directory(root / folder)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            const std::string extension = entry.path().extension().string();
            if (extension == ".cpp" || extension == ".h")
                command += " '" + entry.path().string() + "'";
        }
    }
    std::set<std::string> found;
    FILE* run = popen((command + " 2>&1").c_str(), "r");
    static const std::regex warning(R"(^(.+):\d+:\d+: warning: )");
    char line[4096];
    while (run != nullptr && std::fgets(line, sizeof line, run) != nullptr) {
        std::cmatch match;
        if (std::regex_search(line, match, warning))
            found.insert(fs::relative(match[1].str(), root).string());
    }
    if (run != nullptr) pclose(run);
    return {found.begin(), found.end()};
}

TEST(Format, EverySourceIsAsClangFormatWritesIt) {
    ASSERT_EQ(std::system("clang-format --version > /dev/null 2>&1"), 0)
        << "clang-format is missing: make test installs it";
    EXPECT_EQ(UnformattedSources(LEDCUBE_SOURCE_DIR), std::vector<std::string>());
}

TEST(Format, FindsASourceWrittenOtherwise) {
    const ledcube::test::TempHome tree;
    fs::copy_file(fs::path(LEDCUBE_SOURCE_DIR) / ".clang-format", tree.Home() / ".clang-format");
    fs::create_directories(tree.Home() / "chip");
    std::ofstream(tree.Home() / "chip" / "Good.cpp")
        << "int Twice(int x) {\n    return 2 * x;\n}\n";
    std::ofstream(tree.Home() / "chip" / "Bad.cpp") << "int Twice(int x){return 2*x;}\n";
    EXPECT_EQ(UnformattedSources(tree.Home()), std::vector<std::string>{"chip/Bad.cpp"});
}

struct Planted {
    const char* file;
    const char* line;
    bool upward;
};

class PlantedInclude : public ::testing::TestWithParam<Planted> {};

TEST_P(PlantedInclude, IsFoundWhenItRunsUp) {
    const Planted& planted = GetParam();
    const ledcube::test::TempHome tree;
    const fs::path file = tree.Home() / planted.file;
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "// a file\n#include <vector>\n" << planted.line << "\nint x;\n";
    const std::vector<std::string> found = UpwardIncludes(tree.Home());
    if (planted.upward)
        EXPECT_EQ(found, std::vector<std::string>{
                             std::string(planted.file) + ":3 includes " +
                             std::regex_replace(planted.line, std::regex(R"(.*"(.*)\".*)"), "$1")});
    else
        EXPECT_EQ(found, std::vector<std::string>());
}

INSTANTIATE_TEST_SUITE_P(
    Table, PlantedInclude,
    ::testing::Values(Planted{"gif/AnimatedGif.cpp", "#include \"sim/Storyboard.h\"", true},
                      Planted{"chip/deep/Part.h", "  #  include \"player/PlayerWindow.h\"", true},
                      Planted{"base/Language.cpp", "#include \"model/CellModel.h\"", true},
                      Planted{"program/Reader.cpp", "#include \"ui/Translations.h\"", true},
                      Planted{"model/CellModel.cpp", "#include \"firmware/FirmwareText.h\"", true},
                      Planted{"compact/Proof.cpp", "#include \"tests/TempHome.h\"", true},
                      Planted{"ui/Unit1.cpp", "#include \"workflow/MainView.h\"", false},
                      Planted{"sim/Report.cpp", "#include \"model/CellModel.h\"", false},
                      Planted{"player/Panel.cpp", "#include \"gif/AnimatedGif.h\"", false},
                      Planted{"gif/Gif.cpp", "// #include \"sim/Storyboard.h\"", false},
                      Planted{"tests/AnyTest.cpp", "#include \"player/PlayerWindow.h\"", false}));

}  // namespace
