#include "document/History.h"

namespace tavrel {

std::vector<ElementChange> ChangesSince(const ElementSnapshot& snapshot, Car& car) {
  std::vector<ElementChange> changes;
  for (const auto& [ref, before] : snapshot.elements) {
    const Observer* element = Resolve(car, ref);
    if (element == nullptr) continue;
    const ElementValues after = ValuesOf(*element);
    if (after != before) changes.push_back({ref, before, after});
  }
  return changes;
}

void History::Push(Step step) {
  m_Steps.resize(m_Done);
  if (m_SavePoint && *m_SavePoint > m_Done) m_SavePoint.reset();
  m_Steps.push_back(std::move(step));
  ++m_Done;
}

}  // namespace tavrel
