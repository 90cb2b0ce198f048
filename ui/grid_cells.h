#pragma once

#include <array>

#include "quorvel/prediction_pass.h"

class QLineEdit;

// The twelve cells' texts as the engine takes them, UTF-8.
quorvel::GridStrings cellTexts(const std::array<QLineEdit*, 12>& grid);
