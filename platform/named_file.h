// Files the user names (on the command line, or in a save dialog's answer),
// as opposed to the private files of a shared folder (private_file.h).
#pragma once

#include <string>

namespace coredesign::platform {

// `folder`, the platform's separator and `name`.
std::string JoinPath(const std::string& folder, const std::string& name);

// Writes `content` to `path` as any command-line program writes a file it is
// given: a link the user named is followed, the file gets the user's usual
// permissions, an earlier file is replaced. False, with the system's
// description of the failure, when it cannot be written.
bool WriteNamedFile(const std::string& path, const std::string& content, std::string& failure);

// Writes `content` to `path`: into a new file beside it, then put in its
// place, so that a failure leaves an earlier file of that name as it was.
// False, with the system's reason, when it cannot.
bool WriteFileWhole(const std::string& path, const std::string& content, std::string& failure);

}  // namespace coredesign::platform
