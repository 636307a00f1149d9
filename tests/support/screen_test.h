// What every test of the screens starts from: a fresh design record and
// screen registry, TEMP set to a folder of the test's own, and stand-ins on
// the registry for the message box (a collector) and the desktop shell.
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "catalogue.h"
#include "design_record.h"
#include "desktop_shell.h"
#include "frmIntermediateOutput.h"
#include "frmResult.h"
#include "frmXls.h"
#include "screen_registry.h"
#include "seams.h"
#include "temp_folder.h"
#include "widgets.h"

namespace coredesign::gui::testing {

// The message boxes a registry's screens would have shown, in order.
class MessageCollector {
public:
    // Becomes the registry's message box.
    void AttachTo(ScreenRegistry& registry) {
        registry.StandIns().message = [this](const MessageBoxRequest& request) {
            shown_.push_back(request);
            if (onMessage) onMessage(request);
        };
    }

    std::size_t size() const { return shown_.size(); }
    bool empty() const { return shown_.empty(); }
    const MessageBoxRequest& operator[](std::size_t k) const { return shown_.at(k); }
    void clear() { shown_.clear(); }

    std::function<void(const MessageBoxRequest&)> onMessage;  // called while the box would be up

private:
    std::vector<MessageBoxRequest> shown_;
};

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

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.Valid());
        tempEnv.emplace("TEMP", temp.Path());
        registry = std::make_unique<ScreenRegistry>(record);
        registry->SetOnEmpty([this] { ++programEnds; });
        messages.AttachTo(*registry);
        registry->StandIns().shell = &shell;
    }

    void TearDown() override {
        // Every screen of this test goes.
        DeleteTopLevels();
        PumpEvents();
        registry.reset();
        tempEnv.reset();
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
            if (PartNumberOfEntry(Str(list.itemText(k))) == partNo) {
                list.setCurrentIndex(k);
                return;
            }
        throw std::runtime_error("no list entry for " + partNo);
    }
    // Pick Core mode with this core chosen.
    void PickCore(const std::string& partNo) {
        Click(Input(), "chkPickCore");
        PickEntry(partNo);
    }
    void ShowResults() { Click(Input(), "cmdProcess"); }
    void OpenCalculations() { Click(*Results(), "cmdIinterOutput"); }
    // A button that closes its screen, and what follows the close.
    void ClickAndSettle(QWidget* screen, const char* button) {
        ASSERT_NE(screen, nullptr) << button;
        Click(*screen, button);
        PumpEvents();
    }

    // A file in the test's temporary folder.
    QString TempFile(const char* name) const { return QString::fromStdString(temp.File(name)); }

    DesignRecord record;
    std::unique_ptr<ScreenRegistry> registry;
    MessageCollector messages;
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

// The results screen's boxes, one a line in their order on the screen: a
// difference shows as a line diff.
inline std::string Boxes(const ResultsTexts& t) {
    return t.txtInductance + '\n' + t.txtOutPutVoltage + '\n' + t.txtDCCurrent + '\n' + t.txtFluxDensity + '\n' +
           t.txtFrequency + '\n' + t.txtMinInputVoltage + '\n' + t.txtCurrentDensityFactor + '\n' + t.VoutUnit + '\n' +
           t.txtAmbientTemp + '\n' + t.txtcore + '\n' + t.txtOutCoreSize + '\n' + t.txtStackout + '\n' +
           t.txtNoOfTurns + '\n' + t.txtWireSize + '\n' + t.txtInductanceZero + '\n' + t.txtInductanceFull + '\n' +
           t.txtCopperLoss + '\n' + t.txtCoreLoss + '\n' + t.txtTotalLoss + '\n' + t.txtTotalTempRise +
           (t.txtTotalTempRiseAlarm ? "\nalarm" : "\nno alarm");
}

inline void ExpectSameIntermediate(const IntermediateTexts& shown, const IntermediateTexts& expected) {
    EXPECT_EQ(shown.Label, expected.Label);
    EXPECT_EQ(shown.Labelo, expected.Labelo);
    EXPECT_EQ(shown.txtWarning, expected.txtWarning);
    EXPECT_EQ(shown.FillFactorRed, expected.FillFactorRed);
}

}  // namespace coredesign::gui::testing
