#include "calc/ProfileRows.h"

#include <algorithm>
#include <numeric>

namespace {
constexpr int64_t kMarkFactors[3] = {4, 20, 100};
} // namespace

ProfileRowSelector::ProfileRowSelector(int64_t interval, int64_t first, int64_t last)
    : interval_(interval), first_(first), last_(last), next_(first) {
  for (int k = 0; k < 3; ++k)
    markStep_[k] = interval > 0 ? interval / std::gcd(interval, kMarkFactors[k]) : 0;
}

bool ProfileRowSelector::TakeCandidate(int64_t i) {
  bool write = i == first_ || i == last_ || (interval_ > 0 && i % interval_ == 0);
  for (int k = 0; k < 3 && !write && interval_ > 0; ++k) {
    const int64_t multiple = kMarkFactors[k] * i;
    if (!markSet_[k] && multiple % interval_ == 0 && multiple <= last_) {
      markSet_[k] = true;
      write = true;
    }
  }
  next_ = CandidateAfter(i);
  return write;
}

int64_t ProfileRowSelector::CandidateAfter(int64_t i) const {
  int64_t next = INT64_MAX;
  if (first_ > i)
    next = first_;
  if (last_ > i && last_ < next)
    next = last_;
  if (interval_ <= 0)
    return next;
  next = std::min(next, (i / interval_ + 1) * interval_);
  for (int k = 0; k < 3; ++k) {
    if (markSet_[k])
      continue;
    const int64_t candidate = (i / markStep_[k] + 1) * markStep_[k];
    if (candidate <= last_ / kMarkFactors[k])
      next = std::min(next, candidate);
  }
  return next;
}
