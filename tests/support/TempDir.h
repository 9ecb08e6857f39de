#pragma once
// A fresh directory per test, removed afterwards; optionally the working directory
// while the test runs (the program resolves bare file names against it).
#include <filesystem>
#include <string>

namespace testsupport {

class TempDir {
public:
  explicit TempDir(bool enter = false);
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

  void write(const std::string& name, const std::string& bytes) const;  // throws when it cannot
  std::string read(const std::string& name) const;  // "" when missing
  bool exists(const std::string& name) const;

private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
  bool entered_ = false;
};

}  // namespace testsupport
