#pragma once

#include <array>
#include <string>
#include <string_view>

#include "quorvel/engine/output.h"

// How the front ends lay the forecast out: the same captions and order in the window, the page
// and the command line.
namespace quorvel::presentation {

// The verdict boxes from left to right as the window shows them.
inline constexpr std::array<engine::Output, engine::kVerdicts> kVerdictsOnScreen = {
    engine::Output::MiddleEdge, engine::Output::Mod3, engine::Output::BigSmall,
    engine::Output::OddEven, engine::Output::FrontBack};

// The shop page that 去 淘 宝 opens: a fixed http address with a host name only.
inline constexpr std::string_view kShopPageAddress = "http://www.taobao.com";

// The program's name, which begins the window's title.
inline constexpr std::string_view kProgramName = "Quorvel预测软件";

// Which front end shows the window; its title names it.
enum class Edition : std::uint8_t { Desktop, Web };

// The window's title: "Quorvel预测软件", the edition in parentheses and the version,
// "Quorvel预测软件(Qt版)V1.6".
std::string windowTitle(Edition edition);

}  // namespace quorvel::presentation
