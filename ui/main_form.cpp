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
#include <map>
#include <string>

#include "grid_check.h"
#include "quorvel/presentation/forecast_view.h"
#include "quorvel/presentation/screen_layout.h"
#include "shop_link.h"
#include "grid_shift.h"

// The icon's resource lives in this static library; a linker may drop it unless it is named, and
// the name must be used outside any namespace.
static void loadResources() { Q_INIT_RESOURCE(quorvel); }

namespace quorvel::ui {
namespace {

using presentation::Control;
using presentation::ControlKind;
using presentation::ControlRole;

QString qString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QColor qColour(presentation::Rgb rgb) { return {rgb.red, rgb.green, rgb.blue}; }

// Sets the roles a control's background and text colours are drawn with; a colour the table
// leaves to the toolkit keeps the palette's.
void paint(QWidget* widget, const Control& control, QPalette::ColorRole backgroundRole,
           QPalette::ColorRole textRole) {
  QPalette palette = widget->palette();
  if (control.background) palette.setColor(backgroundRole, qColour(*control.background));
  if (control.text) {
    palette.setColor(textRole, qColour(*control.text));
    palette.setColor(QPalette::Text, qColour(*control.text));
  }
  widget->setPalette(palette);
}

QWidget* makeFrame(const Control& control, QWidget* parent) {
  auto* frame = new QGroupBox(qString(control.caption), parent);
  paint(frame, control, QPalette::Window, QPalette::WindowText);
  frame->setAutoFillBackground(true);
  return frame;
}

QWidget* makeTextBox(const Control& control, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setMaxLength(std::numeric_limits<int>::max());
  paint(box, control, QPalette::Base, QPalette::Text);
  return box;
}

QWidget* makeButton(const Control& control, QWidget* parent) {
  auto* button = new QPushButton(qString(control.caption), parent);
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

QWidget* makeLabel(const Control& control, QWidget* parent) {
  auto* label = new QLabel(qString(control.caption), parent);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  const presentation::Font face = presentation::disclaimerFont();
  QStringList families;
  for (const std::string_view family : face.families) families << qString(family);
  QFont font;
  font.setFamilies(families);
  font.setPointSizeF(face.points);
  font.setWeight(QFont::Normal);
  label->setFont(font);
  paint(label, control, QPalette::Window, QPalette::WindowText);
  label->setAutoFillBackground(true);
  return label;
}

}  // namespace

MainForm::MainForm(const game::Game& game, QWidget* parent) : QWidget(parent), game_(&game) {
  loadResources();
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QString::fromStdString(presentation::windowTitle(presentation::Edition::Desktop)));
  setWindowIcon(QIcon(QPixmap(QStringLiteral(":/icons/quorvel.png"))));
  resize(presentation::kFormWidth, presentation::kFormHeight);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, qColour(presentation::kBlack));
  setPalette(palette);
  setAutoFillBackground(true);

  createControls();
  wireEvents();
  grid_[0]->setFocus();
}

// Every control of the table, in its order, so that the frames lie under the boxes laid over
// them; then the Tab order the table gives.
void MainForm::createControls() {
  std::map<std::string_view, QWidget*> made;
  for (const Control& control : presentation::mainFormControls()) {
    QWidget* parent = control.parent.empty() ? this : made.at(control.parent);
    QWidget* widget = createControl(control, parent);
    made[control.name] = widget;
    keepControl(control, widget);
  }
  QWidget* previous = nullptr;
  for (const Control* control : presentation::tabOrder()) {
    QWidget* widget = made.at(control->name);
    if (previous != nullptr) setTabOrder(previous, widget);
    previous = widget;
  }
}

QWidget* MainForm::createControl(const Control& control, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (control.kind) {
    case ControlKind::Frame:
      widget = makeFrame(control, parent);
      break;
    case ControlKind::TextBox:
      widget = makeTextBox(control, parent);
      break;
    case ControlKind::Button:
      widget = makeButton(control, parent);
      break;
    case ControlKind::Label:
      widget = makeLabel(control, parent);
      break;
  }
  widget->setObjectName(qString(control.name));
  widget->setAccessibleName(qString(control.accessibleName));
  const presentation::Rect rect = control.rect;
  widget->setGeometry(rect.left, rect.top, rect.width, rect.height);
  return widget;
}

