#pragma once
// Something on a command's route (a view, a document, the main window, the
// application) that may handle commands. A command that nobody on its route
// handles is disabled.

#include <functional>
#include <map>

namespace tavrel {

struct CommandHandler {
  std::function<void()> run;
  std::function<bool()> checked;  // empty for commands without a check mark
};

class CommandTarget {
 public:
  virtual ~CommandTarget() = default;
  // Null when this target does not handle the command.
  const CommandHandler* FindHandler(int id) const {
    const auto found = m_Handlers.find(id);
    return found == m_Handlers.end() ? nullptr : &found->second;
  }

  void Handle(int id, std::function<void()> run, std::function<bool()> checked = {}) {
    m_Handlers[id] = {std::move(run), std::move(checked)};
  }

 private:
  std::map<int, CommandHandler> m_Handlers;
};

}  // namespace tavrel
