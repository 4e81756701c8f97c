// Which integration steps of a profile write a row of the report's table.
#pragma once

#include <cstdint>

// The first and the last step, every multiple of `interval`, and at most one step each whose
// 4-, 20- or 100-fold is a multiple of `interval` not above `last`. Evaluated in constant time
// per step; steps must be asked in increasing order.
class ProfileRowSelector {
public:
  ProfileRowSelector(int64_t interval, int64_t first, int64_t last);
  // The next step that may write a row; later steps before it write none.
  int64_t NextCandidate() const { return next_; }
  // Whether step i (the current candidate) writes a row; moves on to the next candidate.
  bool TakeCandidate(int64_t i);

private:
  int64_t CandidateAfter(int64_t i) const;
  int64_t interval_, first_, last_;
  int64_t markStep_[3];
  bool markSet_[3] = {false, false, false};
  int64_t next_;
};
