// The screens of the desktop program as the registry makes them: one
// factory per screen of the flow (the report viewer's comes with its module).
#pragma once

namespace coredesign::gui {

class ScreenRegistry;

// Sets the registry's factories of the start, input, results, intermediate
// outputs, directions, Compare Cores and Inductance Curve screens.
void InstallScreens(ScreenRegistry& registry);

}  // namespace coredesign::gui
