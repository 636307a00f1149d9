// What the process asks of the system beyond its folders: loading a module
// (a shared library) that the program does not link, whether it runs with
// the administrator's rights, and a temporary file of its own.
#pragma once

#include <string>

namespace coredesign::platform {

// Loads the module at `path` with every symbol it uses bound at once; it
// stays loaded for the rest of the process. Null, with the system's reason in
// `failure`, when it cannot be loaded.
void* LoadModule(const std::string& path, std::string& failure);

// The address of the symbol `name` in a loaded module; null, with the reason
// in `failure`, when the module has none.
void* ModuleSymbol(void* module, const char* name, std::string& failure);

// True when the process runs as root (POSIX); false on Windows.
bool RunningAsRoot();

// Creates a new, empty file in `folder` whose name is `prefix`, some
// characters that make it unique, and `suffix`. Its path, or empty with the
// system's reason in `failure`.
std::string CreateTemporaryFile(const std::string& folder, const std::string& prefix, const std::string& suffix,
                                std::string& failure);

}  // namespace coredesign::platform
