#include "app_startup.h"

#include "frmDirections.h"
#include "frmEnter.h"
#include "frmXls.h"
#include "module2_weblink.h"
#include "screen_look.h"
#include "screen_registry.h"
#include "view_report.h"

namespace coredesign::gui {
namespace {

void ShowStart(ScreenRegistry& registry) {
    look::Present(&registry.Get<frmEnter>());
}

}  // namespace

void InstallCommands(ScreenRegistry& registry) {
    ScreenRegistry::Commands& command = registry.Command();
    command.ShowStart = [&registry] { ShowStart(registry); };
    command.ShowDirections = [&registry] { ShowDirections(registry, registry.Find<frmXls>()); };
    command.LaunchWebSite = [&registry] { Module2::LaunchWebSite(registry); };
    InstallViewReport(registry);
}

void StartApplication(ScreenRegistry& registry) {
    InstallCommands(registry);
    registry.Command().ShowStart();
}

}  // namespace coredesign::gui
