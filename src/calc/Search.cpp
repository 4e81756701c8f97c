#include "calc/Search.h"

#include "core/Services.h"

void StillWorkingMessages::Update(double S, double diff, double tol) {
  if (!first_ && S <= 25.0 && diff < 1000.0L * tol) {
    services_.AppendProgress(" Still working ...");
    first_ = true;
  }
  if (!second_ &&
      ((S > 25.0 && S < 50.0 && diff < 100.0L * tol) || (S >= 50.0 && diff < 1000.0L * tol))) {
    services_.AppendProgress(" Still working ...");
    second_ = true;
  }
}

std::string NotConvergedText(SearchEnd end, const std::string& quantity,
                             const std::string& lowerBound, const std::string& upperBound) {
  const std::string head =
      "The required midway watertable depth was not reached: the " + quantity + " shown is ";
  switch (end) {
  case SearchEnd::Converged:
    return std::string();
  case SearchEnd::AtLowerBound:
    return head + "the lower bound of the search, " + lowerBound + ".";
  case SearchEnd::AtUpperBound:
    return head + "the upper bound of the search, " + upperBound + ".";
  case SearchEnd::BetweenBounds:
    break;
  }
  return head + "the last estimate of the search between " + lowerBound + " and " + upperBound +
         ".";
}
