// The intermediate outputs screen: the quantities the design calculation
// derived on its way to the summary, in three column groups, and the fill
// warning. Its figures are those of the moment it was created; only a Pick
// Core fill warning writes them anew into an open screen.
#pragma once

#include <QWidget>
#include <array>

#include "screen_texts.h"

class QLabel;
class QPushButton;

namespace coredesign::gui {

class ScreenRegistry;

class frmIntermediateOutput : public QWidget {
    Q_OBJECT
public:
    explicit frmIntermediateOutput(ScreenRegistry& registry);

    // The texts the screen shows.
    IntermediateTexts Texts() const;

    // Writes the figures, the fill factor's colour and the warning of the
    // design record as it stands now.
    void ShowFigures();

private:
    void BuildControls();
    void CloseClicked();

    ScreenRegistry& registry_;
    std::array<QLabel*, 39> Label_{};   // captions, 1..38
    std::array<QLabel*, 39> Labelo_{};  // values beside them, 1..38
    QLabel* txtWarning_ = nullptr;
    QPushButton* cmdExit_ = nullptr;
    bool fillFactorRed_ = false;
};

}  // namespace coredesign::gui
