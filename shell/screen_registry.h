// The program's screens: each exists at most once, is created the first time
// it is shown or touched, and is destroyed when it is closed. The program
// ends when no screen exists any more.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <typeindex>

namespace coredesign {
struct Module1;
}

namespace coredesign::gui {

class ScreenRegistry : public QObject {
    Q_OBJECT
public:
    explicit ScreenRegistry(Module1& record, QObject* parent = nullptr);

    Module1& Record() { return record_; }

    // Commands that cross from one subsystem to another. The program's start-up
    // fills them in; a command left empty does nothing.
    struct Commands {
        std::function<void()> ShowStart;       // the start screen (input screen's Cancel)
        std::function<void()> ShowDirections;  // the input screen's Help
        std::function<void()> ViewReport;      // the results screen's View Report
        std::function<void()> LaunchWebSite;   // the results screen's web link
    };
    Commands& Command() { return commands_; }

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

    Module1& record_;
    Commands commands_;
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
