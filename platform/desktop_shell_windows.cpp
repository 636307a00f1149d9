// The desktop shell on Windows: FindExecutableA and ShellExecuteA.
#ifdef _WIN32

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include "desktop_shell.h"

namespace coredesign::platform {
namespace {

const char* OrNull(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

long AsCode(HINSTANCE result) {
    return static_cast<long>(reinterpret_cast<INT_PTR>(result));
}

class WindowsShell final : public DesktopShell {
public:
    long LookUpProgram(const std::string& file, const std::string& folder, std::string& program) override {
        // FindExecutableA writes up to MAX_PATH characters, so the buffer is
        // that large (a shorter one could be overrun by a long program path).
        char buffer[MAX_PATH + 1] = {};
        const long code = AsCode(FindExecutableA(file.c_str(), OrNull(folder), buffer));
        buffer[MAX_PATH] = '\0';
        program = buffer;
        return code;
    }

    long OpenAddress(WindowHandle parent, const std::string& operation, const std::string& address,
                     const std::string& parameters, const std::string& folder, int showCommand) override {
        return AsCode(ShellExecuteA(reinterpret_cast<HWND>(parent), OrNull(operation), address.c_str(),
                                    OrNull(parameters), OrNull(folder), showCommand));
    }
};

}  // namespace

DesktopShell& SystemShell() {
    static WindowsShell shell;
    return shell;
}

}  // namespace coredesign::platform

#endif  // _WIN32
