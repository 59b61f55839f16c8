#pragma once
// Runs a program (the built kestrel-cli, or a reader such as libwmf's) as a child process with
// its arguments passed verbatim (no shell), in a fresh scratch folder of its own (removed
// afterwards, so a relative file name never lands in the source tree), and collects its exit
// status, standard output and standard error. The one way the tests start programs.

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace kestrel::testing {

struct CliRun {
  int exitCode = -1;  ///< the exit status; 128 + signal when killed; -1 when it could not start
  std::string out, err;
};

inline CliRun RunProgram(const std::string& program, const std::vector<std::string>& args) {
  CliRun run;
  // Everything the child needs is prepared before the fork: only async-signal-safe calls follow.
  std::vector<std::string> storage;
  storage.push_back(program);
  storage.insert(storage.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& s : storage) argv.push_back(s.data());
  argv.push_back(nullptr);

  std::string scratch =
      (std::filesystem::temp_directory_path() / "kestrel-cli-run.XXXXXX").string();
  if (!mkdtemp(scratch.data())) return run;
  struct RemoveScratch {
    std::string path;
    ~RemoveScratch() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
  } removeScratch{scratch};

  int outPipe[2], errPipe[2];
  if (pipe2(outPipe, O_CLOEXEC) != 0) return run;
  if (pipe2(errPipe, O_CLOEXEC) != 0) {
    close(outPipe[0]);
    close(outPipe[1]);
    return run;
  }
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(scratch.c_str()) != 0) _exit(127);
    dup2(outPipe[1], STDOUT_FILENO);
    dup2(errPipe[1], STDERR_FILENO);
    const int devNull = open("/dev/null", O_RDONLY);
    if (devNull >= 0) dup2(devNull, STDIN_FILENO);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(outPipe[1]);
  close(errPipe[1]);
  if (pid < 0) {
    close(outPipe[0]);
    close(errPipe[0]);
    return run;
  }

  pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
  std::string* sinks[2] = {&run.out, &run.err};
  int openPipes = 2;
  char buffer[65536];
  while (openPipes > 0) {
    if (poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        sinks[i]->append(buffer, static_cast<size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        close(fds[i].fd);
        fds[i].fd = -1;
        --openPipes;
      }
    }
  }
  for (auto& fd : fds)
    if (fd.fd >= 0) close(fd.fd);

  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) run.exitCode = 128 + WTERMSIG(status);
  return run;
}

/// kestrel-cli as built with the tests.
inline CliRun RunCli(const std::vector<std::string>& args) {
  return RunProgram(KESTREL_CLI_PATH, args);
}

}  // namespace kestrel::testing
