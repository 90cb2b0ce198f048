#pragma once

#include "quorvel/words/language.h"

namespace quorvel::report {

using words::Language;
using words::WordList;

// The fixed words of the page's record and recent draws, by the keys its elements name: the
// headings ("recordTitle", "recentTitle", "laterTitle"), what the record is ("recordAbout"),
// the paste box's label ("pasteLabel"), the buttons ("recordAdd", "addFile", "recordExport",
// "recordForget", "useGiven", "keepKept", "recentMore"), the question before forgetting
// ("forgetQuestion"), what the page says when storage fails, was cleared or a download is blocked
// ("notStored", "storageCleared", "copyHint"), what it says after a paste, a save or forgetting
// ("nothingPasted", "stored", "forgotten"), what a message calls pasted draws ("pastedName"), and
// what a screen reader calls the tables ("recentLabel", "totalsLabel", "laterLabel").
WordList recordSectionWords(Language language);

}  // namespace quorvel::report
