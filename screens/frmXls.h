// The design input screen: the designer's inputs, the core family, the
// calculator type, the Pick Core list, and the Show Results command. What
// each click does is the engine's InputScreen; this screen shows its state.
#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <string>

#include "input_screen.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace coredesign::gui {

class ScreenRegistry;

class frmXls : public QWidget, private InputScreenView {
    Q_OBJECT
public:
    explicit frmXls(ScreenRegistry& registry);
    ~frmXls() override;

    // The logic behind the screen; every click goes there, and the widgets
    // show its state.
    InputScreen& Logic() { return *screen_; }

    // A message box of a run, then the focus on its control, as Show Results
    // tells them.
    void ShowRunMessage(const Message& message) { Tell(message); }

    // The core size list's current text.
    QString CoreListText() const;

    // The return to the inputs from the results: in Calculate Core mode the
    // core size list is emptied and disabled, in Pick Core mode its first
    // (empty) entry is chosen.
    void ResetCoreSizeList();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void Load();
    // Shows the logic's state in the widgets.
    void Mirror();
    void FocusControl(const std::string& name);
    void CancelClicked();
    void HelpClicked();

    // InputScreenView: what the logic asks of this screen and the others.
    void Refresh() override { Mirror(); }
    void Busy(bool busy) override;
    void Tell(const Message& message) override;
    void TouchResults(const DesignRecord& rec, const std::string& coreListText) override;
    void MarkTemperature() override;
    void ClearResultOutputs() override;
    void ShowResultsScreen(const DesignRecord& rec, const std::string& coreListText) override;
    void ShowFillWarning(bool intermediate) override;

    ScreenRegistry& registry_;
    std::unique_ptr<InputScreen> screen_;
    bool mirroring_ = false;  // the widgets are being set from the logic's state

    QLineEdit* txtInductance_ = nullptr;
    QComboBox* cmbinductance_ = nullptr;
    QLineEdit* txtOutPutVoltage_ = nullptr;
    QLineEdit* txtDCCurrent_ = nullptr;
    QLineEdit* txtFluxDensity_ = nullptr;
    QLineEdit* txtFrequency_ = nullptr;
    QComboBox* cmbfrequency_ = nullptr;
    QLineEdit* txtMinInputVoltage_ = nullptr;
    QLineEdit* txtMaxInputVoltage_ = nullptr;
    QLineEdit* txtAmbientTemp_ = nullptr;
    QLineEdit* txtCurrentDensityFactor_ = nullptr;
    QLineEdit* txtDensityFactorUom_ = nullptr;
    QLineEdit* txtFill_Factor_ = nullptr;
    QCheckBox* chkGap_ = nullptr;
    QCheckBox* chkNoGap_ = nullptr;
    QLineEdit* txtStack_ = nullptr;
    QCheckBox* chkCalcCore_ = nullptr;
    QCheckBox* chkPickCore_ = nullptr;
    QComboBox* txtCoreSize_ = nullptr;
    QPushButton* cmdProcess_ = nullptr;
    QPushButton* cmdQuit_ = nullptr;
    QPushButton* cmdExit_ = nullptr;
    QPushButton* cmdHelp_ = nullptr;
    QPushButton* cmdCompare_ = nullptr;
    QPushButton* cmdSaveDesign_ = nullptr;
    QPushButton* cmdOpenDesign_ = nullptr;
    QString designFile_;  // the design file last saved or opened, where the dialogs start
};

}  // namespace coredesign::gui
