// What the process asks of the system beyond its folders: loading a module
// (a shared library) that the program does not link, whether it runs with
// the administrator's rights, and a temporary file of its own that does not
// outlive it.
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

// A file of the process's own in a folder (the report that --pdf renders):
// made under a name that is `prefix`, some characters that make it unique,
// and `suffix`, readable by the user only, holding the content it was made
// with. It goes when the object goes, and when SIGINT, SIGTERM or SIGHUP ends
// the process meanwhile (the process then ends as that signal ends it; a
// signal the process ignores stays ignored). One such file is looked after
// at a time: a second one made meanwhile goes with its object only.
// (CreateTemporaryFile before, which made the file empty and left it.)
class TemporaryFile {
public:
    TemporaryFile(const std::string& folder, const std::string& prefix, const std::string& suffix,
                  const std::string& content);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // The file's path; empty when it could not be made, with the system's
    // reason in Failure().
    const std::string& Path() const { return path_; }
    const std::string& Failure() const { return failure_; }

private:
    void Remove();

    std::string path_, failure_;
    bool guarded_ = false;  // removed by the signal handlers
};

}  // namespace coredesign::platform
