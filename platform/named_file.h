// Files the user names (on the command line, or in a save dialog's answer),
// as opposed to the private files of a shared folder (private_file.h).
#pragma once

#include <cstddef>
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

// Reads the file `path` names, at most `maxBytes` bytes of it (a longer
// file gives its first `maxBytes` bytes, so that the caller can tell that it
// is too long). False, with the system's description, when it cannot be read.
bool ReadNamedFile(const std::string& path, std::size_t maxBytes, std::string& content, std::string& failure);

// The same for the process's standard input, read in binary (no line end is
// changed on Windows).
bool ReadStandardInput(std::size_t maxBytes, std::string& content, std::string& failure);

}  // namespace coredesign::platform
