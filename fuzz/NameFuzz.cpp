// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary file names through the output path and its place on disk,
// and checks that no name leads outside the drive folder.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/Sysutils.h"
#include "firmware/OutputFile.h"

namespace {

const std::string kHome = "/nonexistent/fuzz-home";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ::setenv("HOME", kHome.c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string name(reinterpret_cast<const char*>(data), size);
    const ledcube::OutputPath path = ledcube::OutputPath::FromName(name);
    if (path.Text() != "D:/" + name + ".c") std::abort();
    try {
        const std::filesystem::path file = ledcube::ResolveOutputPath(path);
        const std::string text = file.string();
        if (name.find('\0') != std::string::npos) std::abort();
        if (text.rfind(kHome + "/D/", 0) != 0) std::abort();
        if (file.filename() == ".c" || !text.ends_with(".c")) std::abort();
        for (const auto& part : file.lexically_relative(kHome + "/D"))
            if (part == ".." || part == "." || part.empty()) std::abort();
    } catch (const ledcube::Exception& error) {
        if (error.Message().empty()) std::abort();
    }
    return 0;
}
