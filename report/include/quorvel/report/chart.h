#pragma once

#include <cstdint>
#include <ostream>

#include "quorvel/backtest/list_trace.h"
#include "quorvel/words/language.h"

namespace quorvel::report {

using backtest::ListTrace;
using words::Language;

// How wide a chart is drawn: for a page or a file, or for a phone's width, where its text stays
// legible (at least 11 pixels when it fills a 360-pixel screen).
enum class ChartWidth : std::uint8_t { Wide, Narrow };

// A self-contained SVG in two panels: the rolling hit rate of each list against its chance rate,
// and the running return rate of betting every one of its sums against what blind bets of the same
// size return, with the years along the time axis when the periods give them, labelled in
// `language`. It scales to the width it is shown at.
void writeChart(std::ostream& out, const ListTrace& trace, Language language,
                ChartWidth width = ChartWidth::Wide);

}  // namespace quorvel::report
