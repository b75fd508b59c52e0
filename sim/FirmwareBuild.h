#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ledcube::sim {

// The clock the simulated cube runs at.
inline constexpr unsigned kCpuHertz = 1000000;

// A scratch folder that is removed with everything in it when the object goes.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// The whole content of a file; raises SimError when it cannot be read.
std::string ReadTextFile(const std::filesystem::path& file);

// Compiles a generated program with avr-gcc: once for the ATmega8535 it is
// written for (the compile and its flash size check), once for the
// pin-compatible ATmega16 that the simulator has. `fileName` names the source
// in the compiler's messages. Returns the ATmega16 program (ELF) in `scratch`;
// raises SimError with the compiler's message when it does not compile.
std::filesystem::path BuildFirmware(std::string_view source, const std::string& fileName,
                                    const ScratchFolder& scratch);

}  // namespace ledcube::sim
