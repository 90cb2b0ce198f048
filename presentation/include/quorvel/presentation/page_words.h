#pragma once

#include <string_view>

#include "quorvel/words/language.h"

namespace quorvel::presentation {

using words::Language;
using words::WordList;

// The page's fixed words around MainForm, in the player's language: the link to the one-file
// edition ("downloadLink"), what the page keeps on the device ("keptNote"), or that it can keep
// nothing ("notKeptNote"), and the button that forgets it ("forget").
WordList pageWords(Language language);

// What the page says when its engine cannot load (WebAssembly missing or blocked, a module that
// did not arrive), and what to do: written into the page at build time, since no engine is
// there to word it.
std::string_view loadFailure(Language language);

}  // namespace quorvel::presentation
