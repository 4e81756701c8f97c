// What a report's figures stand for, beside what it prints: a discharge report's "m/day" value is
// the recharge intensity over the circle of radius S/2, not over the well's square share of the
// field; and where a report prints the required midway depth as its result, the depth its final
// profile reaches may differ from it.
#pragma once

#include "data/ReportContent.h"

#include <optional>
#include <vector>

// The discharge of one well (m3/day): the printed Q, or for a discharge report whichever of Q
// and the printed intensity over the circle of radius S/2 the printing rounded less.
std::optional<double> WellDischargeOfReport(const ReportContent& report);

// The recharge over the well's square share of the field, Q/S² (m/day), for a discharge report;
// nothing for any other.
std::optional<double> SquareShareRecharge(const ReportContent& report);

// The midway depth the final profile reaches, Dw minus its last head (m), for the reports whose
// midway depth is the required (or observed) one: spacing, discharge and conductivity. Nothing
// for a rectangular field, whose depths are computed ones, or a report short of Dw or a profile.
std::optional<double> AchievedMidwayDepth(const ReportContent& report);

// The distances from the well (m) that the heads of a table's rows belong to, from the printed
// distances X of a report of `aim`: its tables print X as 0.855 times the distance (0.885 in a
// rectangular field's), except the closing row of a spacing report, printed at the midway point.
std::vector<double> HeadDistances(std::optional<Aim> aim, const std::vector<double>& printedX);
