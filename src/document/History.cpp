#include "document/History.h"

#include <algorithm>

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

bool History::PartsChangedSinceSave() const {
  const std::size_t from = std::min(m_SavePoint.value_or(0), m_Done);
  const std::size_t to = std::max(m_SavePoint.value_or(m_Steps.size()), m_Done);
  for (std::size_t i = from; i < to && i < m_Steps.size(); ++i) {
    const Step& step = m_Steps[i];
    if (step.image && step.image->shape != ShapeKind::Car) return true;
    for (const ElementChange& change : step.elements)
      if (change.element.shape != ShapeKind::Car) return true;
  }
  return false;
}

void History::Push(Step step) {
  m_Steps.resize(m_Done);
  if (m_SavePoint && *m_SavePoint > m_Done) m_SavePoint.reset();
  m_Steps.push_back(std::move(step));
  ++m_Done;
}

}  // namespace tavrel
