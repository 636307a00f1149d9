#include "platform.h"

namespace coredesign::platform {
namespace {
DesktopShell* standIn = nullptr;
}

DesktopShell& CurrentShell() {
    return standIn ? *standIn : SystemShell();
}

DesktopShell* SetShell(DesktopShell* shell) {
    DesktopShell* previous = standIn;
    standIn = shell;
    return previous;
}

}  // namespace coredesign::platform
