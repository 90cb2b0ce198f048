#include "shop_link.h"

#include <QDesktopServices>
#include <QUrl>

namespace Module1 {

void OpenShopPage() { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kShopPageAddress))); }

}  // namespace Module1
