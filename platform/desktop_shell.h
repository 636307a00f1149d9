// The desktop shell as the web link uses it: which program is registered to
// open a kind of document, and opening an address with that program.
//
// Result codes keep the Windows shell's convention on every platform, so the
// web link reads them the same way everywhere.
#pragma once

#include <cstdint>
#include <string>

namespace coredesign::platform {

// Look-up: 0 out of memory, 1 to 30 an error code, 31 no program registered,
// 32 and above found. Open: above 31 opened, 31 or less failed.
inline constexpr long kOutOfMemory = 0;
inline constexpr long kFileNotFound = 2;
inline constexpr long kPathNotFound = 3;
inline constexpr long kNoAssociation = 31;
inline constexpr long kFound = 32;
inline constexpr long kOpened = 42;

// A native top-level window (HWND on Windows, the window system's id elsewhere).
using WindowHandle = std::uintptr_t;

inline constexpr int kShowNormal = 1;

class DesktopShell {
public:
    virtual ~DesktopShell() = default;

    // The program registered to open `file` (a document in `folder`, which
    // must exist). Its name or desktop entry goes to `program`.
    virtual long LookUpProgram(const std::string& file, const std::string& folder, std::string& program) = 0;

    // Opens `address` ("Open" operation) with the program registered for it,
    // owned by the window `parent`.
    virtual long OpenAddress(WindowHandle parent, const std::string& operation, const std::string& address,
                             const std::string& parameters, const std::string& folder, int showCommand) = 0;
};

// The platform's own shell: the Windows shell API, or the freedesktop tools.
DesktopShell& SystemShell();

}  // namespace coredesign::platform
