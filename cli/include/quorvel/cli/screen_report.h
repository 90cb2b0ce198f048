#pragma once

#include <string>

#include "quorvel/presentation/forecast_view.h"

namespace quorvel::cli {

// The outputs the forecast wrote, in the window's screen order, each under its caption: the three
// lists, then the five verdicts under "属性选择", each followed by what following it costs (its
// odds line; none for a verdict that calls nothing). Boxes the pass did not write are left out.
std::string screenReport(const presentation::ForecastView& view);

}  // namespace quorvel::cli
