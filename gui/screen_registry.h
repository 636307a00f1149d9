// The program's screens: each exists at most once, is created the first time
// it is shown or touched, and is destroyed when it is closed. The program
// ends when no screen exists any more. The registry also holds what every
// screen shares: the design record, the commands that cross from one part of
// the program to another, and the seams to message boxes, dialogs and the
// desktop shell.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <typeindex>

#include "seams.h"

namespace coredesign {
struct DesignRecord;
}

namespace coredesign::gui {

class ScreenRegistry : public QObject {
    Q_OBJECT
public:
    explicit ScreenRegistry(DesignRecord& record, QObject* parent = nullptr);
    ~ScreenRegistry() override;

    DesignRecord& Record() { return record_; }

    // The report View Report generated last, as written to temp.htm: what the
    // viewer's Save writes (the shared file may have been rewritten since).
    const QByteArray& GeneratedReport() const { return generatedReport_; }
    void SetGeneratedReport(QByteArray report) { generatedReport_ = std::move(report); }

    // Commands that cross from one part of the program to another. The
    // program's start-up fills them in; a command left empty does nothing.
    struct Commands {
        std::function<void()> ShowStart;       // the start screen (input screen's Cancel)
        std::function<void()> ShowDirections;  // the input screen's Help
        std::function<void()> ViewReport;      // the results screen's View Report
        std::function<void()> LaunchWebSite;   // the results screen's web link
        std::function<void()> BackToResults;   // the report viewer's Back
        std::function<void()> ResetDesign;     // the report viewer's Reset Design
    };
    Commands& Command() { return commands_; }

    // The stand-ins for this registry's dialogs and desktop shell.
    Seams& StandIns() { return seams_; }

    // What the screens use: the stand-in when one is set, else the real one.
    void ShowMessage(const MessageBoxRequest& request) const;
    std::optional<QString> RunFileDialog(const FileDialogRequest& request) const;
    std::unique_ptr<QPrinter> ChoosePrinter(QWidget* parent) const;
    platform::DesktopShell& Shell() const;

    // The screen if it exists.
    template <class T>
    T* Find() const {
        auto it = screens_.find(std::type_index(typeid(T)));
        return it == screens_.end() ? nullptr : static_cast<T*>(it->second.data());
    }

    // The screen, created now if it does not exist (constructor T(ScreenRegistry&)).
    template <class T>
    T& Get() {
        if (T* existing = Find<T>()) return *existing;
        T* screen = new T(*this);
        Adopt(std::type_index(typeid(T)), screen);
        return *screen;
    }

    // A screen that exists only to parent something invisible does not keep
    // the program alive; showing it later makes it count again.
    void SetKeepsProgramAlive(QWidget* screen, bool keeps);

    // The number of screens that keep the program alive.
    int LiveScreens() const;

    // Called (queued) when the last screen that keeps the program alive is
    // gone. The default quits the application.
    void SetOnEmpty(std::function<void()> handler) { onEmpty_ = std::move(handler); }

private:
    void Adopt(std::type_index key, QWidget* screen);
    void CheckEmpty();
    bool eventFilter(QObject* watched, QEvent* event) override;

    DesignRecord& record_;
    QByteArray generatedReport_;
    Commands commands_;
    Seams seams_;
    std::map<std::type_index, QPointer<QWidget>> screens_;
    std::function<void()> onEmpty_;
    bool checkQueued_ = false;
};

// Screen coordinates are given in twips: 1440 to the inch, 15 to a logical
// pixel at 96 dpi.
constexpr int Twips(int twips) {
    return (twips + 7) / 15;
}

}  // namespace coredesign::gui
