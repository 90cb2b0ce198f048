#include "grid_check.h"

#include <QLineEdit>

#include "quorvel/numeric_text.h"

void runGridCheck(const GridCells& grid) {
  for (QLineEdit* cell : grid) {
    if (!quorvel::isNumericText(cell->text().toStdString())) cell->setText(QString());
  }
}
