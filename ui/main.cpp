// quorvel: the forecasting window.

#include <QApplication>
#include <QStyleFactory>
#include <cstdio>
#include <cstdlib>

#include "main_form.h"

namespace {

// Qt's own message for a missing display is a bare plugin error; say what to do instead.
bool displayAvailable() {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char** argv) {
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
  QApplication::setDesktopFileName(QStringLiteral("org.quorvel.Quorvel"));
  MainForm form;
  form.show();
  return QApplication::exec();
}
