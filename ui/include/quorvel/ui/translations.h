#pragma once

class QCoreApplication;

namespace quorvel::ui {

// Loads Qt's own Chinese translations, so that the standard dialogs' buttons (确定 on the error
// report) speak the window's language whatever the user's locale. Without the translation files
// installed, the buttons keep Qt's English. Returns whether they were loaded.
bool installChineseTranslations(QCoreApplication& app);

}  // namespace quorvel::ui
