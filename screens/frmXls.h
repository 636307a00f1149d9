// The design input screen: the designer's inputs, the core family, the
// calculator type, the Pick Core list, and the Show Results command. What
// each click does is the engine's InputScreen; this screen shows its state.
#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <string>

#include "input_screen.h"
#include "screen_registry.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace coredesign::gui {

class frmXls : public QWidget, public FlowScreen, private InputScreenView {
    Q_OBJECT
public:
    static constexpr Screen kScreen = Screen::Input;
    explicit frmXls(ScreenRegistry& registry);
    ~frmXls() override;

    // The logic behind the screen; every click goes there, and the widgets
    // show its state.
    InputScreen& Logic() { return *screen_; }

    // The core size list's current text.
    QString CoreListText() const;

    // ResetCoreList: the return to the inputs from the results (the logic's
    // ResetCoreSizeList).
    void Follow(Move move) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void Load();
    // Shows the logic's state in the widgets.
    void Mirror();
    void FocusControl(const std::string& name);
    void CompareClicked();

    // InputScreenView: what the logic asks of this screen.
    void Refresh() override { Mirror(); }
    void Busy(bool busy) override;
    void Tell(const Message& message) override;

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
};

}  // namespace coredesign::gui
