#pragma once
// Runs a command-line tool as a player would and keeps what it said.
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

struct TRun {
  int status;       // the exit status; -1 when it did not exit
  std::string out;  // standard output
  std::string err;  // standard error
};

// A whole file's bytes; empty when it cannot be read.
inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Runs `command` through the shell, its standard error going to `errPath`.
inline TRun RunCommand(const std::string& command, const std::string& errPath) {
  TRun run{};
  std::FILE* pipe = ::popen((command + " 2>" + errPath).c_str(), "r");
  if (pipe == nullptr) return {-1, {}, {}};
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  const int raw = ::pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.err = ReadWholeFile(errPath);
  return run;
}
