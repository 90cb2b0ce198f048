#pragma once

// The shop link's module: one procedure, called by a click on Command3.
namespace quorvel::ui::Module1 {

// Hands the shop page to the default browser without waiting for it. Whatever the desktop
// answers is ignored: no message, and no control changes.
void OpenShopPage();

}  // namespace quorvel::ui::Module1
