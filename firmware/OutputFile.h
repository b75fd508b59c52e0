// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ledcube {

// The output file's path as the program names it: "D:/<name>.c", built from
// the text of the file-name box exactly as typed.
class OutputPath {
  public:
    // The path for a typed name; the name is kept whole, whatever its length.
    static OutputPath FromName(std::string_view name);

    // Text of the path; empty until a name has been given.
    const std::string& Text() const { return text_; }
    bool Empty() const { return text_.empty(); }

    bool operator==(const OutputPath&) const = default;

  private:
    std::string text_;
};

// Where a "D:/..." path lives on this system. On Windows the path as it stands;
// elsewhere the drive root D:/ is the folder D in the user's home directory,
// and "." and ".." are resolved inside that folder as they are at a drive root,
// so no name reaches outside it. Throws Exception when the path is empty, has
// no file name, holds a NUL byte or when no home directory is known.
std::filesystem::path ResolveOutputPath(const OutputPath& path);

// Appends one block of text to the file, creating the file (and the folder
// that stands for drive D) when missing. The block reaches the file whole or
// not at all: on any failure the file is cut back to its former length and
// Exception is raised with a message naming the file and the system's reason;
// when even the cutting back fails, the message says from which byte the file
// now ends with a torn block.
void AppendText(const OutputPath& path, std::string_view block);

// How many programs a file already holds, counted by their headers; 0 when the
// file is missing or is not a regular file (a pipe is never read).
int CountPrograms(const std::filesystem::path& file);

// True when a regular file does not end with the closing text that Finir
// writes: its last program is unfinished (or it holds none).
bool LastProgramUnfinished(const std::filesystem::path& file);

}  // namespace ledcube
