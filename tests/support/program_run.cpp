// The runner program launched from tests, through the shell, with its output captured in files.
#include "tests/support/program_run.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
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
