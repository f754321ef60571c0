#pragma once
// A document's history: every change to its car is a step that can be undone
// and redone. A step keeps only what it changed: the old and new values of the
// elements it touched, or the old and new bytes of a part it replaced.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "document/ElementValues.h"

namespace tavrel {

struct ElementChange {
  ElementRef element;
  ElementValues before;
  ElementValues after;
};

// A part's image taken from a file: its elements are decoded anew.
struct ImageChange {
  ShapeKind shape;
  std::vector<std::uint8_t> before;
  std::vector<std::uint8_t> after;
};

// Kept small: a history of ten thousand point edits stays under 2 MB.
struct Step {
  const char* name;  // "Point Edit": the Edit menu says "Undo Point Edit"
  std::vector<ElementChange> elements;
  std::unique_ptr<ImageChange> image;
};

// The elements whose values differ now from the snapshot's, as changes.
std::vector<ElementChange> ChangesSince(const ElementSnapshot& snapshot, Car& car);

class History {
 public:
  // A new step; the steps that were undone are gone.
  void Push(Step step);
  const Step* NextUndo() const { return m_Done > 0 ? &m_Steps[m_Done - 1] : nullptr; }
  const Step* NextRedo() const { return m_Done < m_Steps.size() ? &m_Steps[m_Done] : nullptr; }
  // Moves over the step NextUndo or NextRedo gave; the caller applies it.
  void Undone() { --m_Done; }
  void Redone() { ++m_Done; }

  // Whether the car is as it was when last saved (or opened).
  bool AtSavePoint() const { return m_SavePoint == m_Done; }
  void MarkSaved() { m_SavePoint = m_Done; }
  // No state of the history is saved: a recovered car.
  void ForgetSavePoint() { m_SavePoint.reset(); }
  std::size_t StepCount() const { return m_Steps.size(); }
  // Whether a step between the saved state and now changed a part: a car file
  // does not hold the parts, so saving it does not save them.
  bool PartsChangedSinceSave() const;

 private:
  std::deque<Step> m_Steps;                    // grows by blocks, not by doubling
  std::size_t m_Done = 0;                      // steps applied, from the first
  std::optional<std::size_t> m_SavePoint = 0;  // none: the saved state was undone and replaced
};

}  // namespace tavrel
