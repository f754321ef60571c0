#pragma once
// A small signal: listeners connect a function and get a handle that
// disconnects them when it goes away, so no listener outlives its connection.

#include <functional>
#include <map>
#include <memory>

namespace tavrel {

template <typename... Args>
class Signal {
 public:
  using Listener = std::function<void(Args...)>;

  // Disconnects its listener when destroyed or reset.
  class Connection {
   public:
    Connection() = default;
    Connection(std::weak_ptr<std::map<int, Listener>> listeners, int id)
        : m_Listeners(std::move(listeners)), m_Id(id) {}
    Connection(Connection&& other) noexcept { *this = std::move(other); }
    Connection& operator=(Connection&& other) noexcept {
      Reset();
      m_Listeners = std::move(other.m_Listeners);
      m_Id = other.m_Id;
      other.m_Listeners.reset();
      return *this;
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { Reset(); }

    void Reset() {
      if (auto listeners = m_Listeners.lock()) listeners->erase(m_Id);
      m_Listeners.reset();
    }

   private:
    std::weak_ptr<std::map<int, Listener>> m_Listeners;
    int m_Id = 0;
  };

  [[nodiscard]] Connection Connect(Listener listener) {
    const int id = m_NextId++;
    m_Listeners->emplace(id, std::move(listener));
    return Connection(m_Listeners, id);
  }

  // Calls every listener in the order they connected. A listener may disconnect
  // itself or others while the signal runs.
  void Emit(Args... args) const {
    const auto snapshot = *m_Listeners;
    for (const auto& [id, listener] : snapshot)
      if (m_Listeners->count(id)) listener(args...);
  }

 private:
  std::shared_ptr<std::map<int, Listener>> m_Listeners = std::make_shared<std::map<int, Listener>>();
  int m_NextId = 0;
};

}  // namespace tavrel
