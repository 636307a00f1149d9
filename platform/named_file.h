// Files the user names (on the command line, or in a save dialog's answer),
// as opposed to the private files of a shared folder (private_file.h).
#pragma once

#include <cstddef>
#include <string>

namespace coredesign::platform {

// `folder`, the platform's separator and `name`.
std::string JoinPath(const std::string& folder, const std::string& name);

// Writes `content` to the file `path` names, as the user expects of any
// program given a file name, and whole or not at all where it can be:
// - a symbolic link the user named is followed (a dangling one makes its
//   target);
// - the file's permissions are respected: a file the user may not write is
//   refused as opening it for writing is, and left as it is;
// - a device, a FIFO or anything else that is not a regular file is written
//   into as it stands;
// - a regular file, or a free name, is written into a new file of the
//   program's own in the same folder (a unique name, created exclusively,
//   no link followed, with the mode a new file gets or the replaced file's
//   owner and mode), every write, the flush to the disk and the close
//   checked, and only then put in the file's place. A failure (a full disk
//   among them) leaves an earlier file as it was and nothing beside it; two
//   programs writing the same name at once each leave a whole file.
// - In a folder where no new file can be made, a file that may be written is
//   written in place (then not whole).
// On Windows links are not followed (they are replaced) and no device is
// met. False, with the system's description of the failure, when it cannot
// be written. (The --spice writer WriteFileWhole is this function now.)
bool WriteNamedFile(const std::string& path, const std::string& content, std::string& failure);

// Reads the file `path` names, at most `maxBytes` bytes of it (a longer
// file gives its first `maxBytes` bytes, so that the caller can tell that it
// is too long). False, with the system's description, when it cannot be read.
bool ReadNamedFile(const std::string& path, std::size_t maxBytes, std::string& content, std::string& failure);

// The same for the process's standard input, read in binary (no line end is
// changed on Windows).
bool ReadStandardInput(std::size_t maxBytes, std::string& content, std::string& failure);

}  // namespace coredesign::platform
