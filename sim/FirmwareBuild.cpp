#include "sim/FirmwareBuild.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "sim/SimError.h"
#include "sim/SourceRewrite.h"

extern char** environ;

namespace ledcube::sim {

namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& file, std::string_view text) {
    std::ofstream out(file, std::ios::binary);
    out << text;
    if (!out.flush()) throw SimError("cannot write " + file.string());
}

// Runs a program in `folder` with its messages (stdout and stderr) going to `log`;
// returns its exit status.
int Run(const std::vector<std::string>& arguments, const fs::path& folder, const fs::path& log) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        throw SimError("cannot run " + arguments[0] +
                       " (is the Debian package gcc-avr installed?)");
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

void Compile(const fs::path& source, const std::string& mcu, const fs::path& elf,
             const fs::path& folder) {
    const fs::path log = folder / ("avr-gcc-" + mcu + ".log");
    const int status = Run({"avr-gcc", "-mmcu=" + mcu, "-Os", "-std=gnu99", "-Wno-main",
                            "-DF_CPU=" + std::to_string(kCpuHertz) + "UL", "-I", folder.string(),
                            source.filename().string(), "-o", elf.string()},
                           folder, log);
    if (status != 0)
        throw SimError("the program does not compile for the " + mcu + ":\n" + ReadTextFile(log));
}

}  // namespace

std::string ReadTextFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in || fs::is_directory(file)) throw SimError("cannot read " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

ScratchFolder::ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "ledcube-sim-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw SimError("cannot make a scratch folder");
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

fs::path BuildFirmware(std::string_view source, const std::string& fileName,
                       const ScratchFolder& scratch) {
    const fs::path folder = scratch.Path();
    const fs::path file = folder / fs::path(fileName).filename();
    WriteFile(file, RewriteBitAccess(source));
    WriteFile(folder / "mega8535.h", Mega8535Header());
    WriteFile(folder / "delay.h", DelayHeader());

    // avr-gcc runs in the scratch folder so that its messages name the file alone.
    Compile(file, "atmega8535", folder / "cube-atmega8535.elf", folder);
    Compile(file, "atmega16", folder / "cube-atmega16.elf", folder);
    return folder / "cube-atmega16.elf";
}

}  // namespace ledcube::sim
