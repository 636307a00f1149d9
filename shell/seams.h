// The program's seams to the outside: message boxes and file dialogs. Each
// is one replaceable function with an interactive default, so that tests can
// stand in for it and read what would have been shown.
#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace coredesign::gui {

enum class BoxIcon { Information, None };

struct MessageBoxRequest {
    QString text;   // line breaks as CR LF, as the program writes them
    QString title;  // "Caution" or the application's title
    BoxIcon icon = BoxIcon::Information;
    QWidget* parent = nullptr;
};

using MessageSeam = std::function<void(const MessageBoxRequest&)>;

// Shows a modal message box with a single OK button (or hands it to the seam).
void ShowMessage(const MessageBoxRequest& request);
// Replaces the message seam; an empty function restores the default. Returns the previous one.
MessageSeam SetMessageSeam(MessageSeam seam);

struct FileDialogRequest {
    enum class Mode { Open, Save } mode = Mode::Open;
    QString fileName;  // the name the dialog starts with (its previous use)
    QString filter;    // e.g. "*.html"
    QWidget* parent = nullptr;
};

// The chosen file's full path, or nothing when the dialog was cancelled.
using FileDialogSeam = std::function<std::optional<QString>(const FileDialogRequest&)>;

std::optional<QString> RunFileDialog(const FileDialogRequest& request);
FileDialogSeam SetFileDialogSeam(FileDialogSeam seam);

}  // namespace coredesign::gui
