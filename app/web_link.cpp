#include "web_link.h"

#include <QApplication>
#include <QString>
#include <cerrno>
#include <exception>
#include <filesystem>
#include <new>
#include <string>
#include <system_error>

#include "constants.h"
#include "design_record.h"
#include "desktop_shell.h"
#include "private_file.h"
#include "screen_registry.h"
#include "seams.h"

namespace coredesign::gui::weblink {
namespace {

namespace fs = std::filesystem;

// A failure of the click: its number and the system's description.
struct Failure {
    int number = 0;
    std::string description;
};

void Say(ScreenRegistry& registry, const QString& text) {
    MessageBoxRequest box;
    box.text = text;
    box.title = QString::fromUtf8(kAppTitle);
    box.icon = BoxIcon::None;
    box.parent = QApplication::activeWindow();
    registry.ShowMessage(box);
}

[[noreturn]] void Fail(int number) {
    throw std::system_error(number, std::generic_category());
}

// A probe that could not be made or removed, with the system's (or the
// program's) description: a name planted by someone else is left alone.
struct ProbeFailure {
    platform::FileFailure failure;
};

// The probe is created afresh, private to the user, never through a link.
void CreateEmptyFile(const fs::path& path) {
    platform::FileFailure failure;
    if (!platform::CreatePrivateFile(path.string(), failure)) throw ProbeFailure{failure};
}

void RemoveFile(const fs::path& path) {
    platform::FileFailure failure;
    if (!platform::RemovePrivateFile(path.string(), failure)) throw ProbeFailure{failure};
}

// The directions screen's window; the screen is created unseen when it does
// not exist, and such a screen does not keep the program running.
platform::WindowHandle DirectionsWindow(ScreenRegistry& registry) {
    registry.Carry(registry.Flow().Command(FlowCommand::WebLink));
    QWidget* screen = registry.Find(Screen::Directions);
    return screen ? static_cast<platform::WindowHandle>(screen->winId()) : platform::WindowHandle{};
}

void Launch(ScreenRegistry& registry, const fs::path& probe, const std::string& folder) {
    CreateEmptyFile(probe);
    std::string program;
    const long r = registry.Shell().LookUpProgram(kProbeFileName, folder, program);
    RemoveFile(probe);

    if (r < 0) return;
    if (r == platform::kOutOfMemory) {
        Say(registry, QStringLiteral("Sorry out of memory, please close some programs and try again."));
    } else if (r < platform::kNoAssociation) {
        Say(registry, QStringLiteral("Error Number: ") + QString::number(r));
    } else if (r == platform::kNoAssociation) {
        Say(registry, QStringLiteral("Unable to find Web Browser."));
    } else {
        const platform::WindowHandle parent = DirectionsWindow(registry);
        const long opened =
            registry.Shell().OpenAddress(parent, "Open", kWebHost, std::string(), std::string(), platform::kShowNormal);
        if (opened <= platform::kNoAssociation) Say(registry, QStringLiteral("Unable to launch Web Browser."));
    }
}

}  // namespace

void LaunchWebSite(ScreenRegistry& registry) {
    const std::string folder = registry.Record().TempFolder;
    const fs::path probe = fs::path(folder) / kProbeFileName;
    Failure failure;
    try {
        // Without a folder the probe would land in whatever folder is current.
        if (folder.empty()) Fail(ENOENT);
        Launch(registry, probe, folder);
        return;
    } catch (const ProbeFailure& e) {
        failure = {e.failure.number, e.failure.description};
    } catch (const std::system_error& e) {
        failure = {e.code().value(), e.code().message()};
    } catch (const std::bad_alloc&) {
        failure = {ENOMEM, std::generic_category().message(ENOMEM)};
    } catch (const std::exception& e) {
        failure = {-1, e.what()};
    } catch (...) {
        failure = {-1, "Unknown error"};
    }
    if (!folder.empty()) {
        // Only a probe of this user's own is removed; a name planted by someone else stays as it is.
        platform::FileFailure ignored;
        platform::RemovePrivateFile(probe.string(), ignored);
    }
    Say(registry, QStringLiteral("An error has occured, please report this to you lowly programmer\r\nError Number: ") +
                      QString::number(failure.number) + QStringLiteral("\r\nError description: ") +
                      QString::fromLocal8Bit(failure.description.c_str()));
}

}  // namespace coredesign::gui::weblink
