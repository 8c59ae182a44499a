#pragma once
// Helpers shared by the fuzz targets.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace TarvaneFuzz {

// A rule that must hold for every input: a broken one stops the program, which the fuzzer
// records as a crash together with the input.
inline void Check(bool holds, const char* rule) {
  if (holds) return;
  std::fprintf(stderr, "fuzz rule broken: %s\n", rule);
  std::abort();
}

inline std::string Text(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// One temporary folder for the whole run, removed at exit; targets that read files write each
// input into it.
class Scratch {
public:
  static Scratch& Get() {
    static Scratch scratch;
    return scratch;
  }
  const std::string& Path() const { return path_; }
  std::string Join(const std::string& name) const { return path_ + "/" + name; }
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::string path = Join(name);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    Check(file.good(), "the scratch file can be written");
    return path;
  }
  void Remove(const std::string& name) const {
    std::error_code ignored;
    std::filesystem::remove_all(Join(name), ignored);
  }

private:
  // In memory where the system offers it: the settings file layer syncs every write to disk,
  // which would make the run wait on the disk rather than test anything.
  static std::filesystem::path Base() {
    if (::access("/dev/shm", W_OK) == 0) return "/dev/shm";
    return std::filesystem::temp_directory_path();
  }
  Scratch() {
    std::string pattern = (Base() / "tarvane-fuzz-XXXXXX").string();
    Check(::mkdtemp(pattern.data()) != nullptr, "a scratch folder can be made");
    path_ = pattern;
  }
  ~Scratch() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string path_;
};

}  // namespace TarvaneFuzz
