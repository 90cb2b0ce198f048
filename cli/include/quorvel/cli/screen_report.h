#pragma once

#include <string>

#include "quorvel/prediction_pass.h"

namespace quorvel {

// The outputs a pass wrote, in the window's screen order, each under its caption: the three
// lists, then the five verdicts under "属性选择". Boxes the pass did not write are left out.
std::string screenReport(const PassResult& result);

}  // namespace quorvel
