#include "run/RunState.h"

RunState WellUtils;
