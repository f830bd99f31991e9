#include "core/save_point.h"

#include <algorithm>

namespace mojihyo {

namespace {
// Looks from the newer end down: the newest step is usually typing, which
// settles the question at once.
bool AnyChangesContent(std::size_t from, std::size_t to, const SavePoint::ChangesContent& changes) {
  for (std::size_t step = to; step > from; --step)
    if (changes(step - 1)) return true;
  return false;
}
}  // namespace

void SavePoint::Branch(std::size_t index, const ChangesContent& changes) {
  if (!at_ || *at_ <= index) return;
  at_ = AnyChangesContent(index, *at_, changes) ? std::nullopt : std::optional(index);
}

bool SavePoint::Changed(std::size_t index, const ChangesContent& changes) const {
  if (!at_) return true;
  return AnyChangesContent(std::min(*at_, index), std::max(*at_, index), changes);
}

}  // namespace mojihyo
