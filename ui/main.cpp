// quorvel: the forecasting window.

#include <QApplication>
#include <QStyleFactory>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "main_form.h"
#include "quorvel/version.h"
#include "translations.h"

namespace {

// Qt's own message for a missing display is a bare plugin error; say what to do instead.
bool displayAvailable() {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

constexpr const char* kHelp =
    "Usage: quorvel [--help] [--version]\n"
    "\n"
    "Opens the Quorvel window. Type the three latest periods of the draw into the grid, newest on\n"
    "top: each row holds the period's three digits and their sum. Press 预 测 (Predict) to read\n"
    "three lists of candidate sums and five attribute calls for the next draw; press 开奖了 when\n"
    "the draw is out to move the grid down one period.\n"
    "\n"
    "Options:\n"
    "  --help     Print this help and exit\n"
    "  --version  Print the program's name and version and exit\n"
    "\n"
    "The window needs a display; on a machine without one, run it as: xvfb-run quorvel\n"
    "quorvel-backtest tests the forecast against chance on the real record of past draws.\n";

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::puts("quorvel " QUORVEL_VERSION);
      return 0;
    }
  }
  if (!displayAvailable()) {
    std::fprintf(stderr,
                 "quorvel: no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY "
                 "is set).\nStart it from a desktop session, or on a headless machine under a "
                 "virtual display: xvfb-run quorvel\n");
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setApplicationName(QStringLiteral("quorvel"));
  QApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("org.quorvel.Quorvel"));
  installChineseTranslations(app);
  MainForm form;
  form.show();
  return QApplication::exec();
}
