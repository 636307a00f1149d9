// The results screen: the inputs of the finished design and its summary
// outputs. What it shows is the engine's results screen model (owned by the
// input screen's model); the screen builds its boxes from the model's table
// of boxes and shows the model's texts, colours and buttons.
#pragma once

#include <QWidget>
#include <map>
#include <optional>
#include <string>

#include "results_screen.h"
#include "screen_registry.h"

class QLineEdit;
class QPushButton;
class QLabel;

namespace coredesign::gui {

class frmResult : public QWidget, public FlowScreen {
    Q_OBJECT
public:
    static constexpr Screen kScreen = Screen::Results;
    explicit frmResult(ScreenRegistry& registry);

    // The model the screen shows: the input screen's, or the one it kept
    // when that screen went.
    const ResultsScreen& Model();
    // The texts of the value boxes as the model holds them, for the report.
    ResultsTexts Texts() { return Model().Texts(); }
    bool TemperatureAlarm() { return Model().TemperatureAlarm(); }
    bool ShowsDesign() { return Model().ShowsDesign(); }

    // Refill: shows the model's state anew.
    void Follow(Move move) override;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ResultsScreen& Editable();
    void BuildControls();
    // The widgets show the model.
    void Mirror();

    ScreenRegistry& registry_;
    std::optional<ResultsScreen> kept_;  // the model as last shown, for when the input screen goes
    std::map<std::string, QLineEdit*> boxes_;
    QLineEdit* cmdWebLink_ = nullptr;
    QLabel* Label2_ = nullptr;
    QPushButton* cmdCurve_ = nullptr;
};

}  // namespace coredesign::gui
