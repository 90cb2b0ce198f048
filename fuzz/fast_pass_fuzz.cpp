// The fast road of the pass against the reference, on twelve arbitrary cells: every output, the
// failure and its cause must agree. Most inputs are made into plain digit cells, which is where the
// two roads differ in how they work.

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fuzz_check.h"
#include "quorvel/engine/prediction_pass.h"
#include "quorvel/engine/reference_pass.h"

namespace engine = quorvel::engine;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const bool plain = input.ConsumeIntegralInRange<int>(0, 3) != 0;
  engine::GridStrings cells;
  for (std::string& cell : cells) {
    cell = input.ConsumeRandomLengthString(plain ? 5 : 12);
    if (!plain) continue;
    for (char& c : cell) c = static_cast<char>('0' + static_cast<unsigned char>(c) % 10);
  }
  const engine::GridTexts texts = engine::viewsOf(cells);
  const engine::PassResult fast = engine::runPredictionPass(texts);
  const engine::PassResult reference = engine::runReferencePass(texts);
  FUZZ_CHECK(fast.failure == reference.failure);
  FUZZ_CHECK(fast.cause == reference.cause);
  FUZZ_CHECK(fast.written == reference.written);
  for (const engine::Output output : engine::kAllOutputs) {
    if (engine::isList(output)) {
      FUZZ_CHECK(fast.list(output) == reference.list(output));
    } else {
      FUZZ_CHECK(fast.verdict(output) == reference.verdict(output));
    }
    FUZZ_CHECK(fast.text(output) == reference.text(output));
  }
  return 0;
}
