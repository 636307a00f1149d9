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

#include "frmIntermediateOutput.h"
#include "frmResult.h"
#include "frmXls.h"
#include "record.h"
#include "screen_registry.h"
#include "screen_texts.h"
#include "seams.h"
#include "session.h"

namespace coredesign::gui::testing {

// The child of `parent` with this object name and type. When there is none,
// the test fails with the names that were there to be found.
template <class T = QWidget>
T& Child(const QObject& parent, const QString& name) {
    if (T* found = parent.findChild<T*>(name)) return *found;
    QStringList names;
    for (const QObject* child : parent.findChildren<QObject*>())
        if (!child->objectName().isEmpty() && !child->objectName().startsWith(QLatin1String("qt_")))
            names << child->objectName() + QLatin1Char('(') + QLatin1String(child->metaObject()->className()) +
                         QLatin1Char(')');
    names.sort();
    throw std::runtime_error("no " + std::string(T::staticMetaObject.className()) + " named '" + name.toStdString() +
                             "' in " + parent.objectName().toStdString() +
                             "; there are: " + names.join(QStringLiteral(", ")).toStdString());
}

inline std::string Str(const QString& text) {
    return text.toStdString();
}

// Delivers what is queued (focus moves, deferred deletes, the registry's
// end-of-program check); nothing is waited for.
inline void PumpEvents() {
    for (int k = 0; k < 3; ++k) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

class ScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousSeam_ = SetMessageSeam([this](const MessageBoxRequest& request) {
            messages.push_back(request);
            if (onMessage) onMessage(request);
        });
        registry = std::make_unique<ScreenRegistry>(record);
        registry->SetOnEmpty([this] { ++programEnds; });
    }

    void TearDown() override {
        // Every screen of this test goes, without its close handlers.
        delete registry->Find<frmIntermediateOutput>();
        delete registry->Find<frmResult>();
        delete registry->Find<frmXls>();
        PumpEvents();
        registry.reset();
        SetMessageSeam(std::move(previousSeam_));
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
    QLineEdit& Field(const char* name) { return Child<QLineEdit>(Input(), QString::fromUtf8(name)); }
    QComboBox& CoreList() { return Child<QComboBox>(Input(), QStringLiteral("txtCoreSize")); }
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
    void ShowResults() { Click(Input(), "cmdProcess"); }

    Module1 record;
    std::unique_ptr<ScreenRegistry> registry;
    std::vector<MessageBoxRequest> messages;
    std::function<void(const MessageBoxRequest&)> onMessage;
    int programEnds = 0;

private:
    MessageSeam previousSeam_;
};

// Compares two sets of results-screen texts box by box, naming the box that differs.
inline void ExpectSameResults(const ResultsTexts& shown, const ResultsTexts& expected) {
#define COREDESIGN_BOX(box) EXPECT_EQ(shown.box, expected.box) << #box
    COREDESIGN_BOX(txtInductance);
    COREDESIGN_BOX(txtOutPutVoltage);
    COREDESIGN_BOX(txtDCCurrent);
    COREDESIGN_BOX(txtFluxDensity);
    COREDESIGN_BOX(txtFrequency);
    COREDESIGN_BOX(txtMinInputVoltage);
    COREDESIGN_BOX(txtCurrentDensityFactor);
    COREDESIGN_BOX(VoutUnit);
    COREDESIGN_BOX(txtAmbientTemp);
    COREDESIGN_BOX(txtcore);
    COREDESIGN_BOX(txtOutCoreSize);
    COREDESIGN_BOX(txtStackout);
    COREDESIGN_BOX(txtNoOfTurns);
    COREDESIGN_BOX(txtWireSize);
    COREDESIGN_BOX(txtInductanceZero);
    COREDESIGN_BOX(txtInductanceFull);
    COREDESIGN_BOX(txtCopperLoss);
    COREDESIGN_BOX(txtCoreLoss);
    COREDESIGN_BOX(txtTotalLoss);
    COREDESIGN_BOX(txtTotalTempRise);
    COREDESIGN_BOX(txtTotalTempRiseAlarm);
#undef COREDESIGN_BOX
}

inline void ExpectSameIntermediate(const IntermediateTexts& shown, const IntermediateTexts& expected) {
    for (int k = 1; k <= 38; ++k) {
        EXPECT_EQ(shown.Label[k], expected.Label[k]) << "Label" << k;
        EXPECT_EQ(shown.Labelo[k], expected.Labelo[k]) << "Labelo" << k;
    }
    EXPECT_EQ(shown.txtWarning, expected.txtWarning);
    EXPECT_EQ(shown.FillFactorRed, expected.FillFactorRed);
}

inline QColor TextColour(const QWidget& widget) {
    return widget.palette().color(QPalette::WindowText);
}

}  // namespace coredesign::gui::testing
