// Within platform/: the whole of a text written to an open file descriptor.
#pragma once

#include <string>

namespace coredesign::platform {

// Writes all of `content` to `fd`, again after an interruption or a part
// written: 0, or the system's error number of the failure.
int WriteAll(int fd, const std::string& content);

}  // namespace coredesign::platform
