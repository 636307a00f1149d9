// The readable summary that coredesign-cli prints without --json.
#pragma once

#include <string>

namespace coredesign {
class InputScreen;
}

namespace coredesign::cli {

// The summary of a finished run: the outcome, every message, and what the
// designer sees next (the results screen's boxes, or the intermediate
// outputs after a fill warning).
std::string Summary(const InputScreen& session);

}  // namespace coredesign::cli
