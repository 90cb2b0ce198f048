#include "shop_link.h"

#include <QDesktopServices>
#include <QUrl>

#include "quorvel/presentation/screen_layout.h"

namespace quorvel::ui::Module1 {

void OpenShopPage() {
  QDesktopServices::openUrl(
      QUrl(QString::fromLatin1(presentation::kShopPageAddress.data(),
                               static_cast<qsizetype>(presentation::kShopPageAddress.size()))));
}

}  // namespace quorvel::ui::Module1
