// The program's start: the commands that cross from one screen to another,
// and the first screen.
#pragma once

#include <QString>
#include <functional>

#include "viewer_plugin.h"

namespace coredesign::gui {

class ScreenRegistry;

// Finds the report viewer's entry: the entry, or null with the reason in `failure`.
using ViewerLoader = std::function<CoreDesignViewReportEntry(QString& failure)>;

// Sets the registry's screen factories (InstallScreens) and fills its
// commands: LaunchWebSite (the results screen's web link) and ViewReport (the
// report written, then the viewer, loaded from its module in the program's
// folder on first use). The moves between screens are the screen flow's.
void InstallCommands(ScreenRegistry& registry);
// The same with the viewer found by `loadViewer` (for a program that links
// the viewer in).
void InstallCommands(ScreenRegistry& registry, ViewerLoader loadViewer);

// InstallCommands, then the flow's Launch: the start screen. The program then runs until
// the last screen is gone.
void StartApplication(ScreenRegistry& registry);

// The report viewer's module: the file beside the program's executable (the
// real folder, whatever link the program was started through).
QString ViewerPluginFile();

// Loads the viewer's module with every symbol it uses bound at once, so that
// a module that does not fit the program is refused here rather than failing
// later; it stays loaded for the rest of the process. False, with the
// loader's reason in `failure`, when the module cannot be loaded or lacks
// the View Report entry.
bool LoadViewerPlugin(const QString& pluginFile, QString& failure);

// Puts into the registry's commands a View Report that finds the viewer with
// `loadViewer` on its first use, writes the report and shows it there. When
// the viewer cannot be found the designer is told why (a "Caution" message)
// and the program goes on; the next View Report tries again.
void InstallViewReport(ScreenRegistry& registry, ViewerLoader loadViewer);
// The same with the viewer loaded from the module `pluginFile`.
void InstallViewReportPlugin(ScreenRegistry& registry, const QString& pluginFile);

}  // namespace coredesign::gui
