// What every test of the screens starts from: a fresh design record and
// screen registry, TEMP set to a folder of the test's own, and stand-ins on
// the registry for the message box (collecting the boxes), the file dialog
// (answering from a queue) and the desktop shell; and driving the input
// screen as the engine's tests describe it.
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <deque>

#include "desktop_shell.h"
#include "engine_checks.h"
#include "frmIntermediateOutput.h"
#include "frmResult.h"
#include "frmXls.h"
#include "screen_look.h"
#include "screen_registry.h"
#include "screen_set.h"
#include "seams.h"
#include "temp_folder.h"
#include "widgets.h"

namespace coredesign::gui::testing {

using coredesign::testing::ExpectSameBoxes;

// Answers the look-up and the open request with fixed codes and records what
// it was asked, including the size and permissions of the probe file at the
// look-up.
class StandInShell : public platform::DesktopShell {
public:
    long lookUpCode = platform::kFound;
    long openCode = platform::kOpened;
    bool failLookUp = false;

    int lookUps = 0, opens = 0;
    std::string lookedUp;                             // file, folder
    std::optional<std::uintmax_t> probeSizeAtLookUp;  // nothing: the probe did not exist
    std::filesystem::perms probePermsAtLookUp = std::filesystem::perms::unknown;
    platform::WindowHandle parent = 0;
    std::string request;  // operation, address, parameters, folder, show command

    long LookUpProgram(const std::string& file, const std::string& folder, std::string& program) override {
        ++lookUps;
        lookedUp = file + "|" + folder;
        const std::filesystem::path probe = std::filesystem::path(folder) / file;
        std::error_code e;
        if (std::filesystem::is_regular_file(probe, e)) {
            probeSizeAtLookUp = std::filesystem::file_size(probe);
            probePermsAtLookUp = std::filesystem::status(probe).permissions();
        }
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

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.Valid());
        tempEnv.emplace("TEMP", temp.Path());
        registry = std::make_unique<ScreenRegistry>(record);
        InstallScreens(*registry);
        registry->SetOnEmpty([this] { ++programEnds; });
        // The message box: collected here, and told to the test while it would be up.
        registry->StandIns().message = [this](const MessageBoxRequest& request) {
            messages.push_back(request);
            if (onMessage) onMessage(request);
        };
        registry->StandIns().shell = &shell;
        // The file dialog: each request noted, answered in turn from `answers`.
        registry->StandIns().fileDialog = [this](const FileDialogRequest& r) -> std::optional<QString> {
            dialogs.push_back(r);
            if (answers.empty()) {
                ADD_FAILURE() << "a file dialog nobody expected";
                return std::nullopt;
            }
            const std::optional<QString> answer = answers.front();
            answers.pop_front();
            return answer;
        };
    }

    void TearDown() override {
        DeleteTopLevels();  // every screen of this test goes
        PumpEvents();
        registry.reset();
        tempEnv.reset();
    }

    // Starts again from nothing: no screens, no messages, a fresh record.
    void Fresh() {
        DeleteTopLevels();
        PumpEvents();
        messages.clear();
        record = DesignRecord();
    }

