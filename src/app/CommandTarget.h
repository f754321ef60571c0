#pragma once
// Something on a command's route (a view, a document, the main window, the
// application) that may handle commands. A command that nobody on its route
// handles is disabled.

#include <functional>
#include <map>
#include <string>

namespace tavrel {

struct CommandHandler {
  std::function<void()> run;
  std::function<bool()> checked;      // empty for commands without a check mark
  std::function<bool()> enabled;      // empty: enabled whenever handled
  std::function<std::string()> text;  // the menu text as it stands now; empty: the table's
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
    m_Handlers[id] = {std::move(run), std::move(checked), {}, {}};
  }
  // A command enabled only at times, whose menu text says what it will do.
  void HandleChanging(int id, std::function<void()> run, std::function<bool()> enabled,
                      std::function<std::string()> text) {
    m_Handlers[id] = {std::move(run), {}, std::move(enabled), std::move(text)};
  }

 private:
  std::map<int, CommandHandler> m_Handlers;
};

}  // namespace tavrel
