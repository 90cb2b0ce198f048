// quorvel: the forecasting window.

#include <QApplication>
#include <QCommandLineParser>
#include <optional>
#include <QStyleFactory>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "quorvel/game/game.h"
#include "quorvel/ui/main_form.h"
#include "quorvel/ui/translations.h"
#include "quorvel/version.h"

namespace {

constexpr int kUsageError = 2;

constexpr const char* kDescription =
    "Opens the Quorvel window. Type the three latest periods of the draw into the grid, newest on\n"
    "top: each row holds the period's three digits and their sum. Press 预 测 (Predict) to read\n"
    "three lists of candidate sums and five attribute calls for the next draw; press 开奖了 when\n"
    "the draw is out to move the grid down one period.\n"
    "\n"
    "The window needs a display; on a machine without one, run it as: xvfb-run quorvel\n"
    "quorvel-backtest tests the forecast against chance on the real record of past draws.";

// The toolkit's own options, which QApplication takes out of the arguments itself; those
// followed by a value are marked.
struct ToolkitOption {
  const char* name;
  bool takesValue;
};
constexpr ToolkitOption kToolkitOptions[] = {{"platform", true},      {"platformpluginpath", true},
                                             {"platformtheme", true}, {"plugin", true},
                                             {"display", true},       {"qwindowgeometry", true},
                                             {"geometry", true},      {"qwindowicon", true},
                                             {"qwindowtitle", true},  {"style", true},
                                             {"stylesheet", true},    {"session", true},
                                             {"reverse", false},      {"widgetcount", false},
                                             {"nograb", false},       {"dograb", false},
                                             {"sync", false}};

// Prints `text` to `stream` and gives the exit status: `status`, or 1 when it could not be
// written, after saying why where that still works.
int printed(std::FILE* stream, const QString& text, int status) {
  const QByteArray bytes = text.toLocal8Bit();
  errno = 0;
  if (std::fwrite(bytes.data(), 1, static_cast<std::size_t>(bytes.size()), stream) ==
          static_cast<std::size_t>(bytes.size()) &&
      std::fflush(stream) == 0) {
    return status;
  }
  std::fprintf(stderr, "quorvel: cannot write %s: %s\n",
               stream == stdout ? "standard output" : "standard error",
               std::strerror(errno != 0 ? errno : EIO));
  return 1;
}

// The toolkit ends the process with abort() when no platform plugin can be loaded, after its
// own warnings; say it in one line and exit with status 1 instead.
void reportMissingDisplay(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    std::fputs(
        "quorvel: cannot open the window: no display can be reached (check DISPLAY or "
        "WAYLAND_DISPLAY, or run it under xvfb-run)\n",
        stderr);
    std::fflush(stderr);
    std::_Exit(1);
  }
  if (context.category != nullptr && std::strncmp(context.category, "qt.qpa", 6) == 0) return;
  std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

bool displayNamed() {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

// The games' ids as --game takes them, the default first.
QStringList gameIds() {
  QStringList ids;
  for (const quorvel::game::Game* known : quorvel::game::kGames)
    ids << QString::fromUtf8(known->id.data(), static_cast<qsizetype>(known->id.size()));
  return ids;
}

QCommandLineOption gameOption() {
  const QStringList ids = gameIds();
  return {QStringLiteral("game"),
          QStringLiteral("The game whose bets the forecast's odds price: %1 (default %2)")
              .arg(ids.join(QStringLiteral(", ")), ids.front()),
          QStringLiteral("id"), ids.front()};
}

// What --help, --version and a stray argument answer without a window, or nothing.
std::optional<int> answeredAlone(const QCommandLineParser& parser, const QCommandLineOption& help,
                                 const QCommandLineOption& version) {
  if (parser.isSet(help)) {  // without an application object Qt cannot know the program's name
    return printed(
        stdout,
        parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("quorvel")),
        0);
  }
  if (parser.isSet(version))
    return printed(stdout, QStringLiteral("quorvel " QUORVEL_VERSION "\n"), 0);
  if (!parser.positionalArguments().isEmpty()) {
    return printed(stderr,
                   QStringLiteral("quorvel: unexpected argument %1\nRun quorvel --help for the "
                                  "options.\n")
                       .arg(parser.positionalArguments().front()),
                   kUsageError);
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  QCommandLineParser parser;
  parser.setApplicationDescription(QString::fromUtf8(kDescription));
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Print this help and exit"));
  const QCommandLineOption version(QStringLiteral("version"),
                                   QStringLiteral("Print the program's name and version and exit"));
  const QCommandLineOption game = gameOption();
  parser.addOption(help);
  parser.addOption(version);
  parser.addOption(game);
  for (const ToolkitOption& option : kToolkitOptions) {
    QCommandLineOption toolkit(QString::fromLatin1(option.name));
    if (option.takesValue) toolkit.setValueName(QStringLiteral("value"));
    toolkit.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(toolkit);
  }
  if (!parser.parse(arguments)) {
    return printed(stderr,
                   QStringLiteral("quorvel: %1\nRun quorvel --help for the options.\n")
                       .arg(parser.errorText()),
                   kUsageError);
  }
  if (const std::optional<int> status = answeredAlone(parser, help, version)) return *status;
  const quorvel::game::Game* chosen = quorvel::game::gameById(parser.value(game).toStdString());
  if (chosen == nullptr) {
    return printed(
        stderr,
        QStringLiteral("quorvel: --game must be one of %1\n").arg(gameIds().join(QStringLiteral(", "))),
        kUsageError);
  }
  if (!displayNamed() && !parser.isSet(QStringLiteral("platform"))) {
    std::fputs(
        "quorvel: no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY "
        "is set).\nStart it from a desktop session, or on a headless machine under a "
        "virtual display: xvfb-run quorvel\n",
        stderr);
    return 1;
  }
  qInstallMessageHandler(reportMissingDisplay);
  QApplication app(argc, argv);
  qInstallMessageHandler(nullptr);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setApplicationName(QStringLiteral("quorvel"));
  QApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("org.quorvel.Quorvel"));
  quorvel::ui::installChineseTranslations(app);
  quorvel::ui::MainForm form(*chosen);
  form.show();
  return QApplication::exec();
}
