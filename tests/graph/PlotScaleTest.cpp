#include "core/TextFormat.h"
#include "data/UDMPumpfield.h"
#include "graph/UWellUtils.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
class PlotScaleTest : public testing::Test {
protected:
  PlotScaleTest() { SetPlotFrame(PlotScale, kPlotWidth, kPlotHeight); }

  void FirstTable(const DataSetR& x, const DataSetR& f) {
    dm.Table1X = x;
    dm.Table1F = f;
    dm.Table1G.assign(x.size(), 0.0);
    dm.Count1 = static_cast<int32_t>(x.size());
  }

  void Scale() {
    FindPlotRange(PlotScale, dm);
    ChooseAxisScales(PlotScale);
    SetAxisLabels(PlotScale);
  }

  // Scales the given maxima directly, as a report whose maxima they are.
  void ScaleMaxima(double yMax, double xMax) {
    PlotScale.YMax = yMax;
    PlotScale.XMax = xMax;
    ChooseAxisScales(PlotScale);
  }

  // The mapping of this test's plot scale, with its decimal separator.
  int32_t VerticalTickRow(int32_t i) const { return ::VerticalTickRow(PlotScale, i); }
  double VerticalTickValue(int32_t i) const { return ::VerticalTickValue(PlotScale, i); }
  int32_t HorizontalTickColumn(int32_t i) const { return ::HorizontalTickColumn(PlotScale, i); }
  double HorizontalTickValue(int32_t i) const { return ::HorizontalTickValue(PlotScale, i); }
  int32_t HorizontalLabelColumn(int32_t i) const { return ::HorizontalLabelColumn(PlotScale, i); }
  int32_t ToPixelX(double x) const { return ::ToPixelX(PlotScale, x); }
  int32_t ToPixelY(double f) const { return ::ToPixelY(PlotScale, f); }
  std::string TickLabel(double value, int32_t decimals) const {
    return ::TickLabel(value, decimals, separator);
  }

  std::vector<std::string> VerticalLabels() const {
    std::vector<std::string> labels;
    for (int32_t i = 0; i <= PlotScale.YTicks; ++i)
      labels.push_back(TickLabel(VerticalTickValue(i), PlotScale.YDecimals));
    return labels;
  }
  std::vector<std::string> HorizontalLabels() const {
    std::vector<std::string> labels;
    for (int32_t i = 0; i <= PlotScale.XTicks; ++i)
      labels.push_back(TickLabel(HorizontalTickValue(i), PlotScale.XDecimals));
    return labels;
  }

  TPlotScale PlotScale;
  TDMPumpfield dm;
  char separator = '.';
};

using Labels = std::vector<std::string>;
} // namespace

TEST_F(PlotScaleTest, WorkedExampleOfThreeMetresOverFiftyMetres) {
  FirstTable({0.5, 10, 25, 50}, {0.2, 1.5, 2.4, 3.0});
  Scale();
  EXPECT_DOUBLE_EQ(PlotScale.YMax, 3.3);
  EXPECT_EQ(PlotScale.XMax, 50);
  EXPECT_EQ(PlotScale.YHigh, 4);
  EXPECT_EQ(PlotScale.YTicks, 4);
  EXPECT_EQ(PlotScale.YDecimals, 1);
  EXPECT_EQ(VerticalLabels(), (Labels{"4.0", "3.0", "2.0", "1.0", "0.0"}));
  std::vector<int32_t> rows;
  for (int32_t i = 0; i <= PlotScale.YTicks; ++i)
    rows.push_back(VerticalTickRow(i));
  EXPECT_EQ(rows, (std::vector<int32_t>{70, 150, 230, 310, 390}));

  EXPECT_EQ(PlotScale.XHigh, 60);
  EXPECT_EQ(PlotScale.XTicks, 6);
  EXPECT_EQ(PlotScale.XDecimals, 0);
  EXPECT_EQ(HorizontalLabels(), (Labels{" 0", "10", "20", "30", "40", "50", "60"}));
  std::vector<int32_t> columns, labelColumns;
  for (int32_t i = 0; i <= PlotScale.XTicks; ++i) {
    columns.push_back(HorizontalTickColumn(i));
    labelColumns.push_back(HorizontalLabelColumn(i));
  }
  EXPECT_EQ(columns, (std::vector<int32_t>{70, 153, 237, 320, 403, 487, 570}));
  EXPECT_EQ(labelColumns, (std::vector<int32_t>{62, 145, 229, 312, 395, 479, 562}));

  EXPECT_EQ(PlotScale.XAxisLabel, "Distance from well (m)");
  EXPECT_EQ(PlotScale.YAxisLabel, "Watertable height above water level in well (m)");
  EXPECT_EQ(PlotScale.DarcyLegend, "+ Darcy equation");
}

