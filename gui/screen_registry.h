// The program's screens: each exists at most once, is created the first time
// it is shown or touched, and is destroyed when it is closed. The program
// ends when no screen that counts exists any more. The registry keeps the
// windows; the engine's screen flow, which the registry holds, says which
// screens a command shows, hides or closes, and the registry carries that
// out (Carry) and tells the flow what became of each window. The registry
// also holds what every screen shares: the design record, the commands that
// cross from one part of the program to another, and the seams to message
// boxes, dialogs and the desktop shell.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "screen_flow.h"
#include "seams.h"

namespace coredesign {
struct DesignRecord;
}

namespace coredesign::gui {

// A screen that does more than show and close when the flow asks it: the
// input screen resets its core size list, the others show their figures
// anew (Move::ResetCoreList, Move::Refill).
class FlowScreen {
public:
    virtual ~FlowScreen() = default;
    virtual void Follow(Move move) = 0;
};

class ScreenRegistry : public QObject {
    Q_OBJECT
public:
    explicit ScreenRegistry(DesignRecord& record, QObject* parent = nullptr);
    ~ScreenRegistry() override;

    DesignRecord& Record() { return record_; }
    ScreenFlow& Flow() { return flow_; }

    // The report View Report generated last, as written to temp.htm: what the
    // viewer's Save writes (the shared file may have been rewritten since).
    const QByteArray& GeneratedReport() const { return generatedReport_; }
    void SetGeneratedReport(QByteArray report) { generatedReport_ = std::move(report); }

    // Commands that reach beyond the screens. The program's start-up fills
    // them in; a command left empty does nothing.
    struct Commands {
        std::function<void()> ViewReport;     // the results screen's View Report
        std::function<void()> LaunchWebSite;  // the results screen's web link
        std::function<void()> Accepted;       // the start screen's I Accept, once the input screen is shown
    };
    Commands& Command() { return commands_; }

    // The stand-ins for this registry's dialogs and desktop shell.
    Seams& StandIns() { return seams_; }

    // What the screens use: the stand-in when one is set, else the real one.
    void ShowMessage(const MessageBoxRequest& request) const;
    std::optional<QString> RunFileDialog(const FileDialogRequest& request) const;
    std::unique_ptr<QPrinter> ChoosePrinter(QWidget* parent) const;
    platform::DesktopShell& Shell() const;

    // How a screen is made when the flow shows one that does not exist.
    using Factory = std::function<QWidget*(ScreenRegistry&)>;
    void SetFactory(Screen screen, Factory factory) { factories_[Index(screen)] = std::move(factory); }

    // The screen if it exists.
    QWidget* Find(Screen screen) const { return screens_[Index(screen)].data(); }
    // The screen, created now if it does not exist (null without a factory).
    QWidget* Get(Screen screen);

    // The same by type: T::kScreen names the screen (constructor T(ScreenRegistry&)).
    template <class T>
    T* Find() const {
        return static_cast<T*>(Find(T::kScreen));
    }
    template <class T>
    T& Get() {
        if (T* existing = Find<T>()) return *existing;
        T* screen = new T(*this);
        Adopt(T::kScreen, screen);
        return *screen;
    }

    // Carries out the flow's moves, in their order.
    void Carry(const FlowSteps& steps);

    // A screen that exists only to parent something invisible does not keep
    // the program alive; showing it later makes it count again.
    void SetKeepsProgramAlive(QWidget* screen, bool keeps);

    // The number of screens that keep the program alive.
    int LiveScreens() const { return flow_.LiveScreens(); }

    // Called (queued) when the last screen that keeps the program alive is
    // gone. The default quits the application.
    void SetOnEmpty(std::function<void()> handler) { onEmpty_ = std::move(handler); }

private:
    static int Index(Screen screen) { return static_cast<int>(screen); }
    void Adopt(Screen screen, QWidget* widget);
    std::optional<Screen> ScreenOf(const QObject* widget) const;
    void CheckEmpty();
    bool eventFilter(QObject* watched, QEvent* event) override;

    DesignRecord& record_;
    ScreenFlow flow_;
    QByteArray generatedReport_;
    Commands commands_;
    Seams seams_;
    std::array<QPointer<QWidget>, kScreenCount> screens_;
    std::array<Factory, kScreenCount> factories_;
    std::function<void()> onEmpty_;
    bool checkQueued_ = false;
};

// Screen coordinates are given in twips: 1440 to the inch, 15 to a logical
// pixel at 96 dpi.
constexpr int Twips(int twips) {
    return (twips + 7) / 15;
}

}  // namespace coredesign::gui
