// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of recording one frame (building its text and appending it) when
// the output file already holds 1 KB or 100 MB: appending must not read or
// rewrite what is there, so both must cost the same.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "firmware/FirmwareText.h"
#include "firmware/OutputFile.h"

namespace {

namespace fs = std::filesystem;

// A home folder of its own whose output file starts at the given size.
class PreparedFile {
  public:
    explicit PreparedFile(std::int64_t bytes) {
        std::string pattern = (fs::temp_directory_path() / "ledcube-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        home_ = pattern;
        ::setenv("HOME", home_.c_str(), 1);
        fs::create_directories(home_ / "D");
        const std::string chunk(1 << 20, '/');
        const int fd =
            ::open((home_ / "D" / "bench.c").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        for (std::int64_t left = bytes; left > 0; left -= static_cast<std::int64_t>(chunk.size()))
            if (::write(fd, chunk.data(), std::min<std::int64_t>(left, chunk.size())) < 0)
                std::abort();
        ::close(fd);
    }
    ~PreparedFile() { fs::remove_all(home_); }

  private:
    fs::path home_;
};

void RecordFrame(benchmark::State& state) {
    const PreparedFile file(state.range(0));
    const ledcube::OutputPath path = ledcube::OutputPath::FromName("bench");
    ledcube::CellState cells;
    cells.Set(1, true);
    cells.Set(14, true);
    for (auto _ : state) ledcube::AppendText(path, ledcube::FrameBlock(300, cells));
}

BENCHMARK(RecordFrame)->Arg(1 << 10)->Arg(100 << 20)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
