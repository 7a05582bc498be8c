// The runner program launched from tests, through the shell, with its output captured in files.
#include "tests/support/program_run.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::filesystem::path FreshFolderForThisTest() {
  const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string("hoshikuzu_") + info->test_suite_name() + "_" + info->name();
  std::replace(name.begin(), name.end(), '/', '_');
  std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / name;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

ProgramOutcome RunHeadless(const std::string& args, const std::filesystem::path& dir) {
  std::filesystem::path out = dir / "out.txt", err = dir / "err.txt";
  std::string command = std::string("'") + HOSHIKUZU_HEADLESS_PATH + "' " + args + " >'" + out.string() + "' 2>'" +
                        err.string() + "'";
  int raw = std::system(command.c_str());
  ProgramOutcome outcome;
  outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  outcome.out = ReadAll(out);
  outcome.err = ReadAll(err);
  return outcome;
}
