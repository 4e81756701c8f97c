#include "CalcTestSupport.h"
#include "calc/ProfileRows.h"
#include "calc/UTrellow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {
std::vector<int64_t> SelectedSteps(int64_t interval, int64_t first, int64_t last) {
  ProfileRowSelector selector(interval, first, last);
  std::vector<int64_t> steps;
  for (int64_t i = selector.NextCandidate(); i <= last; i = selector.NextCandidate())
    if (selector.TakeCandidate(i))
      steps.push_back(i);
  return steps;
}

// The row rule as a scan over the multiples j of the interval, first hit writes.
std::vector<int64_t> ScannedSteps(int64_t interval, int64_t first, int64_t last) {
  bool quarter = false, twentieth = false, hundredth = false;
  std::vector<int64_t> steps;
  for (int64_t i = first; i <= last; ++i) {
    for (int64_t j = 0; j <= last; j += interval) {
      bool hit = false;
      if (!quarter && 4 * i == j)
        hit = quarter = true;
      else if (!twentieth && 20 * i == j)
        hit = twentieth = true;
      else if (!hundredth && 100 * i == j)
        hit = hundredth = true;
      else
        hit = j == i || (i == first && j != first) || (i == last && j != last);
      if (hit) {
        steps.push_back(i);
        break;
      }
    }
  }
  return steps;
}

std::vector<int64_t> Multiples(int64_t step, int64_t upTo) {
  std::vector<int64_t> values;
  for (int64_t v = step; v <= upTo; v += step)
    values.push_back(v);
  return values;
}
} // namespace

TEST(ProfileRowSelector, FinePassExampleOfHalfSpacing50) {
  std::vector<int64_t> expected = {15001, 20000, 25000, 125000};
  for (int64_t v : Multiples(500000, 5000000))
    expected.push_back(v);
  EXPECT_EQ(SelectedSteps(500000, 15001, 5000000), expected);
  EXPECT_EQ(expected.size(), 14u);
}

TEST(ProfileRowSelector, FieldProfileExampleOfSpacing100) {
  std::vector<int64_t> expected = {16, 20, 25, 125};
  for (int64_t v : Multiples(500, 5000))
    expected.push_back(v);
  EXPECT_EQ(SelectedSteps(500, 16, 5000), expected);
}

TEST(ProfileRowSelector, AgreesWithTheScanOverMultiples) {
  for (int64_t interval : {1, 2, 3, 4, 5, 7, 10, 12, 25, 40, 99, 100, 500, 3000})
    for (int64_t first : {2, 3, 16, 50})
      for (int64_t last : {first - 1, first, int64_t{60}, int64_t{99}, int64_t{400}, int64_t{1000},
                           int64_t{2000}, int64_t{2999}})
        EXPECT_EQ(SelectedSteps(interval, first, last), ScannedSteps(interval, first, last))
            << "interval " << interval << " first " << first << " last " << last;
}

// The fine pass derives its row interval from the half spacing: Round(S/10) steps of 1 m,
// ties to even, and the whole half spacing below 5 m.
class FinePassRows : public CalcTest {
protected:
  // The steps of the rows CalcHeadProfile writes, recovered from X = 0.855·i·0.00001.
  void ExpectRowsAt(double halfSpacing, const std::vector<int64_t>& steps) {
    Flow = FlowModelState();
    Flow.S = halfSpacing;
    Flow.rw = 0.15;
    Flow.R = 0.001;
    Flow.E = 0.5;
    Flow.Lw = 10;
    Flow.D1 = Flow.D2 = Flow.Db = 20;
    Flow.Kb1 = 5;
    Flow.T1 = 10;
    const auto lines = SplitCrLf(FineProfile());
    ASSERT_EQ(lines.size(), steps.size()) << "half spacing " << halfSpacing;
    for (size_t k = 0; k < steps.size(); ++k)
      EXPECT_NEAR(std::stod(lines[k].substr(0, 6)), 0.855e-5 * steps[k], 0.0051)
          << "row " << k << " of half spacing " << halfSpacing;
  }
};

TEST_F(FinePassRows, HalfSpacing50GivesFourteenRows) {
  std::vector<int64_t> steps = {15001, 20000, 25000, 125000};
  for (int64_t v : Multiples(500000, 5000000))
    steps.push_back(v);
  ExpectRowsAt(50, steps);
}

TEST_F(FinePassRows, TiesOfTheRowIntervalGoToEven) {
  // 25 m: Round(2.5) = 2, so a row every 200000 steps, not 300000.
  std::vector<int64_t> steps = {15001, 16000, 20000, 50000};
  for (int64_t v : Multiples(200000, 2500000))
    steps.push_back(v);
  steps.push_back(2500000);
  ExpectRowsAt(25, steps);
  // 35 m: Round(3.5) = 4.
  steps = {15001, 16000, 20000, 100000};
  for (int64_t v : Multiples(400000, 3200000))
    steps.push_back(v);
  steps.push_back(3500000);
  ExpectRowsAt(35, steps);
}

TEST_F(FinePassRows, HalfSpacingOf5mUsesTheWholeProfileAsInterval) {
  // Round(0.5) = 0: the interval becomes N itself; only the first, the last and the marks.
  ExpectRowsAt(5, {15001, 25000, 125000, 500000});
}
