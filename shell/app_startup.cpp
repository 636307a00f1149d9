#include "app_startup.h"

#include <QCoreApplication>
#include <QLibrary>

#include "frmDirections.h"
#include "frmEnter.h"
#include "frmResult.h"
#include "frmXls.h"
#include "module2_weblink.h"
#include "screen_look.h"
#include "screen_registry.h"
#include "seams.h"
#include "viewer_plugin.h"

namespace coredesign::gui {
namespace {

void ShowStart(ScreenRegistry& registry) {
    look::Present(&registry.Get<frmEnter>());
}

// The module loaded and its entry found, or null with the loader's reason.
CoreDesignViewReportEntry LoadViewReportEntry(const QString& pluginFile, QString& failure) {
    QLibrary module(pluginFile);
    module.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    if (!module.load()) {
        failure = module.errorString();
        return nullptr;
    }
    // The module stays loaded when `module` goes: the viewer's code is in it.
    auto entry = reinterpret_cast<CoreDesignViewReportEntry>(module.resolve(kViewReportEntryName));
    if (!entry) {
        // The loader keeps no reason for a symbol it does not find: said here in its words.
        failure = QStringLiteral("Cannot resolve symbol \"%1\" in %2")
                      .arg(QLatin1String(kViewReportEntryName), module.fileName());
        module.unload();
    }
    return entry;
}

}  // namespace

QString ViewerPluginFile() {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QStringLiteral(COREDESIGN_VIEWER_PLUGIN_FILE);
}

bool LoadViewerPlugin(const QString& pluginFile, QString& failure) {
    return LoadViewReportEntry(pluginFile, failure) != nullptr;
}

void InstallViewReportPlugin(ScreenRegistry& registry, const QString& pluginFile) {
    registry.Command().ViewReport = [&registry, pluginFile, entry = CoreDesignViewReportEntry{}]() mutable {
        if (!entry) {
            QString failure;
            entry = LoadViewReportEntry(pluginFile, failure);
            if (!entry) {
                ShowMessage({QStringLiteral("Sorry for the inconvenience\r\n\r\n") + failure, QStringLiteral("Caution"),
                             BoxIcon::Information, registry.Find<frmResult>()});
                return;
            }
        }
        entry(&registry);
    };
}

void InstallCommands(ScreenRegistry& registry) {
    ScreenRegistry::Commands& command = registry.Command();
    command.ShowStart = [&registry] { ShowStart(registry); };
    command.ShowDirections = [&registry] { ShowDirections(registry, registry.Find<frmXls>()); };
    command.LaunchWebSite = [&registry] { Module2::LaunchWebSite(registry); };
    InstallViewReportPlugin(registry, ViewerPluginFile());
}

void StartApplication(ScreenRegistry& registry) {
    InstallCommands(registry);
    registry.Command().ShowStart();
}

}  // namespace coredesign::gui
