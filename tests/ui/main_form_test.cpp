// The window driven as a person drives it: keys typed into cells, buttons clicked.

#include "quorvel/ui/main_form.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <memory>
#include <vector>

#include "quorvel/presentation/main_form_layout.h"
#include "quorvel/ui/translations.h"

namespace {

const QStringList kOutputNames = {"Text2",    "Text3",    "Text4",    "Text5(0)",
                                  "Text5(1)", "Text5(2)", "Text5(3)", "Text5(4)"};

using quorvel::presentation::Control;
using quorvel::presentation::ControlKind;
namespace presentation = quorvel::presentation;

QString utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor qColour(presentation::Rgb rgb) { return {rgb.red, rgb.green, rgb.blue}; }

// What a control shows as its caption: a frame's title, a button's or label's text.
QString captionOf(QWidget* widget, ControlKind kind) {
  switch (kind) {
    case ControlKind::Frame:
      return qobject_cast<QGroupBox*>(widget)->title();
    case ControlKind::Button:
      return qobject_cast<QPushButton*>(widget)->text();
    case ControlKind::Label:
      return qobject_cast<QLabel*>(widget)->text();
    case ControlKind::TextBox:
      return QString();
  }
  return QString();
}

// The palette roles a kind of control draws its background and text with.
std::pair<QPalette::ColorRole, QPalette::ColorRole> colourRoles(ControlKind kind) {
  if (kind == ControlKind::TextBox) return {QPalette::Base, QPalette::Text};
  return {QPalette::Window, QPalette::WindowText};
}

QStringList cellsOf(const QString& commaSeparated) {
  QStringList cells = commaSeparated.split(QLatin1Char(','));
  while (cells.size() < 12) cells.append(QString());
  return cells;
}

// Receives the addresses the window hands to the desktop.
class UrlRecorder : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void open(const QUrl& url) { urls.append(url); }
};

}  // namespace

class MainFormTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<quorvel::ui::MainForm> form;

  template <class Widget = QLineEdit>
  Widget* control(const QString& name) const {
    auto* widget = form->findChild<Widget*>(name);
    if (widget == nullptr) qFatal("no control %s", qPrintable(name));
    return widget;
  }
  QLineEdit* cell(int i) const { return control(QStringLiteral("Text1(%1)").arg(i)); }

  QStringList gridTexts() const {
    QStringList texts;
    for (int i = 0; i < 12; ++i) texts.append(cell(i)->text());
    return texts;
  }
  QStringList outputTexts() const {
    QStringList texts;
    for (const QString& name : kOutputNames) texts.append(control(name)->text());
    return texts;
  }

  void typeGrid(const QStringList& cells) {
    for (int i = 0; i < 12; ++i) QTest::keyClicks(cell(i), cells[i]);
    QCOMPARE(gridTexts(), cells);
  }

  // Pastes each cell's text, as a person enters a number that cannot be typed key by key.
  void pasteGrid(const QStringList& cells) {
    for (int i = 0; i < 12; ++i) {
      if (cells[i].isEmpty()) continue;
      QApplication::clipboard()->setText(cells[i]);
      QTest::keySequence(cell(i), QKeySequence::Paste);
    }
    QCOMPARE(gridTexts(), cells);
  }

  QString reportButtons;  // the captions of the last error report's buttons
  QRect reportFrame;      // where the last error report lay on the screen

  // Clicks the button and returns the text of the error report it raises, "" for none.
  QString clickForReport(const QString& button) {
    QString report;
    QTimer timer;
    timer.setInterval(10);
    connect(&timer, &QTimer::timeout, this, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        report = box->text();
        reportFrame = box->frameGeometry();
        reportButtons.clear();
        for (const QAbstractButton* b : box->buttons()) reportButtons += b->text();
        box->accept();
      }
    });
    timer.start();
    QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
    return report;
  }

 private slots:
  void initTestCase() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QVERIFY2(quorvel::ui::installChineseTranslations(*QApplication::instance()),
             "Qt's Chinese translations (qt6-translations-l10n) are not installed");
  }

  void init() {
    form = std::make_unique<quorvel::ui::MainForm>();
    form->show();
    QApplication::setActiveWindow(form.get());
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
  }

  void cleanup() { form.reset(); }

  void startsEmptyWithTitleIconAndFocus() {
    QCOMPARE(form->windowTitle(), QStringLiteral("Quorvel预测软件(Qt版)V1.6"));
    QVERIFY(form->windowIcon().availableSizes().contains(QSize(32, 32)));
    const QImage icon(QStringLiteral(":/icons/quorvel.png"));
    QCOMPARE(icon.size(), QSize(32, 32));
    QCOMPARE(icon.format(), QImage::Format_Indexed8);
    QCOMPARE(icon.colorCount(), 256);
    for (QLineEdit* box : form->findChildren<QLineEdit*>()) QCOMPARE(box->text(), QString());
    QCOMPARE(QApplication::focusWidget(), cell(0));
  }

  // Every control of the layout table is built as the table says: its kind, parent, place,
  // caption, colours and accessible name; and Tab visits them in the table's order.
  void controlsAreTheLayoutTable() {
    for (const Control& row : presentation::mainFormControls()) {
      const QString name =
          QString::fromUtf8(row.name.data(), static_cast<qsizetype>(row.name.size()));
      auto* widget = control<QWidget>(name);
      const QString parent = row.parent.empty() ? QStringLiteral("MainForm") : utf8(row.parent);
      QCOMPARE(widget->parentWidget()->objectName(), parent);
      const presentation::Rect r = row.rect;
      QCOMPARE(widget->geometry(), QRect(r.left, r.top, r.width, r.height));
      QCOMPARE(widget->accessibleName(), utf8(row.accessibleName));
      QCOMPARE(captionOf(widget, row.kind), utf8(row.caption));
      const auto [background, text] = colourRoles(row.kind);
      if (row.background) QCOMPARE(widget->palette().color(background), qColour(*row.background));
      if (row.text) QCOMPARE(widget->palette().color(text), qColour(*row.text));
    }
    QCOMPARE(form->size(), QSize(presentation::kFormWidth, presentation::kFormHeight));
    QCOMPARE(form->palette().color(QPalette::Window), qColour(presentation::kBlack));

    const std::vector<const Control*> focusable = presentation::tabOrder();
    QCOMPARE(QApplication::focusWidget()->objectName(), utf8(focusable.front()->name));
    for (std::size_t i = 1; i <= focusable.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(),
               utf8(focusable[i % focusable.size()]->name));
    }
  }

  void disclaimerFontAndCutOffBottom() {
    auto* label = control<QLabel>(QStringLiteral("Label1"));
    QCOMPARE(label->font().families().value(0), QStringLiteral("宋体"));
    QCOMPARE(label->font().pointSizeF(), 10.5);
    QVERIFY(label->wordWrap());
    QVERIFY2(label->geometry().bottom() >= form->height(), "the label is cut off at the bottom");
  }

  void enterAndEscapePressNoButton() {
    QSignalSpy predict(control<QPushButton>("Command1"), &QPushButton::clicked);
    QSignalSpy shift(control<QPushButton>("Command2"), &QPushButton::clicked);
    QSignalSpy shop(control<QPushButton>("Command3"), &QPushButton::clicked);
    for (const char* name : {"Text1(0)", "Text2", "Command1", "Command2", "Command3"}) {
      auto* widget = control<QWidget>(QString::fromLatin1(name));
      widget->setFocus();
      for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(widget, key);
      }
    }
    QCOMPARE(predict.count() + shift.count() + shop.count(), 0);
    QVERIFY(form->isVisible());
  }

  void enlargingMovesNoControl() {
    QHash<QString, QRect> before;
    for (QWidget* widget : form->findChildren<QWidget*>())
      before[widget->objectName()] = widget->geometry();
    form->resize(1200, 800);
    QTest::qWait(10);
    for (QWidget* widget : form->findChildren<QWidget*>()) {
      QCOMPARE(widget->geometry(), before[widget->objectName()]);
    }
  }

  void outputBoxesAreEditableAndUnlimited() {
    QTest::keyClicks(control("Text2"), QStringLiteral("my note"));
    QCOMPARE(control("Text2")->text(), QStringLiteral("my note"));
    QCOMPARE(outputTexts().mid(1), QStringList(7, QString()));
    QCOMPARE(gridTexts(), QStringList(12, QString()));
    const QString longText(100000, QLatin1Char('7'));
    for (const QString& name : kOutputNames) {
      control(name)->setText(longText);
      QCOMPARE(control(name)->text().size(), longText.size());
    }
  }

  void typingKeepsOnlyNumbers_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::newRow("minus") << "-"
                           << "";
    QTest::newRow("point") << "."
                           << "";
    QTest::newRow("sign first") << "-5"
                                << "5";
    QTest::newRow("1, e, 2") << "1e2"
                             << "2";
    QTest::newRow("trailing point") << "2."
                                    << "2.";
    QTest::newRow("fraction") << "2.5"
                              << "2.5";
    QTest::newRow("blank alone") << " "
                                 << "";
    QTest::newRow("5 then blank") << "5 "
                                  << "5 ";
    QTest::newRow("1a") << "1a"
                        << "";
    QTest::newRow("12ab") << "12ab"
                          << "";
    QTest::newRow("15") << "15"
                        << "15";
    QTest::newRow("99") << "99"
                        << "99";
    QTest::newRow("40000") << "40000"
                           << "40000";
  }

  void typingKeepsOnlyNumbers() {
    QFETCH(QString, keys);
    QFETCH(QString, text);
    for (int i : {0, 7, 11}) {
      QTest::keyClicks(cell(i), keys);
      QCOMPARE(cell(i)->text(), text);
    }
  }

  void pastingEmptiesNonNumbers_data() {
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("text");
    QTest::newRow("1a") << "1a"
                        << "";
    QTest::newRow("12ab") << "12ab"
                          << "";
    QTest::newRow("number") << "123.5"
                            << "123.5";
    QTest::newRow("signed") << "-7"
                            << "-7";
    QTest::newRow("inner blank") << "1 2"
                                 << "";
  }

  void pastingEmptiesNonNumbers() {
    QFETCH(QString, pasted);
    QFETCH(QString, text);
    QApplication::clipboard()->setText(pasted);
    QTest::keySequence(cell(4), QKeySequence::Paste);
    QCOMPARE(cell(4)->text(), text);
  }

  void settingTheSameTextRaisesNoChange() {
    QTest::keyClicks(cell(2), QStringLiteral("8"));
    QSignalSpy changed(cell(2), &QLineEdit::textChanged);
    cell(2)->setText(QStringLiteral("8"));
    QCOMPARE(changed.count(), 0);
  }

  void nonNumericCellsSetByTheProgramAreEmptiedToo() {
    // Any change runs the check over all twelve cells, so a bad text in one cell is emptied as
    // soon as any cell changes.
    QSignalSpy changed(cell(9), &QLineEdit::textChanged);
    cell(9)->setText(QStringLiteral("x"));
    QCOMPARE(cell(9)->text(), QString());
    QCOMPARE(changed.count(), 2);  // "x", then the nested emptying
  }

  void drawShiftMovesThePeriodsDown_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("full grid") << "3,5,8,16,2,7,1,10,9,0,4,13"
                               << ",,,,3,5,8,16,2,7,1,10";
    QTest::newRow("empty top row") << ",,,,1,2,3,6,4,5,6,15"
                                   << ",,,,0,0,0,0,1,2,3,6";
    QTest::newRow("empty grid") << ""
                                << ",,,,0,0,0,0,0,0,0,0";
    QTest::newRow("normalised") << "2.5,3.5,007, 7,-0.5,1e2,+4,-3"
                                << ",,,,2,4,7,7,0,100,4,-3";
  }

  void drawShiftMovesThePeriodsDown() {
    QFETCH(QString, before);
    QFETCH(QString, after);
    const QStringList cells = cellsOf(before);
    for (int i = 0; i < 12; ++i) cell(i)->setText(cells[i]);
    QCOMPARE(gridTexts(), cells);
    for (const QString& name : kOutputNames) control(name)->setText(QStringLiteral("old"));
    QCOMPARE(clickForReport(QStringLiteral("Command2")), QString());
    QCOMPARE(gridTexts(), cellsOf(after));
    QCOMPARE(outputTexts(), QStringList(8, QString()));
  }

  void drawShiftOverflowLeavesTheGridAsItWas() {
    for (int overflowing : {0, 5, 11}) {
      QStringList cells = cellsOf(QStringLiteral("1,2,3,6,4,5,6,15,7,8,9,24"));
      cells[overflowing] = QStringLiteral("40000");
      for (int i = 0; i < 12; ++i) cell(i)->setText(cells[i]);
      for (const QString& name : kOutputNames) control(name)->setText(QStringLiteral("old"));
      const QString report = clickForReport(QStringLiteral("Command2"));
      QVERIFY2(report.contains(QStringLiteral("'6'")) && report.contains(QStringLiteral("溢出")),
               qPrintable(report));
      QCOMPARE(gridTexts(), cells);
      QCOMPARE(outputTexts(), QStringList(8, QString()));
    }
  }

  void predictWritesListsAndVerdicts_data() {
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QStringList>("outputs");  // Text2, Text3, Text4, Text5(0)...Text5(4); "*" any
    QTest::newRow("empty grid") << ""
                                << QStringList{"5 8 9 11 12 14 15 17 18 ",
                                               "5 8 9 11 14 15 17 18 ",
                                               "5 8 9 11 14 15 17 18 ",
                                               "中边：边",
                                               "大小：小",
                                               "单双：双",
                                               "前后：前肖",
                                               "3N：3２"};
    QTest::newRow("ranges") << "3,5,8,16,2,7,1,10,9,0,4,13"
                            << QStringList{"4 5 8 9 10 11 12 14 15 17 20 22 23 ",
                                           "4 8 9 11 12 15 22 23 ",
                                           "9 11 12 15 22 ",
                                           "*",
                                           "*",
                                           "*",
                                           "*",
                                           "*"};
    QTest::newRow("lists") << "1,2,3,6,4,5,6,15,7,8,9,24"
                           << QStringList{"3 5 6 8 9 10 11 12 13 14 15 17 20 23 ",
                                          "3 6 8 11 12 13 14 15 23 ",
                                          "3 6 8 11 12 13 14 15 ",
                                          "*",
                                          "*",
                                          "*",
                                          "*",
                                          "*"};
    QTest::newRow("attributes") << "3,5,8,16,1,2,7,10,9,0,4,13"
                                << QStringList{"*",        "*",        "*",          "中边：中",
                                               "大小：大", "单双：双", "前后：后肖", "*"};
  }

  void predictWritesListsAndVerdicts() {
    QFETCH(QString, grid);
    QFETCH(QStringList, outputs);
    const QStringList cells = cellsOf(grid);
    typeGrid(cells);
    QCOMPARE(clickForReport(QStringLiteral("Command1")), QString());
    const QStringList shown = outputTexts();
    for (int i = 0; i < 8; ++i) {
      if (outputs[i] != QLatin1String("*")) QCOMPARE(shown[i], outputs[i]);
      QVERIFY2(!shown[i].isEmpty(), qPrintable(kOutputNames[i]));
    }
    QCOMPARE(gridTexts(), cells);
    // Pressing again writes the same texts.
    clickForReport(QStringLiteral("Command1"));
    QCOMPARE(outputTexts(), shown);
  }

  void failureNamesTheCellAndPutsTheFocusInIt_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QString>("named");  // the line under the report's first
    QTest::addColumn<int>("focused");
    QTest::newRow("key product") << "Command1"
                                 << ",,,50000,,,,50000"
                                 << "出错的格子：最新一期和值“50000” × 上一期和值“50000”" << 3;
    QTest::newRow("attribute product")
        << "Command1"
        << "16384,,,2"
        << "出错的格子：最新一期第一位“16384” × 最新一期和值“2”" << 0;
    QTest::newRow("latest digit") << "Command1"
                                  << ",1e9"
                                  << "出错的格子：最新一期第二位“1e9”" << 1;
    QTest::newRow("draw shift") << "Command2"
                                << ",,,,,,,,,40000"
                                << "出错的格子：最早一期第二位“40000”" << 9;
    QTest::newRow("400 nines beside a 3: the nines")
        << "Command1" << QStringLiteral("3,,,,,") + QString(400, QLatin1Char('9'))
        << QStringLiteral("出错的格子：最新一期第一位“3” ＋ 上一期第二位“") +
               QString(40, QLatin1Char('9')) +
               QStringLiteral("…”（共400个字符） ＋ 最早一期第三位“”")
        << 5;
    QTest::newRow("a cell of 131,000 digits")
        << "Command1" << QString(131000, QLatin1Char('7'))
        << QStringLiteral("出错的格子：最新一期第一位“") + QString(40, QLatin1Char('7')) +
               QStringLiteral("…”（共131000个字符）")
        << 0;
  }

  void failureNamesTheCellAndPutsTheFocusInIt() {
    QFETCH(QString, button);
    QFETCH(QString, grid);
    QFETCH(QString, named);
    QFETCH(int, focused);
    pasteGrid(cellsOf(grid));
    const QStringList report = clickForReport(button).split(QLatin1Char('\n'));
    QCOMPARE(report.size(), 2);
    QVERIFY2(report[0].startsWith(QStringLiteral("运行时错误 '6'：溢出")), qPrintable(report[0]));
    QCOMPARE(report[1], named);
    QVERIFY2(form->screen()->availableGeometry().contains(reportFrame),
             qPrintable(QStringLiteral("the report lies at %1,%2 %3×%4")
                            .arg(reportFrame.x())
                            .arg(reportFrame.y())
                            .arg(reportFrame.width())
                            .arg(reportFrame.height())));
    QCOMPARE(form->focusWidget(), cell(focused));
    QCOMPARE(cell(focused)->selectedText(), cellsOf(grid)[focused]);

    // Typing replaces the selected text, and the fixed grid forecasts.
    QTest::keyClicks(cell(focused), QStringLiteral("5"));
    QCOMPARE(cell(focused)->text(), QStringLiteral("5"));
    QCOMPARE(clickForReport(QStringLiteral("Command1")), QString());
    QVERIFY(!control("Text4")->text().isEmpty());
  }

  // A grid that cannot be three draws is forecast all the same; its cells say why in their
  // tooltips and to a screen reader, until the outputs are emptied.
  void cellsSayWhereTheGridIsNotThreeDraws() {
    typeGrid(cellsOf(QStringLiteral("3,5,8,16,1,2,3,15,9,0,4,13")));
    QCOMPARE(clickForReport(QStringLiteral("Command1")), QString());
    QVERIFY(!control("Text4")->text().isEmpty());
    const QString note = QStringLiteral("上一期和值是“15”，但 1＋2＋3＝6");
    for (int i : {4, 5, 6, 7}) {
      QCOMPARE(cell(i)->toolTip(), note);
      QCOMPARE(cell(i)->accessibleDescription(), note);
    }
    QCOMPARE(cell(0)->toolTip(), QString());
    QCOMPARE(clickForReport(QStringLiteral("Command2")), QString());
    for (int i = 0; i < 12; ++i) QCOMPARE(cell(i)->toolTip(), QString());
  }

  // A window for 排列三 prices 排列三's bet, every straight number of each sum at 2 yuan, on the
  // same form as 3D's.
  void aPick3WindowPricesItsOwnBet() {
    const QSize size = form->size();
    const QString title = form->windowTitle();
    form = std::make_unique<quorvel::ui::MainForm>(quorvel::game::kSportsPick3);
    form->show();
    QApplication::setActiveWindow(form.get());
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QCOMPARE(form->size(), size);
    QCOMPARE(form->windowTitle(), title);
    typeGrid(cellsOf(QStringLiteral("3,5,8,16,2,7,1,10,9,0,4,13")));
    QCOMPARE(clickForReport(QStringLiteral("Command1")), QString());
    // The key range 4 8 9 11 12 15 22 23 holds 366 of the thousand draws: 366 tickets.
    QCOMPARE(control("Text3")->toolTip(),
             QStringLiteral("随机落入 36.6%　投注 366 注 732 元　平均返还 380.64 元（亏 351.36 元）"));
  }

  // Each box the pass wrote tells what following it costs, in its tooltip and to a screen reader;
  // a box a failure left empty tells nothing.
  void outputBoxesSayWhatFollowingThemCosts() {
    pasteGrid(cellsOf(QStringLiteral("16384,,,2")));  // the attribute products overflow
    QVERIFY(!clickForReport(QStringLiteral("Command1")).isEmpty());
    const QString odds = control("Text3")->toolTip();
    QVERIFY2(
        odds.startsWith(QStringLiteral("随机落入 ")) && odds.contains(QStringLiteral("平均返还")),
        qPrintable(odds));
    QCOMPARE(control("Text3")->accessibleDescription(), odds);
    QCOMPARE(control("Text5(0)")->toolTip(), QString());
    for (int i = 0; i < 12; ++i) cell(i)->setText(QString());
    QCOMPARE(clickForReport(QStringLiteral("Command1")), QString());
    QCOMPARE(control("Text5(1)")->toolTip(), QStringLiteral("随机落入 50.0%"));
    QCOMPARE(clickForReport(QStringLiteral("Command2")), QString());
    for (const QString& name : kOutputNames) QCOMPARE(control(name)->toolTip(), QString());
  }

  void errorReportSpeaksTheWindowsLanguage() {
    pasteGrid(cellsOf(QStringLiteral("40000")));
    QVERIFY(!clickForReport(QStringLiteral("Command1")).isEmpty());
    QCOMPARE(reportButtons, QStringLiteral("确定"));
  }

  void titleCarriesTheProjectVersion() {
    const QStringList version = QStringLiteral(QUORVEL_PROJECT_VERSION).split(QLatin1Char('.'));
    QVERIFY(form->windowTitle().endsWith(QLatin1Char('V') + version[0] + QLatin1Char('.') +
                                         version[1]));
  }

  void failingPredictReportsAndKeepsWhatWasWritten_data() {
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("written");  // boxes filled before the failure, in box order
    QTest::newRow("latest digit 40000") << "40000"
                                        << "'6'" << 0;
    QTest::newRow("latest sum 3e9") << ",,,3e9"
                                    << "'6'" << 0;
    QTest::newRow("negative tail") << ",,,,1"
                                   << "'9'" << -1;
    QTest::newRow("key product") << ",,,50000,,,,50000"
                                 << "'6'" << 1;
    QTest::newRow("attribute product") << "16384,,,2"
                                       << "'6'" << 3;
  }

  void failingPredictReportsAndKeepsWhatWasWritten() {
    QFETCH(QString, grid);
    QFETCH(QString, number);
    QFETCH(int, written);
    QStringList cells = cellsOf(grid);
    if (written < 0) {  // a negative number cannot be typed sign first: type it, then add the sign
      QTest::keyClicks(cell(4), QStringLiteral("1"));
      QTest::keyClick(cell(4), Qt::Key_Home);
      QTest::keyClicks(cell(4), QStringLiteral("-"));
      cells[4] = QStringLiteral("-1");
      written = 0;
    } else {
      pasteGrid(cells);
    }
    QCOMPARE(gridTexts(), cells);
    for (const QString& name : kOutputNames) control(name)->setText(QStringLiteral("old"));

    const QString report = clickForReport(QStringLiteral("Command1"));
    QVERIFY2(report.contains(number), qPrintable(report));
    const QStringList shown = outputTexts();
    for (int i = 0; i < 8; ++i) {
      QCOMPARE(shown[i].isEmpty(), i >= written);
    }
    QCOMPARE(gridTexts(), cells);

    // The window carries on: the next Predict over a good grid completes.
    for (int i = 0; i < 12; ++i) cell(i)->setText(QString());
    QCOMPARE(clickForReport(QStringLiteral("Command1")), QString());
    QCOMPARE(control("Text2")->text(), QStringLiteral("5 8 9 11 12 14 15 17 18 "));
  }

  void shopButtonHandsTheFixedAddressToTheDesktop() {
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &recorder, "open");
    typeGrid(cellsOf(QStringLiteral("3,5,8,16")));
    control("Text2")->setText(QStringLiteral("kept"));
    QTest::mouseClick(control<QPushButton>("Command3"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>("Command3"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QCOMPARE(recorder.urls,
             (QList<QUrl>{QUrl("http://www.taobao.com"), QUrl("http://www.taobao.com")}));
    QCOMPARE(control("Text2")->text(), QStringLiteral("kept"));
    QCOMPARE(gridTexts(), cellsOf(QStringLiteral("3,5,8,16")));
  }
};

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"
