#include "shop_link.h"

#include <QDesktopServices>
#include <QUrl>

#include "quorvel/presentation/screen_layout.h"

namespace Module1 {

void OpenShopPage() {
  QDesktopServices::openUrl(QUrl(QString::fromLatin1(
      quorvel::kShopPageAddress.data(), static_cast<qsizetype>(quorvel::kShopPageAddress.size()))));
}

}  // namespace Module1
