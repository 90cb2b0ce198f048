#include "grid_check.h"

#include <QLineEdit>

#include "quorvel/engine/numeric_text.h"

namespace quorvel::ui {

void runGridCheck(const GridCells& grid) {
  for (QLineEdit* cell : grid) {
    if (!engine::isNumericText(cell->text().toStdString())) cell->setText(QString());
  }
}

}  // namespace quorvel::ui
