// The dialog before "PDF report" that asks for the title block of the calculation sheet,
// starting from the values given last time (kept between sessions). Widget tests answer it
// through the seam below instead of the modal dialog.
#pragma once

#include "export/CalculationReport.h"

#include <functional>
#include <optional>

class QWidget;

using TitleBlockQuestion =
    std::function<std::optional<ReportTitleBlock>(const ReportTitleBlock& last)>;

// Installs `question` in place of the dialog; an empty one brings the dialog back.
void InstallTitleBlockQuestion(TitleBlockQuestion question);

// Asks, starting from the last values; keeps the answer for the next time. Nothing when the
// user cancelled.
std::optional<ReportTitleBlock> AskTitleBlock(QWidget* parent);
