// What the screens' tests share: a fresh design record and screen registry
// per test, the message seam replaced by a collector, and finding controls
// by object name.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "design_record.h"
#include "frmIntermediateOutput.h"
#include "frmResult.h"
#include "frmXls.h"
#include "input_screen.h"
#include "screen_look.h"
#include "screen_registry.h"
#include "screen_texts.h"
#include "seams.h"

namespace coredesign::gui::testing {

// The child of `parent` with this object name and type. When there is none,
// the test fails with the names that were there to be found.
template <class T = QWidget>
T& Child(const QObject& parent, const QString& name) {
    if (T* found = parent.findChild<T*>(name)) return *found;
    QStringList names;
    for (const QObject* child : parent.findChildren<QObject*>())
        if (!child->objectName().isEmpty() && !child->objectName().startsWith(QLatin1String("qt_")))
            names << child->objectName();
    names.sort();
    throw std::runtime_error("no " + std::string(T::staticMetaObject.className()) + " named '" + name.toStdString() +
                             "'; there are: " + names.join(QStringLiteral(", ")).toStdString());
}

inline std::string Str(const QString& text) {
    return text.toStdString();
}

inline QColor TextColour(const QWidget& widget, QPalette::ColorRole role = QPalette::WindowText) {
    return widget.palette().color(role);
}

// Delivers what is queued (focus moves, deferred deletes, the registry's
// end-of-program check); nothing is waited for.
inline void PumpEvents() {
    for (int k = 0; k < 3; ++k) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

inline bool Shown(const QWidget* screen) {
    return screen && screen->isVisible();
}

inline void Activate(QWidget& window) {
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &activate);
}

// The core list as its size, the part number and layout of its first core
// (A: diameters first, B: height first), and whether it can be used.
inline std::string ListState(const QComboBox& list) {
    const std::string first = list.count() > 1 ? Str(list.itemText(1)) : "";
    const char* layout = first.find(" HT= ") != std::string::npos ? " B" : first.empty() ? "" : " A";
    const bool black = TextColour(list, QPalette::ButtonText) == QColor(Qt::black);
    return std::to_string(list.count()) + " " + PartNumberOfEntry(first) + layout +
           (list.isEnabled() ? " enabled" : " disabled") + (black ? "" : " grey");
}

class ScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        registry = std::make_unique<ScreenRegistry>(record);
        registry->StandIns().message = [this](const MessageBoxRequest& request) {
            messages.push_back(request);
            if (onMessage) onMessage(request);
        };
        registry->SetOnEmpty([this] { ++programEnds; });
    }

    void TearDown() override {
        // Every screen of this test goes, without its close handlers.
        delete registry->Find<frmIntermediateOutput>();
        delete registry->Find<frmResult>();
        delete registry->Find<frmXls>();
        PumpEvents();
        registry.reset();
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
    void Click(QWidget& screen, const char* button) {
        QTest::mouseClick(&Child<QAbstractButton>(screen, QString::fromUtf8(button)), Qt::LeftButton);
    }
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

    DesignRecord record;
    std::unique_ptr<ScreenRegistry> registry;
    std::vector<MessageBoxRequest> messages;
    std::function<void(const MessageBoxRequest&)> onMessage;
    int programEnds = 0;
};

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
