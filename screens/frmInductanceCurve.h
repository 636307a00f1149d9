// The Inductance Curve window: the designed choke's inductance against the
// current through it, drawn from the engine's curve of the results screen's
// design, with the operating point, the entered inductance and its
// acceptance limit, and the DC current; and the design taken elsewhere as a
// picture, as the curve's data (CSV) and as a SPICE model.
#pragma once

#include <QString>
#include <QWidget>
#include <optional>

#include "curve_screen.h"
#include "screen_registry.h"

class QChart;
class QChartView;
class QGraphicsSimpleTextItem;
class QLabel;
class QPushButton;
class QValueAxis;

namespace coredesign::gui {

class frmInductanceCurve : public QWidget, public FlowScreen {
    Q_OBJECT
public:
    static constexpr Screen kScreen = Screen::InductanceCurve;
    explicit frmInductanceCurve(ScreenRegistry& registry);

    // Shows the curve of the design in `rec` (a run that ended in results or
    // the fill warning); the window keeps its own copy of the design for the
    // saves.
    void ShowDesign(const DesignRecord& rec);
    // Refill: the design of the record (the results screen's) is shown.
    void Follow(Move move) override;

    const InductanceCurve& Curve() const;
    const CurveScreen* Model() const { return model_ ? &*model_ : nullptr; }
    // Where the operating point's label stands, in the chart's coordinates.
    QRectF OperatingLabelRect() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    // Puts the operating point's label where it crosses no line and stays
    // inside the plot.
    void PlaceOperatingLabel();
    void SavePicture();
    void SaveData();
    void SaveSpiceModel();
    // Asks for a file (starting from `remembered`), adds `suffix` to a name
    // without one, and writes what `bytes` gives for that name whole. A
    // failure is told in a "Caution" box.
    template <class Bytes>
    void SaveChosen(QString& remembered, const QString& filter, const QString& suffix, Bytes bytes);

    ScreenRegistry& registry_;
    std::optional<CurveScreen> model_;
    QChartView* chtCurve_ = nullptr;
    QGraphicsSimpleTextItem* operatingLabel_ = nullptr;
    QLabel* lblZeroCurrent_ = nullptr;
    QLabel* lblLimit_ = nullptr;
    QString pictureFile_, dataFile_, spiceFile_;  // each file dialog's name from its previous use
};

}  // namespace coredesign::gui
