// Test support for the shell: a fresh registry with the program's commands,
// the message boxes it would show, and a way to let deferred deletions and
// queued checks run without waiting.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QWidget>
#include <string>
#include <vector>

#include "app_startup.h"
#include "record.h"
#include "screen_registry.h"
#include "seams.h"

namespace coredesign::gui::test {

// Runs what the event loop would run next: deferred deletions and the
// registry's queued check for the last screen.
inline void Settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

// The child widget of this name and type; on failure the names that exist.
template <class T>
T* Child(QWidget* parent, const char* name) {
    T* child = parent->findChild<T*>(QString::fromLatin1(name));
    if (!child) {
        QStringList names;
        for (QObject* o : parent->findChildren<QObject*>())
            if (!o->objectName().isEmpty()) names << o->objectName();
        ADD_FAILURE() << "no child '" << name << "' in " << parent->objectName().toStdString()
                      << "; there are: " << names.join(QStringLiteral(", ")).toStdString();
    }
    return child;
}

// Sets TEMP for the life of the object (a null value unsets it).
class ScopedTemp {
public:
    explicit ScopedTemp(const QByteArray& value) : had_(qEnvironmentVariableIsSet("TEMP")), old_(qgetenv("TEMP")) {
        if (value.isNull())
            qunsetenv("TEMP");
        else
            qputenv("TEMP", value);
    }
    ~ScopedTemp() {
        if (had_)
            qputenv("TEMP", old_);
        else
            qunsetenv("TEMP");
    }
    ScopedTemp(const ScopedTemp&) = delete;
    ScopedTemp& operator=(const ScopedTemp&) = delete;

private:
    bool had_;
    QByteArray old_;
};

// Clicks the enabled button of this name on a screen and lets what follows run.
inline void Press(QWidget* screen, const char* button) {
    ASSERT_NE(screen, nullptr);
    auto* b = Child<QPushButton>(screen, button);
    ASSERT_NE(b, nullptr);
    ASSERT_TRUE(b->isEnabled());
    b->click();
    Settle();
}

struct ShownMessage {
    QString text;
    QString title;
    BoxIcon icon;
};

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        registry_ = new ScreenRegistry(record_);
        registry_->SetOnEmpty([this] { ++ended_; });
        previousSeam_ = SetMessageSeam([this](const MessageBoxRequest& r) {
            messages_.push_back({r.text, r.title, r.icon});
        });
        InstallCommands(*registry_);
    }

    void TearDown() override {
        SetMessageSeam(std::move(previousSeam_));
        // Screens are windows without a parent; deleting one may delete others
        // (its pop-ups), so each is held by a guarded pointer.
        std::vector<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (!w->parentWidget()) windows.emplace_back(w);
        for (const QPointer<QWidget>& w : windows) delete w.data();
        delete registry_;
        Settle();
    }

    // The number of top-level windows that exist, shown or not.
    static int Windows(const char* objectName) {
        int count = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (!w->parentWidget() && w->objectName() == QLatin1String(objectName)) ++count;
        return count;
    }

    Module1 record_;
    ScreenRegistry* registry_ = nullptr;
    int ended_ = 0;
    std::vector<ShownMessage> messages_;
    MessageSeam previousSeam_;
};

}  // namespace coredesign::gui::test
