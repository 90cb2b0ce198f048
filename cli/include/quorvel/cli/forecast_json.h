#pragma once

#include <string>

#include "quorvel/presentation/forecast_view.h"

namespace quorvel::cli {

// One forecast as a line of JSON: the outputs it wrote in box order, each with its box, caption and
// text, a list with its odds ({"chance", "stake", "expectedReturn"}: a fraction, yuan, yuan) and a
// verdict with its chance (null when it calls nothing); then the failure number, and for a
// failure the one-line report that names its cells.
//   {"outputs":[{"box":"Text2","caption":"预测号码范围","text":"4 5 8 ","chance":0.624,
//   "stake":26,"expectedReturn":13.535},...,{"box":"Text5(0)","caption":"中边","text":"中边：边",
//   "chance":0.168},...],"failure":0}
std::string forecastJson(const presentation::ForecastView& view);

}  // namespace quorvel::cli
