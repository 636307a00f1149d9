// The input screen's "Save Design..." and "Open Design...": the design the
// screen holds written as a design file, and a design file opened onto the
// screen, through the registry's file dialog and message box. The file's
// format, the refusals and the buttons' texts are the engine's
// (design_file.h).
#pragma once

#include <QString>

namespace coredesign {
class InputScreen;
}

class QWidget;

namespace coredesign::gui {

class ScreenRegistry;

// Save Design...: the save dialog, starting from `fileName` (the last name
// saved or opened, updated after a save), then the design written whole to
// the chosen file (".coredesign" appended to a name without a suffix). A
// design that cannot be saved, or a file that cannot be written, is told in
// a message, and nothing is written then; a cancelled dialog writes nothing.
void SaveDesign(ScreenRegistry& registry, const InputScreen& screen, QWidget* parent, QString& fileName);

// Open Design...: the open dialog, starting from `fileName`, then
// OpenDesignFromFile with the chosen file.
void OpenDesign(ScreenRegistry& registry, InputScreen& screen, QWidget* parent, QString& fileName);

// The design file at `path` opened onto the screen: the screen as freshly
// loaded, with the file's design. A file that cannot be read, or that the
// engine refuses, is told in a message and changes nothing. True when opened.
bool OpenDesignFromFile(ScreenRegistry& registry, InputScreen& screen, const QString& path, QWidget* parent);

}  // namespace coredesign::gui
