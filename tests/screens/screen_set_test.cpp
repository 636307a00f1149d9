// Every screen shows exactly its model's texts: each caption, value, button
// caption, tool tip, list entry and title of the real widgets equals the
// engine model's (which the engine's tests hold to the reviewed files), for
// the designs of those files.
#include "screen_set.h"

#include <QAbstractButton>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTableView>
#include <QValueAxis>
#include <algorithm>

#include "compare_screen.h"
#include "compare_table_model.h"
#include "curve_screen.h"
#include "fixed_screens.h"
#include "frmCompareCores.h"
#include "frmDirections.h"
#include "frmEnter.h"
#include "frmInductanceCurve.h"
#include "screen_test.h"

namespace coredesign::gui::testing {
namespace {

using Texts = std::vector<std::string>;

std::string Line(const QString& control, TextRole role, const QString& text) {
    return RenderShownTexts({{Str(control), role, Str(text)}});
}

// What the widgets of a window show, one rendered line each, sorted.
Texts ShownByWidgets(QWidget& window) {
    Texts lines = {Line(window.objectName(), TextRole::Title, window.windowTitle())};
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (w->isHidden() || w->parentWidget() == nullptr) continue;
        const QString name = w->objectName();
        if (!w->toolTip().isEmpty()) lines.push_back(Line(name, TextRole::ToolTip, w->toolTip()));
        if (auto* label = qobject_cast<QLabel*>(w))
            lines.push_back(Line(name, TextRole::Text, label->text()));
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            lines.push_back(Line(name, TextRole::Text, button->text()));
        else if (auto* edit = qobject_cast<QLineEdit*>(w))
            lines.push_back(Line(name, TextRole::Text, edit->text()));
        else if (auto* box = qobject_cast<MultiLineTextBox*>(w))
            lines.push_back(Line(name, TextRole::Text, box->text()));
        else if (auto* list = qobject_cast<QComboBox*>(w)) {
            for (int k = 0; k < list->count(); ++k) lines.push_back(Line(name, TextRole::Item, list->itemText(k)));
            lines.push_back(Line(name, TextRole::Text, list->currentText()));
        }
    }
    lines.erase(std::remove(lines.begin(), lines.end(), std::string()), lines.end());
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The model's texts the same way (how a text stands out is checked apart).
Texts ShownByModel(const ShownTexts& texts) {
    Texts lines;
    for (const ShownText& t : texts)
        if (t.role != TextRole::Look) lines.push_back(RenderShownTexts({t}));
    lines.erase(std::remove(lines.begin(), lines.end(), std::string()), lines.end());
    std::sort(lines.begin(), lines.end());
    return lines;
}

void ExpectSame(QWidget* window, const ShownTexts& model) {
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ShownByWidgets(*window), ShownByModel(model)) << Str(window->objectName());
}

const char* const kDesigns[] = {"", "nogap", "pick=6213TXGP txtStack=2", "pick=6205TXGP",
                                "pick=6218TXGP txtAmbientTemp=150"};

using ScreenSetTest = ScreenTest;

TEST_F(ScreenSetTest, FixedScreensShowTheirModels) {
    registry->Carry(registry->Flow().Command(FlowCommand::Launch));
    ExpectSame(registry->Find<frmEnter>(), StartScreen::Shown());
    Click(*registry->Find<frmEnter>(), "cmdProcess");
    registry->Carry(registry->Flow().Command(FlowCommand::WebLink));  // made unseen, not yet written
    ExpectSame(registry->Find<frmDirections>(), DirectionsScreen::Shown(false));
    Click(Input(), "cmdHelp");
    ExpectSame(registry->Find<frmDirections>(), DirectionsScreen::Shown(true));
}

TEST_F(ScreenSetTest, DesignScreensShowTheirModels) {
    ExpectSame(&Input(), Input().Logic().Shown());
    for (const char* design : kDesigns) {
        SCOPED_TRACE(design);
        Fresh();
        Enter(design);
        ShowResults();
        PumpEvents();
        const InputScreen& logic = Input().Logic();
        ExpectSame(&Input(), logic.Shown());
        ASSERT_NE(logic.ResultsModel(), nullptr);
        ExpectSame(Results(), logic.ResultsModel()->Shown());
        // The alarm's look as the model says it.
        const QLineEdit& rise = Child<QLineEdit>(*Results(), "txtTotalTempRise");
        EXPECT_EQ(rise.font().bold(), logic.ResultsModel()->TemperatureAlarm());
        EXPECT_EQ(TextColour(rise, QPalette::Text) == look::kRed, logic.ResultsModel()->TemperatureAlarm());
        if (Shown(Results())) OpenCalculations();
        PumpEvents();
        ASSERT_NE(Intermediate(), nullptr);
        ExpectSame(Intermediate(), Intermediate()->Model().Shown());
        EXPECT_EQ(Intermediate()->Model().Texts().Labelo, IntermediateScreen(record).Texts().Labelo);
    }
}

// The curve window's texts are drawn in its chart: title, series, axes, the
// operating point's label, and the notes and buttons below.
TEST_F(ScreenSetTest, CurveWindowShowsItsModel) {
    for (const char* design : {"", "nogap", "pick=6213TXGP txtStack=2"}) {
        SCOPED_TRACE(design);
        Fresh();
        Enter(design);
        ShowResults();
        Click(*Results(), "cmdCurve");
        PumpEvents();
        auto* window = registry->Find<frmInductanceCurve>();
        ASSERT_NE(window, nullptr);
        ASSERT_NE(window->Model(), nullptr);
        QChart* chart = Child<QChartView>(*window, "chtCurve").chart();
        Texts lines = {Line(window->objectName(), TextRole::Title, window->windowTitle()),
                       Line(chart->objectName(), TextRole::Title, chart->title())};
        for (QAbstractSeries* s : chart->series()) {
            lines.push_back(Line(s->objectName(), TextRole::Text, s->name()));
            if (auto* points = qobject_cast<QScatterSeries*>(s))
                lines.push_back(Line(s->objectName(), TextRole::Item, points->pointLabelsFormat()));
        }
        for (QAbstractAxis* axis : chart->axes())
            lines.push_back(Line(axis->objectName(), TextRole::Text, axis->titleText()));
        for (const char* name : {"lblZeroCurrent", "lblLimit"})
            lines.push_back(Line(QString::fromUtf8(name), TextRole::Text, Child<QLabel>(*window, name).text()));
        for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
            lines.push_back(Line(b->objectName(), TextRole::Text, b->text()));
        lines.erase(std::remove(lines.begin(), lines.end(), std::string()), lines.end());
        std::sort(lines.begin(), lines.end());
        EXPECT_EQ(lines, ShownByModel(window->Model()->Shown()));
    }
}

// Compare Cores: every fixed text of its model stands on a widget, in the
// table's headings or in the chart.
TEST_F(ScreenSetTest, CompareCoresShowsItsModel) {
    Click(Input(), "cmdCompare");
    auto* window = registry->Find<frmCompareCores>();
    ASSERT_NE(window, nullptr);
    Texts lines = ShownByWidgets(*window);
    // What the window shows of itself beyond its widgets: the hidden Cancel,
    // the headings, the chart's texts and the verdicts the table can show.
    const QTableView& table = Child<QTableView>(*window, "tblCores");
    for (int c = 0; c < table.model()->columnCount(); ++c)
        lines.push_back(
            Line(QStringLiteral("tblCores"), TextRole::Item, table.model()->headerData(c, Qt::Horizontal).toString()));
    QChart* chart = Child<QChartView>(*window, "chtCores").chart();
    lines.push_back(Line(QStringLiteral("chtCores"), TextRole::Text, chart->title()));
    for (QAbstractSeries* s : chart->series())
        lines.push_back(Line(QStringLiteral("chtCores"), TextRole::Text, s->name()));
    for (QAbstractAxis* axis : chart->axes())
        lines.push_back(Line(QStringLiteral("chtCores"), TextRole::Text, axis->titleText()));
    const QAbstractButton& cancel = Child<QAbstractButton>(*window, "cmdCancel");
    lines.push_back(Line(cancel.objectName(), TextRole::Text, cancel.text()));
    for (const Outcome outcome : {Outcome::Results, Outcome::FillWarning, Outcome::Validation, Outcome::AreaProduct,
                                  Outcome::DcBias, Outcome::NoWire, Outcome::InductanceLimit})
        lines.push_back(Line(QStringLiteral("verdict"), TextRole::Item, VerdictText(outcome, false)));
    lines.push_back(Line(QStringLiteral("verdict"), TextRole::Item, VerdictText(Outcome::Results, true)));
    for (const std::string& line : ShownByModel(CompareScreen::Shown()))
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
}

}  // namespace
}  // namespace coredesign::gui::testing
