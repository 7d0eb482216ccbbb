#include "ChildProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>

extern char** environ;

namespace dorvane::bench {
namespace {

std::vector<char*> OffscreenEnvironment(std::vector<std::string>& storage) {
  storage.clear();
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::string(*e).rfind("QT_QPA_PLATFORM=", 0) != 0) storage.emplace_back(*e);
  }
  storage.emplace_back("QT_QPA_PLATFORM=offscreen");
  std::vector<char*> env;
  for (auto& s : storage) env.push_back(s.data());
  env.push_back(nullptr);
  return env;
}

double Seconds(const timeval& t) {
  return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
}

}  // namespace

pid_t Spawn(std::vector<std::string> args, bool quiet) {
  std::vector<std::string> storage;
  std::vector<char*> env = OffscreenEnvironment(storage);
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  if (quiet) posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), env.data());
  posix_spawn_file_actions_destroy(&actions);
  return rc == 0 ? pid : -1;
}

ProcessRun RunToEnd(std::vector<std::string> args, bool quiet) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = Spawn(std::move(args), quiet);
  ProcessRun run;
  if (pid < 0) return run;
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  run.peakKiB = usage.ru_maxrss;
  return run;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace dorvane::bench
