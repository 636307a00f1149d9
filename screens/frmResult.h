// The results screen: the inputs of the finished design and its summary
// outputs, filled from the design record whenever it is created or
// activated. Its value boxes are read by the report writer.
#pragma once

#include <QWidget>

#include "screen_texts.h"

class QLineEdit;
class QPushButton;
class QLabel;

namespace coredesign::gui {

class ScreenRegistry;

class frmResult : public QWidget {
    Q_OBJECT
public:
    explicit frmResult(ScreenRegistry& registry);

    // Fills every box from the design record (the input-echo core size only
    // in Pick Core mode, from the input screen's core size list).
    void DisplayResults();
    // Empties the eight output boxes.
    void ClearResultFields();
    // The total temperature rise box in bold red (on) or regular black (off).
    // Only the Show Results run sets this; refills keep it.
    void SetTemperatureAlarm(bool on);
    bool TemperatureAlarm() const { return alarm_; }

    // The texts of the value boxes as they stand, for the report.
    ResultsTexts Texts() const;

    // Whether the screen shows a design (the last run ended in results or the
    // fill warning): only then is "Inductance Curve" offered. An Inductance
    // Curve window that is open follows: it shows the new design, or closes
    // when there is none.
    void FollowDesign(bool design);
    bool ShowsDesign() const { return design_; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void SetTexts(const ResultsTexts& texts);
    void ResetClicked();

    ScreenRegistry& registry_;
    bool alarm_ = false;
    bool design_ = false;

    QLineEdit *txtInductance_, *txtOutPutVoltage_, *txtDCCurrent_, *txtFluxDensity_, *txtFrequency_,
        *txtMinInputVoltage_, *txtCurrentDensityFactor_, *VoutUnit_, *txtAmbientTemp_, *txtcore_;
    QLineEdit *txtOutCoreSize_, *txtStackout_, *txtNoOfTurns_, *txtWireSize_, *txtInductanceZero_, *txtInductanceFull_,
        *txtCopperLoss_, *txtCoreLoss_, *txtTotalLoss_, *txtTotalTempRise_;
    QLineEdit* cmdWebLink_ = nullptr;
    QLabel* Label2_ = nullptr;
    QPushButton *cmdIinterOutput_, *cmdReport_, *cmdExit_;
    QPushButton* cmdCurve_ = nullptr;
};

}  // namespace coredesign::gui
