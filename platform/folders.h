// What the program needs to know of the system it runs on: its folders, how
// its paths are written, and the short (8.3) names of files. This folder is
// the only one that speaks to the operating system directly; it has no Qt and
// is also built with the Windows toolchain.
#pragma once

#include <string>

namespace coredesign::platform {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
inline constexpr bool kHasShortPaths = true;
#else
inline constexpr char kPathSeparator = '/';
inline constexpr bool kHasShortPaths = false;
#endif

// The temporary folder: TEMP when it is set and not empty; otherwise the
// system's own (on Windows GetTempPathA's answer without its trailing
// separator, elsewhere TMPDIR, else /tmp). Read anew at every call; a
// relative name is made absolute from the start folder.
std::string TempFolder();

// The working folder the program started in, read at the first call (the
// programs call it first thing); empty when the system cannot tell.
const std::string& StartFolder();

// The folder that holds the running program's executable, the real one behind
// any link; empty when the system cannot tell.
std::string ProgramFolder();

// The short (8.3) form of an existing path, as the system gives it; empty
// when it gives none (the file does not exist, the form is 255 characters or
// longer, or the system has no short names).
std::string ShortPath(const std::string& path);

// True when `path` names an existing regular file (links followed).
bool IsRegularFile(const std::string& path);

}  // namespace coredesign::platform
