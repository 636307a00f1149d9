#include "app_startup.h"

#include <QCoreApplication>
#include <QLibrary>
#include <optional>

#include "frmResult.h"
#include "messages.h"
#include "screen_registry.h"
#include "screen_set.h"
#include "seams.h"
#include "view_report.h"
#include "web_link.h"

namespace coredesign::gui {
namespace {

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

void InstallViewReport(ScreenRegistry& registry, ViewerLoader loadViewer) {
    registry.Command().ViewReport = [&registry, load = std::move(loadViewer),
                                     entry = CoreDesignViewReportEntry{}]() mutable {
        if (!entry) {
            QString failure;
            entry = load(failure);
            if (!entry) {
                registry.ShowMessage({SorryMessage(failure), QString::fromUtf8(kCautionTitle), BoxIcon::Information,
                                      registry.Find<frmResult>()});
                return;
            }
        }
        if (const std::optional<QString> report = WriteReportForViewer(registry)) entry(&registry, &*report);
    };
}

void InstallViewReportPlugin(ScreenRegistry& registry, const QString& pluginFile) {
    InstallViewReport(registry, [pluginFile](QString& failure) { return LoadViewReportEntry(pluginFile, failure); });
}

void InstallCommands(ScreenRegistry& registry, ViewerLoader loadViewer) {
    InstallScreens(registry);
    registry.Command().LaunchWebSite = [&registry] { weblink::LaunchWebSite(registry); };
    InstallViewReport(registry, std::move(loadViewer));
}

void InstallCommands(ScreenRegistry& registry) {
    InstallCommands(registry,
                    [file = ViewerPluginFile()](QString& failure) { return LoadViewReportEntry(file, failure); });
}

void StartApplication(ScreenRegistry& registry) {
    InstallCommands(registry);
    registry.Carry(registry.Flow().Command(FlowCommand::Launch));
}

}  // namespace coredesign::gui
