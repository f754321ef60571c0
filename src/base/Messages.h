#pragma once
// What a core operation tells the user goes through a sink it is given: the GUI
// opens a message box, the command-line tool prints, tests record.

#include <ostream>
#include <string>

namespace tavrel {

enum class Icon { Plain, Stop };

// The button a question's Enter key gives.
enum class Answer { Yes, No };
// The answer to a question that may also be cancelled.
enum class Choice { Yes, No, Cancel };

class Messages {
 public:
  virtual ~Messages() = default;
  virtual void show(const std::string& text, Icon icon = Icon::Plain) = 0;
  // A yes/no question; true means yes. Questions whose yes may cost the player
  // something offer no by default.
  virtual bool ask(const std::string& text, Answer byDefault) = 0;
  bool ask(const std::string& text) { return ask(text, Answer::Yes); }
  // A question with Yes, No and Cancel; Yes by default.
  virtual Choice choose(const std::string& text) = 0;
};

// Prints every message as a line on a stream and answers every question alike.
class StreamMessages : public Messages {
 public:
  explicit StreamMessages(std::ostream& out, bool answer = false) : m_Out(out), m_Answer(answer) {}
  using Messages::ask;
  void show(const std::string& text, Icon) override { m_Out << text << '\n'; }
  bool ask(const std::string& text, Answer) override {
    m_Out << text << (m_Answer ? " yes\n" : " no\n");
    return m_Answer;
  }
  Choice choose(const std::string& text) override { return ask(text, Answer::Yes) ? Choice::Yes : Choice::No; }

 private:
  std::ostream& m_Out;
  bool m_Answer;
};

// Drops every message and answers no: for fuzzers and benchmarks.
class SilentMessages : public Messages {
 public:
  using Messages::ask;
  void show(const std::string&, Icon) override {}
  bool ask(const std::string&, Answer) override { return false; }
  Choice choose(const std::string&) override { return Choice::No; }
};

}  // namespace tavrel
