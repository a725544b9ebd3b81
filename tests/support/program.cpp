#include "support/program.h"

#include <cstdlib>
#include <filesystem>
#include <regex>

#include "core/util.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <thread>
#endif

namespace qz::test {

std::string shell_quote(std::string_view text) {
  return "'" + replace_all(text, "'", "'\\''") + "'";
}

int run_shell(const std::string& command) {
  const int raw = std::system(command.c_str());
#ifdef _WIN32
  return raw;
#else
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
#endif
}

std::string mask_timestamp(const std::string& text) {
  static const std::regex timestamp(R"((['"])\d{4}-\d{2}-\d{2}\1, \1\d{2}:\d{2}:\d{2}\1)");
  return std::regex_replace(text, timestamp, "$1<date>$1, $1<time>$1");
}

std::vector<std::string> run_arguments(const std::string& input, const std::string& output,
                                       std::string_view parser_type) {
  return {"--input=" + input, "--output=" + output,
          "--platform=Hmt4",  "--test_type=Unit",
          "--project_name=P", "--tool_name=T",
          "--hash_value=H",   "--parser_type=" + std::string(parser_type)};
}

std::string example_path(const std::string& examples, std::string_view parser_type) {
  for (const auto& entry : std::filesystem::directory_iterator(examples)) {
    const std::string name = entry.path().filename().string();
    if (name.substr(0, name.find('.')) == parser_type) return entry.path().string();
  }
  return {};
}

ProgramResult run_program(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& wrapper, const std::string& redirect) {
  const TempDir work;
  const std::string stdout_path = work.file("stdout.txt");
  std::string command = wrapper + " timeout 120 " + shell_quote(program);
  for (const std::string& argument : arguments) command += " " + shell_quote(argument);
  command += " 2>/dev/null";
  command += redirect.empty() ? " > " + shell_quote(stdout_path) : " " + redirect;
  command += "; status=$?; wait; exit $status";
  ProgramResult result;
  result.status = run_shell("bash -c " + shell_quote(command));
  result.stdout_text = read_file(stdout_path);
  return result;
}

#ifndef _WIN32
bool killed_when(const std::string& program, const std::vector<std::string>& arguments,
                 const std::function<bool()>& ready) {
  std::string command = "exec " + shell_quote(program);
  for (const std::string& argument : arguments) command += " " + shell_quote(argument);
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    execl("/bin/sh", "sh", "-c", (command + " >/dev/null 2>&1").c_str(), nullptr);
    _exit(127);
  }
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  while (!ready() && std::chrono::steady_clock::now() < give_up) {
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  return WIFSIGNALED(status);
}
#endif

}  // namespace qz::test
