#include "quorvel/ui/main_form.h"

#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <limits>
#include <string>

#include "grid_check.h"
#include "quorvel/prediction_pass.h"
#include "quorvel/presentation/cell_names.h"
#include "quorvel/presentation/failure_report.h"
#include "quorvel/presentation/screen_layout.h"
#include "quorvel/ui/grid_cells.h"
#include "quorvel/version.h"
#include "shop_link.h"
#include "window_draw_shift.h"

namespace {

QString qString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);

const QString kDisclaimer = QStringLiteral(
    "本软件所提供预测只供参考，按此下注--后果自负。(注：本人测试后发现本软件有一规律就是连准4-"
    "5期后会"
    "开始错1-2期然后有开始连准，属性选择基本是连准后连不准的选择。请注意下注方式)");

// A frame: black, with its caption in red, whichever palette role the style draws it with.
QGroupBox* makeFrame(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setObjectName(QString::fromLatin1(name));
  frame->setGeometry(geometry);
  QPalette palette = frame->palette();
  palette.setColor(QPalette::Window, kBlack);
  palette.setColor(QPalette::WindowText, kRed);
  palette.setColor(QPalette::Text, kRed);
  frame->setPalette(palette);
  frame->setAutoFillBackground(true);
  return frame;
}

// A text box; `spoken` is what a screen reader says it holds.
QLineEdit* makeTextBox(QWidget* parent, const QString& name, const QString& spoken,
                       QRect geometry) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setAccessibleName(spoken);
  box->setGeometry(geometry);
  box->setMaxLength(std::numeric_limits<int>::max());
  return box;
}

void setTextColours(QLineEdit* box, const QColor* background, const QColor& text) {
  QPalette palette = box->palette();
  if (background != nullptr) palette.setColor(QPalette::Base, *background);
  palette.setColor(QPalette::Text, text);
  box->setPalette(palette);
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAccessibleName(QString(caption).remove(QLatin1Char(' ')));
  button->setGeometry(geometry);
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

}  // namespace

// The icon's resource lives in this static library; a linker may drop it unless it is named.
static void loadResources() { Q_INIT_RESOURCE(quorvel); }

MainForm::MainForm(QWidget* parent) : QWidget(parent) {
  loadResources();
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(qString(quorvel::kTitleStart) +
                 QStringLiteral("(Qt版)V" QUORVEL_VERSION_MAJOR_MINOR));
  setWindowIcon(QIcon(QPixmap(QStringLiteral(":/icons/quorvel.png"))));
  resize(kClientWidth, kClientHeight);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kBlack);
  setPalette(palette);
  setAutoFillBackground(true);

  createControls();
  wireEvents();
  Text1[0]->setFocus();
}

// Positions are in pixels of the client area, or of the frame for the three buttons. Frames come
// first so that the boxes laid over them, their siblings, are drawn on top.
void MainForm::createControls() {
  createFrames();
  createGrid();
  createOutputs();
  createLabel();
  const std::array<QWidget*, 23> focusOrder = {
      Text1[0], Text1[1], Text1[2],  Text1[3],  Text1[4], Text1[5], Text1[6], Text1[7],
      Text1[8], Text1[9], Text1[10], Text1[11], Command1, Text2,    Command2, Text3,
      Text4,    Text5[0], Text5[1],  Text5[2],  Text5[4], Command3, Text5[3]};
  for (std::size_t i = 1; i < focusOrder.size(); ++i) {
    setTabOrder(focusOrder[i - 1], focusOrder[i]);
  }
}

void MainForm::createFrames() {
  using quorvel::listCaption;
  using quorvel::Output;
  Frame1 = makeFrame(this, "Frame1", QStringLiteral("输入前三期的开奖数据"), {8, 8, 209, 185});
  Frame2 =
      makeFrame(this, "Frame2", qString(listCaption(Output::PredictedRange)), {232, 8, 353, 57});
  Frame3[0] =
      makeFrame(this, "Frame3(0)", qString(listCaption(Output::KeyRange)), {232, 72, 353, 57});
  Frame3[1] = makeFrame(this, "Frame3(1)", qString(listCaption(Output::ExtremeNumbers)),
                        {232, 136, 353, 57});
  Frame4 = makeFrame(this, "Frame4", qString(quorvel::kVerdictCaption), {16, 200, 569, 49});
}

// The twelve cells and the two buttons under them.
void MainForm::createGrid() {
  // Cell 4p + k: period p (0 latest) down, column k (three digits, then the sum) across.
  for (int i = 0; i < quorvel::kGridCells; ++i) {
    const int p = i / quorvel::kGridColumns;
    const int k = i % quorvel::kGridColumns;
    QLineEdit* cell =
        makeTextBox(this, QStringLiteral("Text1(%1)").arg(i), qString(quorvel::cellName(p, k)),
                    {16 + 48 * k, 24 + 32 * p, 41, 25});
    setTextColours(cell, &kWhite, kRed);
    Text1[static_cast<std::size_t>(i)] = cell;
  }
  Command1 = makeButton(Frame1, "Command1", QStringLiteral("预 测"), {8, 128, 81, 33});
  Command2 = makeButton(Frame1, "Command2", QStringLiteral("开奖了"), {112, 128, 81, 33});
}

