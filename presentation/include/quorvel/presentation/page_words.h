#pragma once

#include "quorvel/presentation/language.h"

namespace quorvel::presentation {

// The page's fixed words around MainForm, in the player's language: the link to the one-file
// edition ("downloadLink"), what the page keeps on the device ("keptNote"), or that it can keep
// nothing ("notKeptNote"), and the button that forgets it ("forget").
WordList pageWords(Language language);

}  // namespace quorvel::presentation
