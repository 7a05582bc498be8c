// Spawning with posix_spawn, so that a benchmark's child starts as any program does.
#include "bench/spawn.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstring>

extern char** environ;

bool Spawn(const std::string& path, const std::vector<std::string>& args, const std::vector<std::string>& env,
           int stream, Child* child) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return false;
  std::vector<char*> argv, envp;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  for (char** e = environ; *e != nullptr; ++e) envp.push_back(*e);
  for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], stream);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
  int failed = posix_spawn(&child->pid, path.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  if (failed != 0) {
    close(pipeEnds[0]);
    return false;
  }
  child->output = pipeEnds[0];
  return true;
}

bool ReadLine(const Child& child, std::string* line) {
  line->clear();
  char c;
  while (read(child.output, &c, 1) == 1) {
    *line += c;
    if (c == '\n') return true;
  }
  return false;
}

int Finish(Child& child, rusage* usage) {
  char buffer[4096];
  while (read(child.output, buffer, sizeof buffer) > 0) {
  }
  close(child.output);
  int status = 0;
  rusage used{};
  wait4(child.pid, &status, 0, &used);
  if (usage != nullptr) *usage = used;
  child.pid = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string OwnPath() {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
}