TEST_F(PlotScaleTest, PixelMappingSitsTenPixelsAboveTheScaleAndRoundsHalvesToEven) {
  FirstTable({0.5, 10, 25, 50}, {0.2, 1.5, 2.4, 3.0});
  Scale();
  EXPECT_EQ(ToPixelX(0), 70);
  EXPECT_EQ(ToPixelX(60), 570);
  EXPECT_EQ(ToPixelX(50), 487); // 416.67
  EXPECT_EQ(ToPixelY(0), 380);
  EXPECT_EQ(ToPixelY(3.0), 140);
  EXPECT_EQ(ToPixelY(4.0), 60);
  EXPECT_EQ(ToPixelY(0.0625), 375);  // 5 exactly
  EXPECT_EQ(ToPixelY(0.03125), 378); // 2.5 goes to 2
  EXPECT_EQ(ToPixelY(0.09375), 372); // 7.5 goes to 8
  EXPECT_EQ(ToPixelX(-6), 20);       // not clipped
  EXPECT_EQ(ToPixelY(-1), 460);

  ScaleMaxima(3.3, 4);           // XHigh 4: 125 pixels a metre
  EXPECT_EQ(ToPixelX(0.5), 132); // 62.5 goes to 62
  EXPECT_EQ(ToPixelX(1.5), 258); // 187.5 goes to 188
}

TEST_F(PlotScaleTest, AllHeadsZeroOrNoRowsGiveTwoMetresInFourIntervals) {
  FirstTable({1, 2, 3}, {0, 0, 0});
  Scale();
  EXPECT_EQ(PlotScale.YMax, 1.0);
  EXPECT_EQ(PlotScale.YHigh, 2);
  EXPECT_EQ(PlotScale.YTicks, 4);
  EXPECT_EQ(PlotScale.YDecimals, 2);
  EXPECT_EQ(VerticalLabels(), (Labels{"2.00", "1.50", "1.00", "0.50", "0.00"}));

  FirstTable({}, {});
  Scale();
  EXPECT_EQ(PlotScale.YMax, 1.0);
  EXPECT_EQ(VerticalLabels(), (Labels{"2.00", "1.50", "1.00", "0.50", "0.00"}));
  EXPECT_EQ(PlotScale.XHigh, 0);
  EXPECT_EQ(PlotScale.XTicks, 4);
  EXPECT_EQ(HorizontalLabels(), (Labels{"0.00", "0.00", "0.00", "0.00", "0.00"}));
}

TEST_F(PlotScaleTest, NegativeValuesNeverLowerTheMaxima) {
  FirstTable({-5, -1, 2}, {-3, -0.5, -0.1});
  Scale();
  EXPECT_EQ(PlotScale.YMax, 1.0);
  EXPECT_EQ(PlotScale.XMax, 2);
}

