// What the report viewer tests share: a design calculated on the real
// screens, a temporary folder as TEMP, and stand-ins for the message box,
// the file dialog and the printer.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "catalogue.h"
#include "frmHtmlReport.h"
#include "frmResult.h"
#include "frmXls.h"
#include "record.h"
#include "screen_registry.h"
#include "seams.h"
#include "view_report.h"

namespace coredesign::gui::viewertest {

// The child of `parent` with this object name and type; when there is none,
// the names that were there to be found.
template <class T = QWidget>
T& Child(const QObject& parent, const char* name) {
    if (T* found = parent.findChild<T*>(QString::fromLatin1(name))) return *found;
    QStringList names;
    for (const QObject* child : parent.findChildren<QObject*>())
        if (!child->objectName().isEmpty() && !child->objectName().startsWith(QLatin1String("qt_")))
            names << child->objectName();
    throw std::runtime_error("no child '" + std::string(name) + "' in " + parent.objectName().toStdString() +
                             "; there are: " + names.join(QStringLiteral(", ")).toStdString());
}

// Deletes every window of the test (deleting one may take others with it).
inline void DeleteAllWindows() {
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (!window->parentWidget()) windows << QPointer<QWidget>(window);
    for (const QPointer<QWidget>& window : windows) delete window.data();
}

inline void PumpEvents() {
    for (int k = 0; k < 3; ++k) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// How long a page may take to load, the web engine's start included.
constexpr int kLoadTimeoutMs = 30000;

struct Design {
    bool gapped = true;
    const char* pick = nullptr;  // nullptr: Calculate Core
    const char* stack = "1";
};

class ViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "coredesign-viewer-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        const char* oldTemp = std::getenv("TEMP");
        previousTemp_ = oldTemp ? std::optional<std::string>(oldTemp) : std::nullopt;
        ::setenv("TEMP", dir.c_str(), 1);

        previousMessages_ = SetMessageSeam([this](const MessageBoxRequest& r) { messages.push_back(r); });
        previousDialogs_ = SetFileDialogSeam([this](const FileDialogRequest& r) -> std::optional<QString> {
            dialogs.push_back(r);
            if (answers.empty()) {
                ADD_FAILURE() << "a file dialog nobody expected";
                return std::nullopt;
            }
            const bool cancelled = !answers.front().has_value();
            const QString chosen = cancelled ? QString() : *answers.front();
            answers.pop_front();
            if (cancelled) return std::nullopt;
            return chosen;
        });
        previousPrint_ = SetPrintSeam([this](QWebEngineView& view) {
            ++prints;
            printedUrl = view.url();
        });
        registry = std::make_unique<ScreenRegistry>(record);
        registry->SetOnEmpty([this] { ++programEnds; });
        InstallViewReport(*registry);
    }

    void TearDown() override {
        if (std::getenv("VIEWER_TEST_LIST_WINDOWS"))
            for (QWidget* window : QApplication::topLevelWidgets())
                std::fprintf(stderr, "top-level %s %s\n", window->metaObject()->className(),
                             qPrintable(window->objectName()));
        DeleteAllWindows();
        PumpEvents();
        registry.reset();
        SetPrintSeam(std::move(previousPrint_));
        SetFileDialogSeam(std::move(previousDialogs_));
        SetMessageSeam(std::move(previousMessages_));
        if (previousTemp_)
            ::setenv("TEMP", previousTemp_->c_str(), 1);
        else
            ::unsetenv("TEMP");
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    // The input screen, shown; the design typed and Show Results pressed.
    frmResult& Calculate(const Design& d) {
        frmXls& input = registry->Get<frmXls>();
        input.show();
        if (!d.gapped) QTest::mouseClick(&Child<QCheckBox>(input, "chkNoGap"), Qt::LeftButton);
        if (d.pick) {
            QTest::mouseClick(&Child<QCheckBox>(input, "chkPickCore"), Qt::LeftButton);
            auto& list = Child<QComboBox>(input, "txtCoreSize");
            for (int k = 1; k < list.count(); ++k)
                if (PartNumberOfEntry(list.itemText(k).toStdString()) == d.pick) list.setCurrentIndex(k);
        }
        Child<QLineEdit>(input, "txtStack").setText(QString::fromLatin1(d.stack));
        QTest::mouseClick(&Child<QPushButton>(input, "cmdProcess"), Qt::LeftButton);
        PumpEvents();
        frmResult* results = registry->Find<frmResult>();
        if (!results || !results->isVisible()) throw std::runtime_error("the design did not reach the results screen");
        return *results;
    }

    // Presses View Report; the viewer, if one was opened.
    frmHtmlReport* ClickViewReport(frmResult& results) {
        QTest::mouseClick(&Child<QPushButton>(results, "cmdReport"), Qt::LeftButton);
        return registry->Find<frmHtmlReport>();
    }

    static QWebEngineView& Browser(frmHtmlReport& viewer) { return Child<QWebEngineView>(viewer, "wb"); }

    // Runs `action` and waits until the browser has finished the load it started.
    template <class Action>
    static bool LoadBy(frmHtmlReport& viewer, Action action) {
        QSignalSpy loaded(&Browser(viewer), &QWebEngineView::loadFinished);
        action();
        if (loaded.isEmpty() && !loaded.wait(kLoadTimeoutMs)) return false;
        return loaded.constFirst().constFirst().toBool();
    }

    void Click(QWidget& screen, const char* button) {
        QTest::mouseClick(&Child<QPushButton>(screen, button), Qt::LeftButton);
    }

    std::string TempReport() const { return dir + "/temp.htm"; }

    std::string dir;
    Module1 record;
    std::unique_ptr<ScreenRegistry> registry;
    std::vector<MessageBoxRequest> messages;
    std::vector<FileDialogRequest> dialogs;
    std::deque<std::optional<QString>> answers;  // what the file dialogs return, in turn
    int prints = 0;
    QUrl printedUrl;
    int programEnds = 0;

private:
    std::optional<std::string> previousTemp_;
    MessageSeam previousMessages_;
    FileDialogSeam previousDialogs_;
    PrintSeam previousPrint_;
};

}  // namespace coredesign::gui::viewertest
