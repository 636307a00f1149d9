// The program's start: the commands that cross from one screen to another,
// and the first screen.
#pragma once

namespace coredesign::gui {

class ScreenRegistry;

// Fills the registry's commands: ShowStart (the start screen, created anew
// when it is gone), ShowDirections (the input screen's Help), LaunchWebSite
// (the results screen's web link) and ViewReport (the report viewer).
void InstallCommands(ScreenRegistry& registry);

// InstallCommands, then shows the start screen. The program then runs until
// the last screen is gone.
void StartApplication(ScreenRegistry& registry);

}  // namespace coredesign::gui
