#include "screen_registry.h"

#include <QApplication>
#include <QEvent>
#include <QPrinter>
#include <QTimer>

#include "desktop_shell.h"

namespace coredesign::gui {

namespace {
constexpr const char* kKeepsAlive = "coredesignKeepsAlive";
}

ScreenRegistry::ScreenRegistry(DesignRecord& record, QObject* parent)
    : QObject(parent), record_(record), onEmpty_([] { QCoreApplication::quit(); }) {}

ScreenRegistry::~ScreenRegistry() = default;

void ScreenRegistry::ShowMessage(const MessageBoxRequest& request) const {
    if (seams_.message)
        seams_.message(request);
    else
        ShowMessageBox(request);
}

std::optional<QString> ScreenRegistry::RunFileDialog(const FileDialogRequest& request) const {
    return seams_.fileDialog ? seams_.fileDialog(request) : AskForFile(request);
}

std::unique_ptr<QPrinter> ScreenRegistry::ChoosePrinter(QWidget* parent) const {
    return seams_.print ? seams_.print(parent) : AskForPrinter(parent);
}

platform::DesktopShell& ScreenRegistry::Shell() const {
    return seams_.shell ? *seams_.shell : platform::SystemShell();
}

void ScreenRegistry::Adopt(std::type_index key, QWidget* screen) {
    screen->setAttribute(Qt::WA_DeleteOnClose, true);
    screen->setProperty(kKeepsAlive, true);
    screens_[key] = screen;
    screen->installEventFilter(this);
    connect(screen, &QObject::destroyed, this, [this, key] {
        auto it = screens_.find(key);
        if (it != screens_.end() && it->second.isNull()) screens_.erase(it);
        CheckEmpty();
    });
}

bool ScreenRegistry::eventFilter(QObject* watched, QEvent* event) {
    // A screen that is shown counts again, however it was created.
    if (event->type() == QEvent::Show) watched->setProperty(kKeepsAlive, true);
    return QObject::eventFilter(watched, event);
}

void ScreenRegistry::SetKeepsProgramAlive(QWidget* screen, bool keeps) {
    screen->setProperty(kKeepsAlive, keeps);
    CheckEmpty();
}

int ScreenRegistry::LiveScreens() const {
    int count = 0;
    for (const auto& entry : screens_) {
        const QWidget* w = entry.second.data();
        if (w && w->property(kKeepsAlive).toBool()) ++count;
    }
    return count;
}

void ScreenRegistry::CheckEmpty() {
    if (checkQueued_) return;
    checkQueued_ = true;
    // Queued: a command that closes one screen and shows another must not end
    // the program in between.
    QTimer::singleShot(0, this, [this] {
        checkQueued_ = false;
        if (LiveScreens() == 0 && onEmpty_) onEmpty_();
    });
}

}  // namespace coredesign::gui
