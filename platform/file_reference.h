// How a document refers to a file of this system, as the report refers to
// its pictures: on Windows the lower-cased short (8.3) path, elsewhere (and
// on a Windows volume without short names) the absolute file: URL.
#pragma once

#include <string>

namespace coredesign::platform {

// The text written after "src=" for the file `fileName` in `folder`: on
// Windows the lower-cased short (8.3) path of the file, elsewhere its
// absolute file: URL with blanks and unsafe characters percent-encoded.
// Never holds a blank: on a Windows volume without short names (the system
// gives the long path back) a path with a blank becomes the file: URL too.
// Empty when the file does not exist or is not a regular file.
std::string FileReference(const std::string& folder, const std::string& fileName);

// The system's short (8.3) form of a path, empty when it gives none.
using ShortPathFunction = std::string (*)(const std::string& path);

// The same, asking `shortPath` instead of the system for the short form (on
// Windows only; elsewhere it is not asked).
std::string FileReference(const std::string& folder, const std::string& fileName, ShortPathFunction shortPath);

}  // namespace coredesign::platform
