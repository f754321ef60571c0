#pragma once
// Runs the built tavrel-cli (CTest gives its path in TAVREL_CLI) and captures
// its exit status, stdout and stderr.

#include <string>
#include <vector>

namespace tavrel::test {

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

CliResult RunCli(const std::vector<std::string>& args);

}  // namespace tavrel::test
