// The design input screen: the designer's inputs, the core family, the
// calculator type, the Pick Core list, and the Show Results command.
#pragma once

#include <QString>
#include <QWidget>

#include "catalogue.h"
#include "design_run.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace coredesign::gui {

class ScreenRegistry;

class frmXls : public QWidget {
    Q_OBJECT
public:
    explicit frmXls(ScreenRegistry& registry);

    // Loads the wire table into the design record.
    void DataLoad();
    // Loads the catalogue of the family chosen by GappedCores and refills
    // the core size list (layout A).
    void ArrayData_QV_Load();
    // Rebuilds the core size list in layout A from the loaded catalogue:
    // the empty entry, then one entry per catalogue row, nothing chosen.
    // The list's enabled state and colour are left as they are.
    void LoadPickCoreArray();

    // The texts of the fields as Show Results reads them.
    InputTexts FieldTexts() const;
    // The core size list's current text.
    QString CoreListText() const;

    // The return to the inputs from the results: in Calculate Core mode the
    // core size list is emptied and disabled, in Pick Core mode its first
    // (empty) entry is chosen.
    void ResetCoreSizeList();
    // Empties and disables the core size list (its colour stays).
    void EmptyCoreSizeList();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void Load();
    void FillCoreList(PickLayout layout);
    void SetCoreListColour(const QColor& colour);
    void FocusControl(const std::string& name);

    void ShowResultsClicked();
    void ClearResultsClicked();
    void CancelClicked();
    void HelpClicked();
    void FamilyClicked(bool gapped, bool checked);
    void CalculatorTypeClicked(Calculator calculatorType, bool checked);

    ScreenRegistry& registry_;

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
};

}  // namespace coredesign::gui
