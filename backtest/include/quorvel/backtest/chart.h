#pragma once

#include <ostream>

#include "quorvel/backtest/list_trace.h"
#include "quorvel/backtest/report_texts.h"

namespace quorvel::backtest {

// A self-contained SVG of the rolling hit rate of each list against its chance rate, with the
// years along the time axis when the periods give them, labelled in `language`. It scales to the
// width it is shown at.
void writeChart(std::ostream& out, const ListTrace& trace, Language language = Language::English);

}  // namespace quorvel::backtest
