#pragma once

#include <string_view>

#include "quorvel/presentation/language.h"

namespace quorvel::presentation {

// The words of the page around MainForm, in the player's language.
struct PageTexts {
  std::string_view downloadLink;  // the link to the one-file edition
  std::string_view keptNote;      // what the page keeps on the device: the grid's texts
  std::string_view forget;        // the button that empties the grid and forgets it
};
const PageTexts& pageTexts(Language language);

}  // namespace quorvel::presentation
