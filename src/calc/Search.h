// The bisection searches of the spacing, discharge and conductivity aims: their moves, how they
// end, and the messages they give on the way.
#pragma once

#include "core/Numerics.h"

#include <string>

class Services;

// The " Still working ..." lines of the discharge and conductivity searches: each of the two
// rules speaks at most once per run. S is the half spacing in m.
class StillWorkingMessages {
public:
  explicit StillWorkingMessages(Services& services) : services_(services) {}
  void Update(double S, double diff, double tol);

private:
  Services& services_;
  bool first_ = false, second_ = false;
};

// How a search ended.
enum class SearchEnd { Converged, AtLowerBound, AtUpperBound, BetweenBounds };

// One bisection of the searches, which also tracks the directions it moved in to tell which
// bound an unconverged value is.
struct SearchMoves {
  bool up = false, down = false;
  // Moves `value` halfway towards `high` (raise) or `low`; the other bound takes its old value.
  void Bisect(bool raise, double& value, double& low, double& high) {
    if (raise) {
      low = value;
      value = Store((LD(value) + high) / 2.0L);
      up = true;
    } else {
      high = value;
      value = Store((LD(value) + low) / 2.0L);
      down = true;
    }
  }
  SearchEnd End(bool converged) const {
    if (converged)
      return SearchEnd::Converged;
    if (!up)
      return SearchEnd::AtLowerBound;
    if (!down)
      return SearchEnd::AtUpperBound;
    return SearchEnd::BetweenBounds;
  }
};

// The explanation of an unconverged search, e.g. NotConvergedText(end, "well spacing", "2 m",
// "2000 m"); empty for a converged search.
std::string NotConvergedText(SearchEnd end, const std::string& quantity,
                             const std::string& lowerBound, const std::string& upperBound);
