// The intermediate outputs screen: the quantities the design calculation
// derived on its way to the summary, in three column groups, and the fill
// warning. Its figures are those of the moment it was created; only a Pick
// Core fill warning writes them anew into an open screen.
#pragma once

#include <QWidget>
#include <array>

#include "fixed_screens.h"
#include "screen_registry.h"

class QLabel;
class QPushButton;

namespace coredesign::gui {

class frmIntermediateOutput : public QWidget, public FlowScreen {
    Q_OBJECT
public:
    static constexpr Screen kScreen = Screen::Intermediate;
    explicit frmIntermediateOutput(ScreenRegistry& registry);

    // The texts the screen shows.
    IntermediateTexts Texts() const;
    const IntermediateScreen& Model() const { return model_; }

    // Writes the figures, the fill factor's colour and the warning of the
    // design record as it stands now.
    void ShowFigures();
    // Refill: ShowFigures.
    void Follow(Move move) override;

private:
    void BuildControls();
    // The widgets show the model.
    void Mirror();

    ScreenRegistry& registry_;
    IntermediateScreen model_;
    std::array<QLabel*, 39> Label_{};   // captions, 1..38
    std::array<QLabel*, 39> Labelo_{};  // values beside them, 1..38
    QLabel* txtWarning_ = nullptr;
    QPushButton* cmdExit_ = nullptr;
};

}  // namespace coredesign::gui
