#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "tests/cli/run_program.h"

namespace cli_test {

// The streams go through files, never pipes: no output size can block the program.
RunResult run_program(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                      std::string_view input) {
  const ScratchFolder streams("tildario-run");
  const std::filesystem::path in = streams.write("in", input), out = streams.path() / "out",
                              err = streams.path() / "err";
  std::vector<std::string> words{program.string()};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);

  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork");
  if (pid == 0) {
    const int in_fd = open(in.c_str(), O_RDONLY);
    const int out_fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err_fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in_fd < 0 || out_fd < 0 || err_fd < 0 || dup2(in_fd, 0) < 0 || dup2(out_fd, 1) < 0 || dup2(err_fd, 2) < 0)
      _exit(126);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) throw std::runtime_error("waitpid");
  RunResult run;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  run.out = read_file(out);
  run.err = read_file(err);
  return run;
}

}  // namespace cli_test
