#pragma once

// The shop link's module: one procedure, called by a click on Command3.
namespace Module1 {

// The shop page the button's caption promises: an http address with a host name only.
inline constexpr const char* kShopPageAddress = "http://www.taobao.com";

// Hands the shop page to the default browser without waiting for it. Whatever the desktop
// answers is ignored: no message, and no control changes.
void OpenShopPage();

}  // namespace Module1
