// Test support for the shell: a fresh registry with the program's commands,
// the message boxes it would show, TEMP set to a folder of the test's own, a
// stand-in desktop shell, and a way to let deferred deletions and queued
// checks run without waiting.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWidget>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "app_startup.h"
#include "design_record.h"
#include "desktop_shell.h"
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

// The child widget of this name and type (null and a failure when there is none).
template <class T>
T* Child(QWidget* parent, const char* name) {
    T* child = parent->findChild<T*>(QString::fromLatin1(name));
    if (!child) ADD_FAILURE() << "no " << name << " in " << parent->objectName().toStdString();
    return child;
}

// The top-level windows of this name, shown or not.
inline std::vector<QWidget*> TopLevels(const char* objectName) {
    std::vector<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->parentWidget() && w->objectName() == QLatin1String(objectName)) found.push_back(w);
    return found;
}

inline QWidget* TopLevel(const char* objectName) {
    const std::vector<QWidget*> found = TopLevels(objectName);
    return found.empty() ? nullptr : found.front();
}

// Sets an environment variable for the life of the object (a null value unsets it).
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        Set(value);
    }
    ~ScopedEnv() { Set(had_ ? old_ : QByteArray()); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void Set(const QByteArray& value) {
        if (value.isNull())
            qunsetenv(name_);
        else
            qputenv(name_, value);
    }
    const char* name_;
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

// Answers the look-up and the open request with fixed codes and records what
// it was asked, including the size of the probe file at the look-up.
class StandInShell : public platform::DesktopShell {
public:
    long lookUpCode = platform::kFound;
    long openCode = platform::kOpened;
    bool failLookUp = false;

    int lookUps = 0, opens = 0;
    std::string lookedUp;                             // file, folder
    std::optional<std::uintmax_t> probeSizeAtLookUp;  // nothing: the probe did not exist
    platform::WindowHandle parent = 0;
    std::string request;  // operation, address, parameters, folder, show command

    long LookUpProgram(const std::string& file, const std::string& folder, std::string& program) override {
        ++lookUps;
        lookedUp = file + "|" + folder;
        const std::filesystem::path probe = std::filesystem::path(folder) / file;
        std::error_code e;
        if (std::filesystem::is_regular_file(probe, e)) probeSizeAtLookUp = std::filesystem::file_size(probe);
        if (failLookUp) throw std::system_error(EIO, std::generic_category(), "look-up");
        program = "browser";
        return lookUpCode;
    }

    long OpenAddress(platform::WindowHandle p, const std::string& op, const std::string& a, const std::string& params,
                     const std::string& folder, int show) override {
        ++opens;
        parent = p;
        request = op + "|" + a + "|" + params + "|" + folder + "|" + std::to_string(show);
        return openCode;
    }
};

struct ShownMessage {
    QString text;
    QString title;
    BoxIcon icon;
};

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp_.isValid());
        tempEnv_.emplace("TEMP", temp_.path().toLocal8Bit());
        registry_ = new ScreenRegistry(record_);
        registry_->SetOnEmpty([this] { ++ended_; });
        registry_->StandIns().shell = &shell_;
        registry_->StandIns().message = [this](const MessageBoxRequest& r) {
            messages_.push_back({r.text, r.title, r.icon});
        };
        InstallCommands(*registry_);
    }

    void TearDown() override {
        // Deleting a screen may delete others (its pop-ups): guarded pointers.
        std::vector<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (!w->parentWidget()) windows.emplace_back(w);
        for (const QPointer<QWidget>& w : windows) delete w.data();
        delete registry_;
        Settle();
        tempEnv_.reset();
    }

    DesignRecord record_;
    ScreenRegistry* registry_ = nullptr;
    int ended_ = 0;
    std::vector<ShownMessage> messages_;
    QTemporaryDir temp_;
    std::optional<ScopedEnv> tempEnv_;
    StandInShell shell_;
};

}  // namespace coredesign::gui::test