TEST_F(PlotScaleTest, MillimetreHeadsKeepAOneMetreAxis) {
  FirstTable({1, 5, 10}, {0.001, 0.003, 0.004});
  Scale();
  EXPECT_EQ(PlotScale.YHigh, 1);
  EXPECT_EQ(PlotScale.YTicks, 4);
  EXPECT_EQ(VerticalLabels(), (Labels{"1.00", "0.75", "0.50", "0.25", "0.00"}));
  EXPECT_EQ(ToPixelY(0.004), 379);
}

TEST_F(PlotScaleTest, ElevenVerticalIntervalsAreHalved) {
  ScaleMaxima(9.9, 50);
  EXPECT_EQ(PlotScale.YHigh, 11);
  EXPECT_EQ(PlotScale.YTicks, 5);
  EXPECT_EQ(PlotScale.YDecimals, 1);
  EXPECT_EQ(VerticalLabels(), (Labels{"11.0", "8.8", "6.6", "4.4", "2.2", "0.0"}));

  FirstTable({10, 20}, {4.5, 9.0}); // 9.0 x 1.1
  Scale();
  EXPECT_EQ(PlotScale.YHigh, 11);
  EXPECT_EQ(PlotScale.YTicks, 5);
}

TEST_F(PlotScaleTest, HorizontalEndsBelowTenRoundHalvesToEven) {
  ScaleMaxima(3.3, 4);
  EXPECT_EQ(PlotScale.XHigh, 4);
  EXPECT_EQ(PlotScale.XTicks, 4);
  EXPECT_EQ(PlotScale.XDecimals, 1);
  ScaleMaxima(3.3, 5);
  EXPECT_EQ(PlotScale.XHigh, 6);
  EXPECT_EQ(PlotScale.XTicks, 6);
  ScaleMaxima(3.3, 2.2); // three intervals become four
  EXPECT_EQ(PlotScale.XHigh, 3);
  EXPECT_EQ(PlotScale.XTicks, 4);
  EXPECT_EQ(PlotScale.XDecimals, 2);
  EXPECT_EQ(HorizontalLabels(), (Labels{"0.00", "0.75", "1.50", "2.25", "3.00"}));
}

TEST_F(PlotScaleTest, BandFromTenToTwentyFiveStepsByFour) {
  ScaleMaxima(16, 10);
  EXPECT_EQ(PlotScale.YHigh, 16);
  EXPECT_EQ(PlotScale.YTicks, 4);
  EXPECT_EQ(PlotScale.YDecimals, 1);
  EXPECT_EQ(PlotScale.XHigh, 12);
  EXPECT_EQ(PlotScale.XTicks, 4);
  EXPECT_EQ(PlotScale.XDecimals, 2);
  EXPECT_EQ(HorizontalLabels(), (Labels{"0.00", "3.00", "6.00", "9.00", "12.00"}));

  ScaleMaxima(10, 10); // three vertical intervals stay three
  EXPECT_EQ(PlotScale.YHigh, 12);
  EXPECT_EQ(PlotScale.YTicks, 3);
  EXPECT_EQ(PlotScale.YDecimals, 1);
  EXPECT_EQ(VerticalLabels(), (Labels{"12.0", "8.0", "4.0", "0.0"}));
  EXPECT_EQ(VerticalTickRow(1), 177);
  EXPECT_EQ(VerticalTickRow(2), 283);
}

TEST_F(PlotScaleTest, LargerBands) {
  ScaleMaxima(30, 120); // 5 x round(6.5) and 25 x round(5.3)
  EXPECT_EQ(PlotScale.YHigh, 30);
  EXPECT_EQ(PlotScale.YTicks, 6);
  EXPECT_EQ(PlotScale.XHigh, 125);
  EXPECT_EQ(PlotScale.XTicks, 5);
  EXPECT_EQ(PlotScale.XDecimals, 0);
  ScaleMaxima(99999, 2600);
  EXPECT_EQ(PlotScale.YHigh, 100000);
  EXPECT_EQ(PlotScale.YTicks, 10);
  EXPECT_EQ(PlotScale.XHigh, 3000);
  EXPECT_EQ(PlotScale.XTicks, 6);
}

