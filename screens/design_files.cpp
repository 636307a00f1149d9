#include "design_files.h"

#include <QFile>

#include "design_file.h"
#include "messages.h"
#include "save_file.h"
#include "screen_registry.h"
#include "seams.h"

namespace coredesign::gui {
namespace {

void Tell(ScreenRegistry& registry, const QString& text, QWidget* parent) {
    registry.ShowMessage({text, QString::fromUtf8(kCautionTitle), BoxIcon::Information, parent});
}

void Tell(ScreenRegistry& registry, const Message& message, QWidget* parent) {
    registry.ShowMessage({QString::fromStdString(message.text), QString::fromStdString(message.title),
                          message.icon == MessageIcon::Information ? BoxIcon::Information : BoxIcon::None, parent});
}

}  // namespace

void SaveDesign(ScreenRegistry& registry, const InputScreen& screen, QWidget* parent, QString& fileName) {
    std::string text;
    if (const std::optional<Message> refused = DesignFileText(screen, text)) return Tell(registry, *refused, parent);
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.fileName = fileName.isEmpty() ? QString::fromUtf8(kDesignFileFirstName) : fileName;
    request.filter = QString::fromUtf8(kDesignFileFilter);
    request.confirmOverwrite = true;
    request.parent = parent;
    const std::optional<QString> chosen = registry.RunFileDialog(request);
    if (!chosen || chosen->isEmpty()) return;  // cancelled: nothing is written
    const QString path = WithSuffix(*chosen, QString::fromUtf8(kDesignFileSuffix));
    QString failure;
    if (!SaveWhole(path, QByteArray::fromStdString(text), failure))
        return Tell(registry, SorryMessage(failure), parent);
    fileName = path;
}

void OpenDesign(ScreenRegistry& registry, InputScreen& screen, QWidget* parent, QString& fileName) {
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Open;
    request.fileName = fileName;
    request.filter = QString::fromUtf8(kDesignFileFilter) + QStringLiteral(";;All files (*)");
    request.parent = parent;
    const std::optional<QString> chosen = registry.RunFileDialog(request);
    if (!chosen || chosen->isEmpty()) return;  // cancelled: the screen stays as it is
    if (OpenDesignFromFile(registry, screen, *chosen, parent)) fileName = *chosen;
}

bool OpenDesignFromFile(ScreenRegistry& registry, InputScreen& screen, const QString& path, QWidget* parent) {
    QFile file(path);
    QByteArray bytes;
    // One byte more than a design file may hold, so that a longer file is told apart.
    if (file.open(QIODevice::ReadOnly)) bytes = file.read(static_cast<qint64>(kMaxDesignFileBytes) + 1);
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        Tell(registry, SorryMessage(file.errorString()), parent);
        return false;
    }
    Design design;
    if (const std::optional<Message> refused =
            ReadDesignFile(std::string_view(bytes.constData(), bytes.size()), design)) {
        Tell(registry, *refused, parent);
        return false;
    }
    screen.Reload();
    ApplyDesign(design, screen);
    return true;
}

}  // namespace coredesign::gui