    // The input screen; shown when this call creates it.
    frmXls& Input() {
        const bool existed = registry->Find<frmXls>() != nullptr;
        frmXls& input = registry->Get<frmXls>();
        if (!existed) {
            input.show();
            PumpEvents();
        }
        return input;
    }
    frmResult* Results() { return registry->Find<frmResult>(); }
    frmIntermediateOutput* Intermediate() { return registry->Find<frmIntermediateOutput>(); }
    QLineEdit& Field(const char* name) { return Child<QLineEdit>(Input(), QString::fromUtf8(name)); }
    QComboBox& CoreList() { return Child<QComboBox>(Input(), QStringLiteral("txtCoreSize")); }
    std::string FocusName() { return Input().focusWidget() ? Str(Input().focusWidget()->objectName()) : "(none)"; }
    void SetField(const char* name, const QString& text) { Field(name).setText(text); }
    // Chooses the list entry whose part number is `partNo`.
    void PickEntry(const std::string& partNo) {
        QComboBox& list = CoreList();
        for (int k = 1; k < list.count(); ++k)
            if (PartNumberOfEntry(Str(list.itemText(k))) == partNo) return list.setCurrentIndex(k);
        ADD_FAILURE() << "no list entry for " << partNo;
    }
    // Pick Core mode with this core chosen.
    void PickCore(const std::string& partNo) {
        Click(Input(), "chkPickCore");
        PickEntry(partNo);
    }
    // Does on the input screen's widgets what testing::Screen(inputs) does on a
    // screen without windows: the same description, the same design.
    void Enter(const std::string& inputs) {
        std::istringstream words(inputs);
        for (std::string word; words >> word;) {
            const std::size_t eq = word.find('=');
            const std::string name = word.substr(0, eq), text = eq == std::string::npos ? "" : word.substr(eq + 1);
            if (word == "nogap") {
                Click(Input(), "chkNoGap");
            } else if (word == "calc") {
                Click(Input(), "chkCalcCore");
            } else if (name == "pick") {
                Click(Input(), "chkPickCore");
                if (!text.empty()) PickEntry(text);
            } else if (name == "cmbinductance" || name == "cmbfrequency") {
                Child<QComboBox>(Input(), QString::fromStdString(name)).setCurrentText(QString::fromStdString(text));
            } else {
                SetField(name.c_str(), QString::fromStdString(text));
            }
        }
    }
    void ShowResults() { Click(Input(), "cmdProcess"); }
    void OpenCalculations() { Click(*Results(), "cmdIinterOutput"); }
    // A button that closes its screen, and what follows the close.
    void ClickAndSettle(QWidget* screen, const char* button) {
        ASSERT_NE(screen, nullptr) << button;
        Click(*screen, button);
        PumpEvents();
    }
    // The boxes shown so far are the engine's messages of this run, in order.
    void ExpectMessagesOf(const RunResult& run) {
        ASSERT_EQ(messages.size(), run.messages.size());
        for (std::size_t k = 0; k < messages.size(); ++k) {
            EXPECT_EQ(Str(messages[k].text), run.messages[k].text);
            EXPECT_EQ(Str(messages[k].title), run.messages[k].title);
            EXPECT_EQ(messages[k].icon == BoxIcon::None, run.messages[k].icon == MessageIcon::None);
        }
    }

    QString TempFile(const char* name) const { return QString::fromStdString(temp.File(name)); }

    DesignRecord record;
    std::unique_ptr<ScreenRegistry> registry;
    std::vector<MessageBoxRequest> messages;     // the boxes shown, in order
    std::vector<FileDialogRequest> dialogs;      // the file dialogs asked for, in order
    std::deque<std::optional<QString>> answers;  // what the file dialogs return, in turn
    std::function<void(const MessageBoxRequest&)> onMessage;
    StandInShell shell;
    int programEnds = 0;
    coredesign::testing::TempFolder temp;
    std::optional<coredesign::testing::ScopedEnv> tempEnv;
};

// The core list as its size, the part number and layout of its first core
// (A: diameters first, B: height first), and whether it can be used.
inline std::string ListState(const QComboBox& list) {
    const std::string first = list.count() > 1 ? Str(list.itemText(1)) : "";
    const char* layout = first.find(" HT= ") != std::string::npos ? " B" : first.empty() ? "" : " A";
    const bool black = TextColour(list, QPalette::ButtonText) == QColor(Qt::black);
    return std::to_string(list.count()) + " " + PartNumberOfEntry(first) + layout +
           (list.isEnabled() ? " enabled" : " disabled") + (black ? "" : " grey");
}

inline void ExpectSameIntermediate(const IntermediateTexts& shown, const IntermediateTexts& expected) {
    EXPECT_EQ(shown.Label, expected.Label);
    EXPECT_EQ(shown.Labelo, expected.Labelo);
    EXPECT_EQ(shown.txtWarning, expected.txtWarning);
    EXPECT_EQ(shown.FillFactorRed, expected.FillFactorRed);
}

}  // namespace coredesign::gui::testing
