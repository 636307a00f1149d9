// The screens' seams to the outside: message boxes, file dialogs, the print
// dialog and the desktop shell. Each screen reaches them through its screen
// registry, which holds the stand-ins a test sets; without one, the real
// dialog is shown.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QFileDialog;
class QPrinter;
class QWidget;

namespace coredesign::platform {
class DesktopShell;
}

namespace coredesign::gui {

enum class BoxIcon { Information, None };

struct MessageBoxRequest {
    QString text;   // line breaks as CR LF, as the program writes them
    QString title;  // "Caution" or the application's title
    BoxIcon icon = BoxIcon::Information;
    QWidget* parent = nullptr;
};

struct FileDialogRequest {
    enum class Mode { Open, Save } mode = Mode::Open;
    QString fileName;  // the name the dialog starts with (its previous use)
    // "*.html" (the report's HTML), or a filter with its names, e.g.
    // "PNG image (*.png);;SVG image (*.svg)"; a name saved without a suffix then
    // takes the suffix of the filter chosen.
    QString filter;
    QWidget* parent = nullptr;
    QString filterName = QStringLiteral("HTML");  // what the filter's files are
    bool confirmOverwrite = false;                // Save: ask before replacing a file
};

// A message box with a single OK button.
using MessageSeam = std::function<void(const MessageBoxRequest&)>;
// The chosen file's full path, or nothing when the dialog was cancelled.
using FileDialogSeam = std::function<std::optional<QString>(const FileDialogRequest&)>;
// The print dialog over `parent`: the printer chosen there, or none when the
// dialog was cancelled.
using PrintSeam = std::function<std::unique_ptr<QPrinter>(QWidget* parent)>;

// The stand-ins of one registry: an empty function, or a null shell, means
// the real dialog or the system's own desktop shell.
struct Seams {
    MessageSeam message;
    FileDialogSeam fileDialog;
    PrintSeam print;
    platform::DesktopShell* shell = nullptr;
};

// The real dialogs: a modal message box, the file dialog, the print dialog.
void ShowMessageBox(const MessageBoxRequest& request);
std::optional<QString> AskForFile(const FileDialogRequest& request);

// The file dialog AskForFile shows: the request's mode, starting name and
// filter, no question before overwriting unless the request asks for one,
// and a name given back as it was typed, without a suffix of the dialog's
// own.
std::unique_ptr<QFileDialog> MakeFileDialog(const FileDialogRequest& request);
std::unique_ptr<QPrinter> AskForPrinter(QWidget* parent);

// "Sorry for the inconvenience", an empty line and the system's description
// of a failure: the text of every file failure's message.
QString SorryMessage(const QString& description);

}  // namespace coredesign::gui
