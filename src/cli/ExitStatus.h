#pragma once
// The exit statuses of tavrel-cli: 0 done, 1 the operation failed (message on
// stderr), 2 usage errors and unreadable files.

namespace tavrel::cli {

enum ExitStatus : int { kSuccess = 0, kFailed = 1, kUsage = 2 };

// The status the chosen subcommand ended with.
int& exitStatus();

}  // namespace tavrel::cli