// The three list boxes, the shop button and the five verdict boxes.
void MainForm::createOutputs() {
  using quorvel::listCaption;
  using quorvel::Output;
  Text2 = makeTextBox(this, QStringLiteral("Text2"), qString(listCaption(Output::PredictedRange)),
                      {240, 24, 337, 33});
  Text3 = makeTextBox(this, QStringLiteral("Text3"), qString(listCaption(Output::KeyRange)),
                      {240, 88, 337, 33});
  Text4 = makeTextBox(this, QStringLiteral("Text4"), qString(listCaption(Output::ExtremeNumbers)),
                      {240, 152, 337, 33});

  Command3 = makeButton(Frame4, "Command3", QStringLiteral("去 淘 宝"), {8, 16, 57, 25});
  // Left to right in their screen order, 96 pixels apart.
  for (std::size_t place = 0; place < quorvel::kVerdictsOnScreen.size(); ++place) {
    const auto box = static_cast<std::size_t>(quorvel::kVerdictsOnScreen[place]) -
                     static_cast<std::size_t>(Output::MiddleEdge);
    const int left = 104 + 96 * static_cast<int>(place);
    static const std::array<QString, quorvel::kVerdicts> kCalls = {
        QStringLiteral("中边"), QStringLiteral("大小"), QStringLiteral("单双"),
        QStringLiteral("前后"), QStringLiteral("3N")};
    Text5[box] = makeTextBox(this, QStringLiteral("Text5(%1)").arg(box),
                             qString(quorvel::kVerdictCaption) + QLatin1Char(' ') + kCalls[box],
                             {left, 216, 81, 25});
    setTextColours(Text5[box], nullptr, kRed);
  }
}

void MainForm::createLabel() {
  Label1 = new QLabel(kDisclaimer, this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAccessibleName(QStringLiteral("免责声明"));
  Label1->setGeometry(40, 264, 497, 65);  // reaches below the client area and is cut off there
  Label1->setWordWrap(true);
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QFont font;
  font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                    QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
  font.setPointSizeF(10.5);
  font.setWeight(QFont::Normal);
  Label1->setFont(font);
  QPalette palette = Label1->palette();
  palette.setColor(QPalette::Window, kBlack);
  palette.setColor(QPalette::WindowText, kRed);
  Label1->setPalette(palette);
  Label1->setAutoFillBackground(true);
}

void MainForm::wireEvents() {
  connect(Command1, &QPushButton::clicked, this, &MainForm::onPredict);
  connect(Command2, &QPushButton::clicked, this, &MainForm::onDrawShift);
  connect(Command3, &QPushButton::clicked, this, [] { Module1::OpenShopPage(); });
  for (int i = 0; i < quorvel::kGridCells; ++i) {
    connect(Text1[static_cast<std::size_t>(i)], &QLineEdit::textChanged, this,
            [this, i] { onGridCellChanged(i); });
  }
}

std::array<QLineEdit*, quorvel::kOutputs> MainForm::outputBoxes() const {
  return {Text2, Text3, Text4, Text5[0], Text5[1], Text5[2], Text5[3], Text5[4]};
}

void MainForm::clearOutputs() {
  for (QLineEdit* box : outputBoxes()) box->setText(QString());
}

void MainForm::onPredict() {
  clearOutputs();
  const quorvel::GridStrings texts = cellTexts(Text1);
  const quorvel::PassResult result = quorvel::runPredictionPass(quorvel::viewsOf(texts));
  const auto boxes = outputBoxes();
  for (int i = 0; i < result.written; ++i) {
    const quorvel::Output box = quorvel::kWriteOrder[static_cast<std::size_t>(i)];
    boxes[static_cast<std::size_t>(box)]->setText(QString::fromStdString(result.text(box)));
  }
  if (result.failure != quorvel::Failure::None) reportFailure(result.failure, result.cause, texts);
}

void MainForm::onDrawShift() {
  clearOutputs();
  const quorvel::GridStrings texts = cellTexts(Text1);
  const quorvel::DrawShiftResult shifted = runDrawShift(Text1);
  if (shifted.failure != quorvel::Failure::None)
    reportFailure(shifted.failure, shifted.cause, texts);
}

void MainForm::onGridCellChanged([[maybe_unused]] int index) { runGridCheck(Text1); }

// The action has stopped; the window carries on with every box as the failure left it.
void MainForm::reportFailure(quorvel::Failure failure, const quorvel::FailureCause& cause,
                             const quorvel::GridStrings& cells) {
  const quorvel::GridTexts texts = quorvel::viewsOf(cells);
  std::string report = quorvel::failureReport(failure);
  if (const std::string line = quorvel::blamedCellsLine(cause, texts); !line.empty()) {
    report += "\n" + line;
  }
  QMessageBox::critical(this, windowTitle(), QString::fromStdString(report));
  if (const int cell = quorvel::cellToFix(cause, texts); cell >= 0) {
    QLineEdit* box = Text1[static_cast<std::size_t>(cell)];
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
  }
}