// The handlers reach the controls they move texts to and from by what each is for.
void MainForm::keepControl(const Control& control, QWidget* widget) {
  switch (control.role) {
    case ControlRole::GridCell:
      grid_.at(static_cast<std::size_t>(control.cell.value())) = qobject_cast<QLineEdit*>(widget);
      break;
    case ControlRole::Output:
      outputs_.at(static_cast<std::size_t>(control.output.value())) =
          qobject_cast<QLineEdit*>(widget);
      break;
    case ControlRole::Predict:
      predict_ = qobject_cast<QPushButton*>(widget);
      break;
    case ControlRole::DrawShift:
      drawShift_ = qobject_cast<QPushButton*>(widget);
      break;
    case ControlRole::Shop:
      shop_ = qobject_cast<QPushButton*>(widget);
      break;
    case ControlRole::Frame:
    case ControlRole::Disclaimer:
      break;
  }
}

void MainForm::wireEvents() {
  connect(predict_, &QPushButton::clicked, this, &MainForm::onPredict);
  connect(drawShift_, &QPushButton::clicked, this, &MainForm::onDrawShift);
  connect(shop_, &QPushButton::clicked, this, [] { Module1::OpenShopPage(); });
  for (int i = 0; i < engine::kGridCells; ++i) {
    connect(grid_[static_cast<std::size_t>(i)], &QLineEdit::textChanged, this,
            [this, i] { onGridCellChanged(i); });
  }
}

// Text2, Text3, Text4, then Text5(0) ... Text5(4), as every action empties them; their odds and
// the notes on the grid go with the forecast they came with.
void MainForm::clearOutputs() {
  for (QLineEdit* box : outputs_) {
    box->setText(QString());
    box->setToolTip(QString());
    box->setAccessibleDescription(QString());
  }
  for (QLineEdit* cell : grid_) {
    cell->setToolTip(QString());
    cell->setAccessibleDescription(QString());
  }
}

// Where the grid is not three real draws, the cells concerned say so in their tooltips and to a
// screen reader; no control moves.
void MainForm::showGridNotes(const presentation::ForecastView& view) {
  for (std::size_t i = 0; i < grid_.size(); ++i) {
    QStringList said;
    for (const std::string& note : view.cellNotes[i]) said << QString::fromStdString(note);
    const QString text = said.join(QLatin1Char('\n'));
    grid_[i]->setToolTip(text);
    grid_[i]->setAccessibleDescription(text);
  }
}

void MainForm::onPredict() {
  clearOutputs();
  const engine::GridStrings texts = cellTexts(grid_);
  const presentation::ForecastView view =
      presentation::forecastView(engine::viewsOf(texts), *game_, words::kWindowLanguage);
  for (const presentation::OutputView& box : view.outputs) {
    if (!box.written) continue;
    QLineEdit* output = outputs_[static_cast<std::size_t>(box.output)];
    output->setText(QString::fromStdString(box.text));
    // What following it costs, without moving a control.
    const QString odds = QString::fromStdString(box.oddsLine);
    output->setToolTip(odds);
    output->setAccessibleDescription(odds);
  }
  showGridNotes(view);
  if (view.failure.failed()) reportFailure(view.failure);
}

void MainForm::onDrawShift() {
  clearOutputs();
  const engine::GridStrings texts = cellTexts(grid_);
  const engine::DrawShiftResult shifted = runDrawShift(grid_);
  if (shifted.failure != engine::Failure::None)
    reportFailure(presentation::failureView(shifted.failure, shifted.cause, engine::viewsOf(texts)));
}

void MainForm::onGridCellChanged([[maybe_unused]] int index) { runGridCheck(grid_); }

// The action has stopped; the window carries on with every box as the failure left it.
void MainForm::reportFailure(const presentation::FailureView& failure) {
  QMessageBox::critical(this, windowTitle(), QString::fromStdString(failure.boxText()));
  if (failure.cellToFix >= 0) {
    QLineEdit* box = grid_[static_cast<std::size_t>(failure.cellToFix)];
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
  }
}

}  // namespace quorvel::ui
