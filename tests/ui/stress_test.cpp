// A long session of the window: ten thousand rounds of a new draw typed into the top row, Predict
// and the draw shift, with failing grids among them, and megabyte pastes. Every round the window
// must show what the engine reports, and the process's memory must stay flat.

#include <sys/resource.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleFactory>
#include <QTimer>
#include <QtTest>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "quorvel/engine/draw_shift.h"
#include "quorvel/engine/prediction_pass.h"
#include "quorvel/ui/main_form.h"

namespace engine = quorvel::engine;

// GCC says it builds under AddressSanitizer with a macro, clang through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define UNDER_ADDRESS_SANITIZER
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define UNDER_ADDRESS_SANITIZER
#endif
#endif

namespace {

const QStringList kOutputNames = {"Text2",    "Text3",    "Text4",    "Text5(0)",
                                  "Text5(1)", "Text5(2)", "Text5(3)", "Text5(4)"};

long residentKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

long peakResidentKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

class StressTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<quorvel::ui::MainForm> form;
  QTimer dismisser;
  int reports = 0;
  QString lastReport;

  QLineEdit* box(const QString& name) const { return form->findChild<QLineEdit*>(name); }
  QLineEdit* cell(int i) const { return box(QStringLiteral("Text1(%1)").arg(i)); }
  QPushButton* button(const char* name) const {
    return form->findChild<QPushButton*>(QString::fromLatin1(name));
  }

  std::array<std::string, 12> grid() const {
    std::array<std::string, 12> texts;
    for (int i = 0; i < 12; ++i) texts[static_cast<std::size_t>(i)] = cell(i)->text().toStdString();
    return texts;
  }

  // Presses Predict and checks that the boxes show what the engine reports for the grid.
  bool predictMatchesEngine() {
    const std::array<std::string, 12> before = grid();
    const int reportsBefore = reports;
    button("Command1")->click();
    const engine::PassResult expected = engine::runPredictionPass(engine::viewsOf(before));
    if (grid() != before) return false;
    for (int i = 0; i < 8; ++i) {
      const std::string shown = box(kOutputNames[i])->text().toStdString();
      if (shown != expected.text(static_cast<engine::Output>(i))) return false;
    }
    return (reports > reportsBefore) == (expected.failure != engine::Failure::None);
  }

  // Presses the draw shift and checks the grid moved down, or stayed as it was on a failure.
  bool shiftMatchesEngine() {
    const std::array<std::string, 12> before = grid();
    const int reportsBefore = reports;
    button("Command2")->click();
    const engine::DrawShiftResult expected = engine::shiftGridDown(engine::viewsOf(before));
    for (const QString& name : kOutputNames) {
      if (!box(name)->text().isEmpty()) return false;
    }
    if (expected.failure != engine::Failure::None) {
      return reports > reportsBefore && grid() == before;
    }
    return reports == reportsBefore && grid() == expected.cells;
  }

 private slots:
  void initTestCase() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    form = std::make_unique<quorvel::ui::MainForm>();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    // Answers every error report as a person would, by closing it.
    dismisser.setInterval(0);
    connect(&dismisser, &QTimer::timeout, this, [this] {
      if (auto* report = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        ++reports;
        lastReport = report->text();
        report->accept();
      }
    });
    dismisser.start();
  }

  void tenThousandRoundsOfPredictAndShift() {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> oddity(0, 99);
    auto draw = [&]() -> std::array<QString, 4> {
      std::array<QString, 4> row;
      int sum = 0;
      for (int k = 0; k < 3; ++k) {
        const int d = digit(random);
        sum += d;
        row[static_cast<std::size_t>(k)] = QString::number(d);
      }
      row[3] = QString::number(sum);
      const int roll = oddity(random);
      if (roll < 3)
        row[static_cast<std::size_t>(roll)] = QStringLiteral("40000");  // overflow
      else if (roll < 5)
        row[3] = QStringLiteral("-13");  // negative tails
      else if (roll < 7)
        row[0] = QStringLiteral("2.5");
      else if (roll < 8)
        row[1] = QStringLiteral("1e400");
      else if (roll < 10)
        row[2] = QStringLiteral("7x");  // emptied
      return row;
    };

    constexpr int kRounds = 5000;  // each round is one Predict and one draw shift
    long residentAfterWarmUp = 0;
    for (int round = 0; round < kRounds; ++round) {
      const std::array<QString, 4> row = draw();
      for (int k = 0; k < 4; ++k) cell(k)->setText(row[static_cast<std::size_t>(k)]);
      QVERIFY2(predictMatchesEngine(), qPrintable(QStringLiteral("Predict, round %1").arg(round)));
      QVERIFY2(shiftMatchesEngine(), qPrintable(QStringLiteral("shift, round %1").arg(round)));
      if (round == 500) residentAfterWarmUp = residentKiB();
    }
    const long growth = residentKiB() - residentAfterWarmUp;
    qInfo(
        "%d rounds, %d error reports, resident memory grew by %ld KiB after warm-up, peak %ld KiB",
        kRounds, reports, growth, peakResidentKiB());
    QVERIFY(reports > 100);
#ifndef UNDER_ADDRESS_SANITIZER
    QVERIFY2(growth < 8 * 1024, "memory keeps growing");
#else
    // AddressSanitizer holds freed memory in quarantine, so the resident size grows by design;
    // its leak check at exit stands in for the bound.
    (void)growth;
#endif
  }

  void pastingAMegabyte() {
    for (int i = 0; i < 12; ++i) cell(i)->setText(QString());
    const QString digits(1 << 20, QLatin1Char('9'));

    QApplication::clipboard()->setText(digits + QLatin1Char('a'));
    QTest::keySequence(cell(5), QKeySequence::Paste);
    QCOMPARE(cell(5)->text(), QString());

    QApplication::clipboard()->setText(digits);
    QTest::keySequence(cell(7), QKeySequence::Paste);
    QCOMPARE(cell(7)->text().size(), digits.size());  // a number: kept whole
    // The previous sum is first read by the key rules: the predicted range is written, then the
    // number, far beyond any arithmetic, stops the pass.
    QVERIFY(predictMatchesEngine());
    QVERIFY(!box("Text2")->text().isEmpty());
    QVERIFY(box("Text3")->text().isEmpty());
    QVERIFY(lastReport.contains(QStringLiteral("'6'")));
    QVERIFY(shiftMatchesEngine());
    QCOMPARE(cell(7)->text().size(), digits.size());
    qInfo("peak resident memory %ld KiB", peakResidentKiB());
  }

  void cleanupTestCase() { form.reset(); }
};

QTEST_MAIN(StressTest)
#include "stress_test.moc"
