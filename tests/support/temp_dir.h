// The one scratch folder of the tests, with whole-file bytes, environment overrides for one test and the
// fuzz seeds the tests write out.
#pragma once

#include <stdlib.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace test_support {

// A scratch folder for one test, removed with everything in it when the test ends.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tacknote_test.XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) FPath = pattern;
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() {
    std::error_code ec;
    // A test may have taken the write bit away; give it back so the folder can go.
    std::filesystem::permissions(FPath, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(FPath, ec);
  }

  const std::filesystem::path& Path() const { return FPath; }
  std::filesystem::path operator/(std::string_view name) const { return FPath / name; }

  // The names in the folder, hidden ones included: how a test sees a temporary file left behind.
  std::set<std::string> Names() const {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(FPath, ec))
      names.insert(entry.path().filename().string());
    return names;
  }

 private:
  std::filesystem::path FPath;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Sets (or with nullptr removes) an environment variable for one test and puts the old value back.
// tzset() follows both changes so that a TZ override reaches the local-time functions.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : FName(name) {
    if (const char* old = std::getenv(name)) FOld = old;
    Set(value);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;
  ~ScopedEnv() { Set(FOld ? FOld->c_str() : nullptr); }

 private:
  void Set(const char* value) {
    if (value)
      ::setenv(FName, value, 1);
    else
      ::unsetenv(FName);
    ::tzset();
  }
  const char* FName;
  std::optional<std::string> FOld;
};

// The fuzz targets' seed corpus is what the tests already check: with TACKNOTE_SEED_DIR set (make
// fuzz-run sets it), the seeds are written to <dir>/<target>/seed-<n>.
inline void WriteSeeds(std::string_view target, const std::vector<std::string>& seeds) {
  const char* dir = std::getenv("TACKNOTE_SEED_DIR");
  if (dir == nullptr || *dir == '\0') return;
  const std::filesystem::path folder = std::filesystem::path(dir) / target;
  std::filesystem::create_directories(folder);
  for (std::size_t i = 0; i < seeds.size(); ++i) WriteBytes(folder / ("seed-" + std::to_string(i)), seeds[i]);
}

}  // namespace test_support
