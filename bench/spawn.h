// Starting another program for a benchmark and reading its output as it comes.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <string>
#include <vector>

struct Child {
  pid_t pid = -1;
  int output = -1;  // the read end of its standard output or standard error, as asked
};

// Starts path with args (args[0] is the program's name), extra "NAME=value" entries added to this
// process's environment, and the chosen stream (1 or 2) led into a pipe. False if it could not start.
bool Spawn(const std::string& path, const std::vector<std::string>& args, const std::vector<std::string>& env,
           int stream, Child* child);
// Reads the child's stream up to and including the next line break; false at the end of the stream.
bool ReadLine(const Child& child, std::string* line);
// Reads the rest of the stream, then waits for the child to end; returns its exit status (-1 if killed)
// and, if asked, the processor time and memory it used.
int Finish(Child& child, rusage* usage = nullptr);
// The path of the running program, for starting it again as a fresh process.
std::string OwnPath();
