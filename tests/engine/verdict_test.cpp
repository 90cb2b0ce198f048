#include "quorvel/engine/verdict.h"

#include <gtest/gtest.h>

#include <utility>

namespace quorvel::engine {
namespace {

TEST(Verdicts, TextsUseFullWidthColonAndDigits) {
  // Spelled as bytes so the check does not share the literals it checks.
  const std::pair<Verdict, const char*> expected[] = {
      {Verdict::Middle, "\xe4\xb8\xad\xe8\xbe\xb9\xef\xbc\x9a\xe4\xb8\xad"},
      {Verdict::Edge, "\xe4\xb8\xad\xe8\xbe\xb9\xef\xbc\x9a\xe8\xbe\xb9"},
      {Verdict::Big, "\xe5\xa4\xa7\xe5\xb0\x8f\xef\xbc\x9a\xe5\xa4\xa7"},
      {Verdict::Small, "\xe5\xa4\xa7\xe5\xb0\x8f\xef\xbc\x9a\xe5\xb0\x8f"},
      {Verdict::Even, "\xe5\x8d\x95\xe5\x8f\x8c\xef\xbc\x9a\xe5\x8f\x8c"},
      {Verdict::Odd, "\xe5\x8d\x95\xe5\x8f\x8c\xef\xbc\x9a\xe5\x8d\x95"},
      {Verdict::Front, "\xe5\x89\x8d\xe5\x90\x8e\xef\xbc\x9a\xe5\x89\x8d\xe8\x82\x96"},
      {Verdict::Back, "\xe5\x89\x8d\xe5\x90\x8e\xef\xbc\x9a\xe5\x90\x8e\xe8\x82\x96"},
      {Verdict::Mod3Is0,
       "3N\xef\xbc\x9a"
       "3\xef\xbc\x90"},
      {Verdict::Mod3Is1,
       "3N\xef\xbc\x9a"
       "3\xef\xbc\x91"},
      {Verdict::Mod3Is2,
       "3N\xef\xbc\x9a"
       "3\xef\xbc\x92"},
      {Verdict::NoCall, "\xe6\x97\xa0"},
  };
  for (auto [verdict, bytes] : expected) EXPECT_EQ(verdictText(verdict), bytes);
}

}  // namespace
}  // namespace quorvel::engine
