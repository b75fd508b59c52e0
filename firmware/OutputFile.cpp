// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/OutputFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

#include "base/Language.h"
#include "base/Sysutils.h"
#include "firmware/FirmwareText.h"

#ifndef _WIN32
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ledcube {

namespace {

constexpr std::string_view kDrivePrefix = "D:/";
constexpr std::string_view kExtension = ".c";

[[noreturn]] void RefuseMissingName() {
    throw Exception(Tr("Editor", "No file name: type the file's name before starting."));
}

// A file that could not be opened or written: what failed, the file and the
// system's reason, and where a torn block that stays begins.
[[noreturn]] void RefuseFile(const Text& failure, const std::filesystem::path& file, int error,
                             long long tornFrom = -1) {
    std::string message = failure.Arg(file.string()).Arg(std::strerror(error));
    if (tornFrom >= 0)
        message +=
            "\n" + Tr("Editor",
                      "The file could not be put back as it was: it now ends with an incomplete "
                      "block, from byte %1; a program added after it would not compile. Take "
                      "this incomplete block out (or choose another name) before going on.")
                       .Arg(tornFrom)
                       .Str();
    throw Exception(message);
}

Text CannotOpen() {
    return Tr("Editor", "Cannot open the file “%1”: %2");
}

Text CannotWrite() {
    return Tr("Editor", "Cannot write to the file “%1”: %2");
}

// The parts of a path below the drive root, with "." and ".." resolved as at a
// root directory: ".." at the root stays at the root.
std::vector<std::string> PartsBelowRoot(std::string_view rest) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = rest.find('/', start);
        if (end == std::string_view::npos) end = rest.size();
        const std::string_view part = rest.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.emplace_back(part);
        }
        start = end + 1;
    }
    return parts;
}

#ifndef _WIN32

std::filesystem::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    throw Exception(
        Tr("Editor", "The home folder cannot be found: there is nowhere to put the file."));
}

std::filesystem::path DriveFolder() {
    return HomeFolder() / "D";
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int Get() const { return fd_; }
    // Closes now and returns the error number of a failed close, or 0.
    int Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

  private:
    int fd_;
};

// Writes all of `data`; returns 0 or the error number of the failure.
int WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (written == 0) return EIO;
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

#endif

}  // namespace

OutputPath OutputPath::FromName(std::string_view name) {
    OutputPath path;
    path.text_.reserve(kDrivePrefix.size() + name.size() + kExtension.size());
    path.text_.append(kDrivePrefix).append(name).append(kExtension);
    return path;
}

std::filesystem::path ResolveOutputPath(const OutputPath& path) {
    const std::string& text = path.Text();
    if (text.empty()) RefuseMissingName();
    if (text.find('\0') != std::string::npos)
        throw Exception(
            Tr("Editor", "The file's name holds a null character: choose another name."));
    if (text.rfind(kDrivePrefix, 0) != 0)
        throw Exception(Tr("Editor", "The path “%1” is not on drive D:.").Arg(text));
    const std::vector<std::string> parts =
        PartsBelowRoot(std::string_view(text).substr(kDrivePrefix.size()));
    if (parts.empty() || parts.back() == kExtension) RefuseMissingName();
#ifdef _WIN32
    std::filesystem::path resolved(std::string(kDrivePrefix));
#else
    std::filesystem::path resolved = DriveFolder();
#endif
    for (const std::string& part : parts) resolved /= part;
    return resolved;
}

void AppendText(const OutputPath& path, std::string_view block) {
    const std::filesystem::path file = ResolveOutputPath(path);
#ifdef _WIN32
    std::FILE* stream = std::fopen(file.string().c_str(), "ab");
    if (stream == nullptr) RefuseFile(CannotOpen(), file, errno);
    const bool written = std::fwrite(block.data(), 1, block.size(), stream) == block.size();
    const bool flushed = std::fflush(stream) == 0;
    const bool closed = std::fclose(stream) == 0;
    if (!written || !flushed || !closed) RefuseFile(CannotWrite(), file, errno);
#else
    std::error_code ignored;
    std::filesystem::create_directory(DriveFolder(), ignored);  // a failure shows at the open

    // Non-blocking so that a pipe without a reader fails at once instead of hanging.
    FileDescriptor fd(::open(
        file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666));
    if (fd.Get() < 0) RefuseFile(CannotOpen(), file, errno);
    const int flags = ::fcntl(fd.Get(), F_GETFL);
    if (flags >= 0) ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK);

    struct stat before {};
    const bool regular = ::fstat(fd.Get(), &before) == 0 && S_ISREG(before.st_mode);

    // A failed write is cut off again; when even that fails, the torn block stays.
    bool torn = false;
    int error = WriteAll(fd.Get(), block);
    if (error != 0 && regular) torn = ::ftruncate(fd.Get(), before.st_size) != 0;
    if (const int closeError = fd.Close(); error == 0 && closeError != 0) {
        error = closeError;
        if (regular) torn = ::truncate(file.c_str(), before.st_size) != 0;
    }
    if (error != 0) RefuseFile(CannotWrite(), file, error, torn ? before.st_size : -1);
#endif
}

bool LastProgramUnfinished(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return false;
    const std::string close = ProgramClose();
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    const std::streamoff size = in.tellg();
    if (!in || size < static_cast<std::streamoff>(close.size())) return true;
    in.seekg(size - static_cast<std::streamoff>(close.size()));
    std::string end(close.size(), '\0');
    in.read(end.data(), static_cast<std::streamsize>(end.size()));
    return !in || end != close;
}

int CountPrograms(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return 0;
    std::ifstream in(file, std::ios::binary);
    const std::string header = ProgramHeader();
    // Read in pieces, keeping the end of each piece in case a header spans two.
    std::string window;
    std::vector<char> piece(1 << 20);
    int count = 0;
    while (in) {
        in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
        window.append(piece.data(), static_cast<std::size_t>(in.gcount()));
        std::size_t at = 0;
        for (std::size_t found = window.find(header); found != std::string::npos;
             found = window.find(header, at)) {
            ++count;
            at = found + header.size();
        }
        const std::size_t keep = std::min(window.size() - at, header.size() - 1);
        window.erase(0, window.size() - keep);
    }
    return count;
}

}  // namespace ledcube
