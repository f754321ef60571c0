#include "support/CliRunner.h"

#include <sys/wait.h>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/TestSupport.h"

namespace tavrel::test {
namespace {

std::string quoted(const std::string& text) {
  std::string result = "'";
  for (char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return result + "'";
}

std::string slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& args) {
  const char* cli = std::getenv("TAVREL_CLI");
  if (cli == nullptr) return {};
  ScratchFolder dir;
  std::string command = quoted(cli);
  for (const std::string& arg : args) command += " " + quoted(arg);
  command += " >" + quoted((dir / "out").string()) + " 2>" + quoted((dir / "err").string());
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(dir / "out"), slurp(dir / "err")};
}

}  // namespace tavrel::test
