#include "quorvel/engine/verdict.h"

namespace quorvel::engine {

std::string_view verdictText(Verdict verdict) {
  switch (verdict) {
    case Verdict::Middle:
      return "中边：中";
    case Verdict::Edge:
      return "中边：边";
    case Verdict::Big:
      return "大小：大";
    case Verdict::Small:
      return "大小：小";
    case Verdict::Even:
      return "单双：双";
    case Verdict::Odd:
      return "单双：单";
    case Verdict::Front:
      return "前后：前肖";
    case Verdict::Back:
      return "前后：后肖";
    case Verdict::Mod3Is0:
      return "3N：3０";
    case Verdict::Mod3Is1:
      return "3N：3１";
    case Verdict::Mod3Is2:
      return "3N：3２";
    case Verdict::NoCall:
      return "无";
  }
  return "";
}

}  // namespace quorvel::engine
