#include "grid_check.h"

#include <QLineEdit>

#include "quorvel/grid_texts.h"

void runGridCheck(const std::array<QLineEdit*, 12>& grid) {
  for (QLineEdit* cell : grid) {
    if (!quorvel::isNumericText(cell->text().toStdString())) cell->setText(QString());
  }
}
