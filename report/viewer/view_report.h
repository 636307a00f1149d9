// The results screen's View Report: writes temp.htm into the temporary
// folder and shows it in the report viewer.
#pragma once

namespace coredesign::gui {

class ScreenRegistry;

// Sets TempFolder from the environment, writes the report of the results
// screen's texts and the design record, then creates (or reuses) the viewer,
// shows it and navigates it to the file. A report that cannot be written is
// told to the designer; the viewer is then left as it was.
void ViewReport(ScreenRegistry& registry);

// Puts ViewReport into the registry's commands.
void InstallViewReport(ScreenRegistry& registry);

}  // namespace coredesign::gui
