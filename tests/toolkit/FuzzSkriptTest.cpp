// scripts/fuzz takes its parallelism from JOBS when it is set, for the build and the runs:
// run with stand-ins for cmake, the package query and two fuzz targets.
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/TempDir.h"

namespace {

const std::string kRoot = std::filesystem::path(VELKOR_TEST_DATA).parent_path().parent_path().string();

void Executable(const testsupport::TempDir& dir, const std::string& name, const std::string& script) {
  dir.write(name, "#!/bin/sh\n" + script + "\n");
  ::chmod(dir.file(name).c_str(), 0755);
}

// The script's output, run from the source tree with the stand-ins first on PATH.
std::string FuzzRun(const testsupport::TempDir& dir, const std::string& environment) {
  const std::string command = "cd '" + kRoot + "' && " + environment + " FUZZ_BUILD='" + dir.file("build") +
                              "' PATH='" + dir.file("bin") + "':\"$PATH\" bash scripts/fuzz 1 2>&1";
  std::string output;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    EXPECT_EQ(::pclose(pipe), 0) << output;
  }
  return output;
}

TEST(FuzzScript, TakesItsParallelismFromJobs) {
  if (!std::filesystem::exists(kRoot + "/scripts/fuzz")) GTEST_SKIP() << "no source tree beside the test data";
  testsupport::TempDir dir;
  std::filesystem::create_directories(dir.path() / "bin");
  std::filesystem::create_directories(dir.path() / "build/fuzz");
  Executable(dir, "bin/cmake", "echo \"$@\" >> '" + dir.file("cmake.log") + "'");
  Executable(dir, "bin/dpkg-query", "echo 'install ok installed'");
  Executable(dir, "build/fuzz/fuzz_a", "exit 0");
  Executable(dir, "build/fuzz/fuzz_b", "exit 0");

  const std::string given = FuzzRun(dir, "JOBS=3");
  EXPECT_NE(given.find("fuzz: 2 targets, 1 s each, 3 at a time"), std::string::npos) << given;
  EXPECT_NE(given.find("fuzz_a: ok"), std::string::npos) << given;
  EXPECT_NE(dir.read("cmake.log").find("--build " + dir.file("build") + " -j 3"), std::string::npos)
      << dir.read("cmake.log");

  cpu_set_t set;
  ASSERT_EQ(::sched_getaffinity(0, sizeof set, &set), 0);
  const std::string cores = std::to_string(CPU_COUNT(&set));  // what nproc says
  const std::string unset = FuzzRun(dir, "unset JOBS;");
  EXPECT_NE(unset.find("1 s each, " + cores + " at a time"), std::string::npos) << unset;
}

}  // namespace
