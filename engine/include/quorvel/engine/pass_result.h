#pragma once

#include <array>
#include <cassert>
#include <string>

#include "quorvel/engine/failure.h"
#include "quorvel/engine/output.h"
#include "quorvel/engine/sum_list.h"
#include "quorvel/engine/verdict.h"

namespace quorvel::engine {

// What one prediction pass reported: the outputs it wrote, in kWriteOrder, and the failure that
// stopped it, if one did.
struct PassResult {
  Failure failure = Failure::None;
  FailureCause cause;  // where the failure arose, when there is one
  int written = 0;     // outputs written: the first `written` of kWriteOrder

  bool isWritten(Output output) const {
    if (written == kOutputs) return true;
    for (int i = 0; i < written; ++i) {
      if (kWriteOrder[static_cast<std::size_t>(i)] == output) return true;
    }
    return false;
  }
  // The sums a list names (0 for one not written), and a verdict (NoCall for one not written).
  SumSet list(Output output) const { return lists_[slot(output)]; }
  Verdict verdict(Output output) const { return verdicts_[slot(output) - kLists]; }
  // The output's text: "" for an output the pass did not write.
  std::string text(Output output) const;
  // Appends the output's text to `out`.
  void appendText(std::string& out, Output output) const;

  // Records the next output in kWriteOrder; `output` must be that one. Only the pass writes.
  void writeList(Output output, SumSet sums) {
    assert(isList(output));
    lists_[slot(output)] = sums;
    advance(output);
  }
  void writeVerdict(Output output, Verdict call) {
    assert(!isList(output));
    verdicts_[slot(output) - kLists] = call;
    advance(output);
  }

 private:
  static std::size_t slot(Output output) { return static_cast<std::size_t>(output); }
  void advance([[maybe_unused]] Output output) {
    assert(written < kOutputs && kWriteOrder[static_cast<std::size_t>(written)] == output);
    ++written;
  }

  std::array<SumSet, kLists> lists_{};
  std::array<Verdict, kVerdicts> verdicts_{};
};

}  // namespace quorvel::engine
