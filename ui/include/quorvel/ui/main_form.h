#pragma once

#include <QWidget>
#include <array>

#include "quorvel/engine/failure.h"
#include "quorvel/engine/output.h"
#include "quorvel/presentation/forecast_view.h"
#include "quorvel/presentation/main_form_layout.h"
#include "quorvel/ui/grid_cells.h"

class QLineEdit;
class QPushButton;

namespace quorvel::ui {

// The program's only window: the history grid, the three buttons, the eight output boxes, their
// frames and the disclaimer, each built from MainForm's layout table at its fixed place. Its
// control texts are the program's only state; the handlers move them to and from the engine.
class MainForm : public QWidget {
  Q_OBJECT

 public:
  // The window for `game`, whose bets its odds price.
  explicit MainForm(const game::Game& game = game::kWelfare3D, QWidget* parent = nullptr);

 private:
  void createControls();
  QWidget* createControl(const presentation::Control& control, QWidget* parent);
  void keepControl(const presentation::Control& control, QWidget* widget);
  void wireEvents();

  void onPredict();    // Command1
  void onDrawShift();  // Command2
  void onGridCellChanged(int index);

  void clearOutputs();
  void showGridNotes(const presentation::ForecastView& view);
  // Shows the error report, then puts the focus in the cell to fix with its text selected.
  void reportFailure(const presentation::FailureView& failure);

  const game::Game* game_;
  GridCells grid_{};                                    // Text1(0) ... Text1(11)
  std::array<QLineEdit*, engine::kOutputs> outputs_{};  // Text2 ... Text5(4), by engine::Output
  QPushButton* predict_ = nullptr;                      // Command1
  QPushButton* drawShift_ = nullptr;                    // Command2
  QPushButton* shop_ = nullptr;                         // Command3
};

}  // namespace quorvel::ui
