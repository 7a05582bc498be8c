// Runs the headless runner program from a test, keeping what it prints in a folder of the test's own.
#pragma once

#include <filesystem>
#include <string>

struct ProgramOutcome {
  int status = -1;  // the exit status, or -1 when the program did not exit normally
  std::string out;  // standard output
  std::string err;  // standard error
};

std::string ReadAll(const std::filesystem::path& path);

// An empty folder of the running test's own (named after its suite and name), so that tests running
// side by side keep their files apart.
std::filesystem::path FreshFolderForThisTest();

// Runs hoshikuzu-headless with args (paths in them already quoted), its output captured in dir.
ProgramOutcome RunHeadless(const std::string& args, const std::filesystem::path& dir);
