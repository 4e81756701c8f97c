#include "core/Services.h"

std::string PercentDoneLine(int percent) { return " Done " + std::to_string(percent) + "% ....."; }
