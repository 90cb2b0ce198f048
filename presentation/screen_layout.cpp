#include "quorvel/presentation/screen_layout.h"

#include "quorvel/version.h"

namespace quorvel::presentation {

std::string windowTitle(Edition edition) {
  return std::string(kProgramName) + (edition == Edition::Desktop ? "(Qt版)" : "(网页版)") +
         "V" QUORVEL_VERSION_MAJOR_MINOR;
}

}  // namespace quorvel::presentation
