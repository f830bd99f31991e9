#pragma once

// Where the content last saved or opened lies in a history of steps, and
// whether the document differs from it. A position in the history is the
// number of steps done: 0 before the first one.

#include <cstddef>
#include <functional>
#include <optional>

namespace mojihyo {

class SavePoint {
public:
  // Whether the step at a position changes the content (a lock does not).
  using ChangesContent = std::function<bool(std::size_t step)>;

  // The table was saved, opened or made new with `index` steps done.
  void SavedAt(std::size_t index) { at_ = index; }

  // The steps from `index` on are dropped for a new one. A saved point among
  // them moves to `index` when none of the dropped steps up to it changed
  // the content (the content there is the saved one); else it is gone.
  void Branch(std::size_t index, const ChangesContent& changes);

  // Whether a step that changes the content lies between the saved point
  // and `index`; always, once the saved point is gone.
  bool Changed(std::size_t index, const ChangesContent& changes) const;

  bool IsAt(std::size_t index) const { return at_ == index; }

private:
  std::optional<std::size_t> at_ = 0;
};

}  // namespace mojihyo
