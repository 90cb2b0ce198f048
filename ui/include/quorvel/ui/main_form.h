#pragma once

#include <QWidget>
#include <array>

#include "quorvel/failure.h"
#include "quorvel/prediction_pass.h"
#include "quorvel/ui/grid_cells.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The program's only window: the history grid, the three buttons, the eight output boxes, their
// frames and the disclaimer, each at a fixed position. Its control texts are the program's only
// state; the handlers move them to and from the engine.
class MainForm : public QWidget {
  Q_OBJECT

 public:
  explicit MainForm(QWidget* parent = nullptr);

  static constexpr int kClientWidth = 590;
  static constexpr int kClientHeight = 315;

 private:
  void createControls();
  void createFrames();
  void createGrid();
  void createOutputs();
  void createLabel();
  void wireEvents();

  void onPredict();    // Command1
  void onDrawShift();  // Command2
  void onGridCellChanged(int index);

  // Text2, Text3, Text4, Text5(0...4), indexed by quorvel::Output.
  std::array<QLineEdit*, quorvel::kOutputs> outputBoxes() const;
  void clearOutputs();
  // Shows the error report, then puts the focus in the cell to fix with its text selected.
  void reportFailure(quorvel::Failure failure, const quorvel::FailureCause& cause,
                     const quorvel::GridStrings& cells);

  GridCells Text1{};
  QLineEdit* Text2 = nullptr;
  QLineEdit* Text3 = nullptr;
  QLineEdit* Text4 = nullptr;
  std::array<QLineEdit*, quorvel::kVerdicts> Text5{};
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  QGroupBox* Frame1 = nullptr;
  QGroupBox* Frame2 = nullptr;
  std::array<QGroupBox*, 2> Frame3{};
  QGroupBox* Frame4 = nullptr;
  QLabel* Label1 = nullptr;
};