TEST_F(PlotScaleTest, MaximaFromOneHundredThousandOnStillGetAnAxis) {
  ScaleMaxima(123456, 600000);
  EXPECT_EQ(PlotScale.YHigh, 125000);
  EXPECT_EQ(PlotScale.YTicks, 5);
  EXPECT_EQ(PlotScale.YDecimals, 0);
  EXPECT_EQ(PlotScale.XHigh, 600000);
  EXPECT_EQ(PlotScale.XTicks, 6);
  EXPECT_EQ(ToPixelX(300000), 320);

  ScaleMaxima(3e12, 1.5e9);
  EXPECT_EQ(PlotScale.YHigh, 2000000000);
  EXPECT_EQ(PlotScale.YTicks, 8);
  EXPECT_EQ(PlotScale.XHigh, 2000000000);
  EXPECT_EQ(HorizontalTickValue(8), 2e9);
  EXPECT_EQ(ToPixelY(3e12), 380 - 480000);
  EXPECT_EQ(ToPixelY(1e16), 380 - 1000000); // held far off the canvas instead of a range error

  FirstTable({1, 2}, {1e308, 1.7e308});
  Scale();
  EXPECT_EQ(PlotScale.YHigh, 2000000000);
}

TEST_F(PlotScaleTest, DistancesAllZeroWithRowsStillGiveAHorizontalAxis) {
  FirstTable({0, 0, 0}, {0.5, 1, 2});
  Scale();
  EXPECT_EQ(PlotScale.XMax, 1.0);
  EXPECT_EQ(PlotScale.XHigh, 2);
  EXPECT_EQ(PlotScale.XTicks, 4);
  EXPECT_EQ(HorizontalLabels(), (Labels{"0.00", "0.50", "1.00", "1.50", "2.00"}));
  EXPECT_EQ(ToPixelX(0), 70);
}

TEST_F(PlotScaleTest, RectangularReportIsScaledOnItsDiagonal) {
  FirstTable({1, 30, 60}, {0.5, 2, 8});
  dm.Table3X = {1, 20, 40};
  dm.Table3F = {0.5, 1, 3.0};
  dm.Count3 = 3;
  dm.ReportTag = " Ost";
  Scale();
  EXPECT_DOUBLE_EQ(PlotScale.YMax, 3.3);
  EXPECT_EQ(PlotScale.XMax, 40);
  EXPECT_EQ(PlotScale.YHigh, 4);
  EXPECT_EQ(PlotScale.XHigh, 40); // 5 x round(8.5)

  dm.ReportTag = " Spa";
  Scale();
  EXPECT_DOUBLE_EQ(PlotScale.YMax, 8.8);
  EXPECT_EQ(PlotScale.XMax, 60);
}

TEST_F(PlotScaleTest, CountsBeyondTheArraysReadOnlyTheRowsThatExist) {
  FirstTable({1, 2}, {0.5, 1});
  dm.Count1 = 200;
  Scale();
  EXPECT_EQ(PlotScale.XMax, 2);
  EXPECT_EQ(UsableRows(-1, 5, 5), 0);
  EXPECT_EQ(UsableRows(7, 5, 3), 3);
  EXPECT_EQ(UsableRows(2, 5, 3), 2);
}

TEST_F(PlotScaleTest, TickLabelsUseTheDecimalSeparatorTheyAreGivenAndWiden) {
  EXPECT_EQ(TickLabel(0, 0), " 0");
  EXPECT_EQ(TickLabel(12, 1), "12.0");
  EXPECT_EQ(TickLabel(0.75, 2), "0.75");
  EXPECT_EQ(TickLabel(125000, 0), "125000");
  separator = ',';
  EXPECT_EQ(TickLabel(2.5, 2), "2,50");
}
