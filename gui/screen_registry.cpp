#include "screen_registry.h"

#include <QApplication>
#include <QEvent>
#include <QPrinter>
#include <QTimer>

#include "desktop_shell.h"
#include "screen_look.h"

namespace coredesign::gui {

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

QWidget* ScreenRegistry::Get(Screen screen) {
    if (QWidget* existing = Find(screen)) return existing;
    const Factory& factory = factories_[Index(screen)];
    if (!factory) return nullptr;
    QWidget* widget = factory(*this);
    // A factory that makes a typed screen adopts it through Get<T>.
    if (Find(screen) != widget) Adopt(screen, widget);
    return widget;
}

void ScreenRegistry::Adopt(Screen screen, QWidget* widget) {
    widget->setAttribute(Qt::WA_DeleteOnClose, true);
    screens_[Index(screen)] = widget;
    flow_.Created(screen);
    widget->installEventFilter(this);
    connect(widget, &QObject::destroyed, this, [this, screen, widget] {
        // Gone, unless a new window of that screen has taken its place.
        QPointer<QWidget>& entry = screens_[Index(screen)];
        if (entry.isNull() || entry.data() == widget) {
            entry = nullptr;
            flow_.Gone(screen);
        }
        CheckEmpty();
    });
}

std::optional<Screen> ScreenRegistry::ScreenOf(const QObject* widget) const {
    for (int k = 0; k < kScreenCount; ++k)
        if (screens_[k] == widget) return static_cast<Screen>(k);
    return std::nullopt;
}

bool ScreenRegistry::eventFilter(QObject* watched, QEvent* event) {
    // A screen that is shown counts again, however it was created.
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide) {
        if (const std::optional<Screen> screen = ScreenOf(watched)) {
            if (event->type() == QEvent::Show)
                flow_.Shown(*screen);
            else
                flow_.Hidden(*screen);
        }
    }
    return QObject::eventFilter(watched, event);
}

void ScreenRegistry::SetKeepsProgramAlive(QWidget* screen, bool keeps) {
    if (const std::optional<Screen> s = ScreenOf(screen)) flow_.SetCounted(*s, keeps);
    CheckEmpty();
}

void ScreenRegistry::Carry(const FlowSteps& steps) {
    for (const FlowStep& step : steps) {
        switch (step.move) {
            case Move::Show:
                if (QWidget* w = Get(step.screen)) look::Present(w);
                break;
            case Move::Hide:
                if (QWidget* w = Find(step.screen)) w->hide();
                break;
            case Move::SetAside:
                if (QWidget* w = Find(step.screen)) {
                    w->hide();
                    SetKeepsProgramAlive(w, false);
                }
                break;
            case Move::Close:
                if (QWidget* w = Find(step.screen)) w->close();
                break;
            case Move::CreateUnseen:
                if (!Find(step.screen)) {
                    if (QWidget* w = Get(step.screen)) SetKeepsProgramAlive(w, false);
                }
                break;
            case Move::ResetCoreList:
            case Move::Refill:
                if (auto* screen = dynamic_cast<FlowScreen*>(Get(step.screen))) screen->Follow(step.move);
                break;
        }
    }
}

void ScreenRegistry::CheckEmpty() {
    if (checkQueued_) return;
    checkQueued_ = true;
    // Queued: a command that closes one screen and shows another must not end
    // the program in between.
    QTimer::singleShot(0, this, [this] {
        checkQueued_ = false;
        if (flow_.ProgramEnds() && onEmpty_) onEmpty_();
    });
}

}  // namespace coredesign::gui
