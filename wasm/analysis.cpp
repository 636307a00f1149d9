// The Compare Cores and Inductance Curve windows for the page (embind): each
// starts from a design file's text (the input screen as it stands, opened
// onto a freshly loaded screen) and hands the page every text, figure and
// flag its window shows, from the engine's models (compare_screen.h,
// curve_screen.h). The comparison runs a slice at a time, so that the
// page's worker reads a Cancel between two slices.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "compare_screen.h"
#include "comparison.h"
#include "curve_screen.h"
#include "design_file.h"
#include "input_screen.h"
#include "messages.h"
#include "spice_model.h"

namespace coredesign::wasm {
namespace {

using emscripten::val;

val MessageValue(const Message& message) {
    val box = val::object();
    box.set("id", std::string(MessageIdName(message.id)));
    box.set("title", message.title);
    box.set("text", message.text);
    box.set("focus", message.focus);
    return box;
}

val MessageList(const std::vector<Message>& messages) {
    val list = val::array();
    for (const Message& message : messages) list.call<void>("push", MessageValue(message));
    return list;
}

val ButtonValue(const ButtonText& button) {
    val text = val::object();
    text.set("control", std::string(button.control));
    text.set("caption", std::string(button.caption));
    text.set("toolTip", std::string(button.toolTip));
    return text;
}

val Strings(const std::vector<std::string>& texts) {
    val list = val::array();
    for (const std::string& text : texts) list.call<void>("push", text);
    return list;
}

val Numbers(const std::vector<double>& numbers) {
    val list = val::array();
    for (double number : numbers) list.call<void>("push", number);
    return list;
}

// The design text opened onto a freshly loaded input screen; the refusal's
// message when the file is refused.
std::optional<Message> OpenDesign(const std::string& designText, InputScreen& screen) {
    return OpenDesignFile(designText, screen);
}

// The Compare Cores window's fixed texts.
val CompareTexts() {
    val texts = val::object();
    texts.set("title", CompareScreen::Title());
    texts.set("heading", std::string(CompareScreen::kHeading));
    texts.set("familyCaption", std::string(CompareScreen::kFamilyCaption));
    texts.set("familyItems", Strings(CompareScreen::FamilyFilterItems()));
    texts.set("everyRow", std::string(CompareScreen::kEveryRow));
    texts.set("cancel", ButtonValue(CompareScreen::CancelButton()));
    val buttons = val::array();
    for (const ButtonText& button : CompareScreen::Buttons()) buttons.call<void>("push", ButtonValue(button));
    texts.set("buttons", buttons);
    texts.set("headings", Strings(CompareScreen::ColumnHeadings()));
    texts.set("chartTitle", std::string(CompareScreen::kChartTitle));
    texts.set("fitsSeries", std::string(CompareScreen::kFitsSeries));
    texts.set("frontSeries", std::string(CompareScreen::kFrontSeries));
    texts.set("picksSeries", std::string(CompareScreen::kPicksSeries));
    texts.set("chosenSeries", std::string(CompareScreen::kChosenSeries));
    texts.set("volumeAxis", std::string(CompareScreen::kVolumeAxis));
    texts.set("lossAxis", std::string(CompareScreen::kLossAxis));
    texts.set("nothingCompared", std::string(CompareScreen::kNothingCompared));
    texts.set("cancelledKept", CompareScreen::CancelledText(true));
    texts.set("cancelledEmpty", CompareScreen::CancelledText(false));
    texts.set("defaultSortColumn", static_cast<int>(CompareColumns::Volume));
    val rightAligned = val::array();
    for (int column = 0; column < CompareColumns::ColumnCount; ++column)
        rightAligned.call<void>("push", CompareTable::RightAligned(column));
    texts.set("rightAligned", rightAligned);
    texts.set("saveFile", std::string("core-comparison.csv"));
    return texts;
}

// One comparison of the input screen's texts, run in slices.
class ComparisonSession {
public:
    explicit ComparisonSession(const std::string& designText) {
        InputScreen screen;
        if (const std::optional<Message> refused = OpenDesign(designText, screen)) {
            refused_.push_back(*refused);
            return;
        }
        std::optional<std::vector<ComparedFamily>> families = screen.FamiliesToCompare(refused_);
        if (families) stepped_.emplace(std::move(*families));
    }

    // The messages of the texts' refusal (an empty list when they compare).
    val Refused() const { return MessageList(refused_); }
    int Total() const { return stepped_ ? stepped_->Total() : 0; }
    int Done() const { return stepped_ ? stepped_->Done() : 0; }
    std::string ComparingText() const { return CompareScreen::ComparingText(Total()); }

    // Runs up to `runs` more rows; true once the comparison is complete.
    bool Step(int runs) {
        if (!stepped_) return false;
        const bool complete = stepped_->Step(runs);
        if (complete && !table_) table_.emplace(stepped_->Result());
        return complete;
    }
    bool Complete() const { return table_.has_value(); }

    std::string InputsText() const { return table_ ? CompareScreen::InputsText(Data()) : std::string(); }
    std::string CountText() const { return table_ ? CompareScreen::CountText(Data()) : std::string(); }
    std::string Csv() const { return table_ ? ComparisonCsv(Data()) : std::string(); }

    // The rows the filters show, in the sort's order: each with its
    // position in the comparison, its cells' texts and its marks; and the
    // chart's points of the families shown.
    val View(int families, bool everyRow, int column, bool ascending) const {
        val view = val::object();
        val rows = val::array();
        val chart = val::object();
        view.set("rows", rows);
        view.set("chart", chart);
        if (!table_ || families < 0 || families > 2 || column < 0 || column >= CompareColumns::ColumnCount) return view;
        const auto filter = static_cast<FamilyFilter>(families);
        for (std::size_t i : table_->ShownRows(filter, everyRow, column, ascending)) {
            val row = val::object();
            row.set("index", static_cast<double>(i));
            std::vector<std::string> cells;
            for (int c = 0; c < CompareColumns::ColumnCount; ++c) cells.push_back(table_->CellText(i, c));
            row.set("cells", Strings(cells));
            row.set("bold", table_->Bold(i));
            row.set("shaded", table_->Shaded(i));
            row.set("dimmed", table_->Dimmed(i));
            rows.call<void>("push", row);
        }
        const CompareTable::Chart points = table_->ChartRows(filter);
        chart.set("fitting", Points(points.fitting));
        chart.set("front", Points(points.front));
        chart.set("picks", Points(points.picks));
        return view;
    }

    // A row as the chart's tool tip names it.
    std::string RowName(int index) const { return Valid(index) ? CompareScreen::RowName(Row(index)) : std::string(); }

    // What Use This Design takes to the input screen: the family, the part and the stack.
    val Choice(int index) const {
        if (!Valid(index)) return val::null();
        const ComparisonRow& row = Row(index);
        val choice = val::object();
        choice.set("gapped", row.gapped);
        choice.set("partNo", row.part);
        choice.set("stack", row.stack);
        return choice;
    }

    // The chart's points of these rows: the rows' positions, volumes, total
    // losses and names (as the tool tip names a row).
    val Points(const std::vector<std::size_t>& indices) const {
        val index = val::array(), volume = val::array(), loss = val::array(), name = val::array();
        for (std::size_t i : indices) {
            const ComparisonRow& row = table_->Row(i);
            index.call<void>("push", static_cast<double>(i));
            volume.call<void>("push", row.volume);
            loss.call<void>("push", row.record.TotalLoss);
            name.call<void>("push", CompareScreen::RowName(row));
        }
        val points = val::object();
        points.set("index", index);
        points.set("volume", volume);
        points.set("loss", loss);
        points.set("name", name);
        return points;
    }

private:
    const Comparison& Data() const { return table_->Data(); }
    bool Valid(int index) const { return table_ && index >= 0 && static_cast<std::size_t>(index) < table_->RowCount(); }
    const ComparisonRow& Row(int index) const { return table_->Row(static_cast<std::size_t>(index)); }

    std::vector<Message> refused_;
    std::optional<SteppedComparison> stepped_;
    std::optional<CompareTable> table_;
};

// The Inductance Curve window of the design the input screen's texts give
// when Show Results runs them.
val InductanceCurveView(const std::string& designText) {
    val view = val::object();
    InputScreen screen;
    if (const std::optional<Message> refused = OpenDesign(designText, screen)) {
        view.set("refused", MessageList({*refused}));
        return view;
    }
    const RunResult& run = screen.ShowResults();
    if (!screen.LastRunShowsDesign()) {
        view.set("refused", MessageList(run.messages));
        return view;
    }
    view.set("refused", val::array());
    const CurveScreen model(screen.Record());
    const InductanceCurve& curve = model.Curve();
    val texts = val::object();
    texts.set("title", model.Title());
    texts.set("chartTitle", model.ChartTitle());
    texts.set("operatingLabel", model.OperatingLabel());
    texts.set("curveSeries", std::string(CurveScreen::kCurveSeries));
    texts.set("operatingSeries", std::string(CurveScreen::kOperatingSeries));
    texts.set("enteredSeries", model.EnteredSeries());
    texts.set("acceptanceSeries", model.AcceptanceSeries());
    texts.set("dcCurrentSeries", model.DcCurrentSeries());
    texts.set("currentAxis", std::string(CurveScreen::kCurrentAxis));
    texts.set("inductanceAxis", CurveScreen::InductanceAxis());
    texts.set("permeabilityAxis", std::string(CurveScreen::kPermeabilityAxis));
    texts.set("zeroCurrentNote", model.ZeroCurrentNote());
    texts.set("limitNote", model.LimitNote());
    // The picture's file as PNG, and as SVG (the other type the save offers).
    const std::string picture = model.PictureFile();
    texts.set("pictureFile", picture);
    texts.set("pictureSvgFile", picture.substr(0, picture.rfind('.')) + ".svg");
    texts.set("dataFile", model.DataFile());
    texts.set("spiceFile", model.SpiceFile());
    val buttons = val::array();
    for (const ButtonText& button : CurveScreen::Buttons()) buttons.call<void>("push", ButtonValue(button));
    texts.set("buttons", buttons);
    view.set("texts", texts);

    std::vector<double> current, inductance;
    for (const CurvePoint& p : curve.points) {
        current.push_back(p.current);
        inductance.push_back(p.inductance);
    }
    view.set("current", Numbers(current));
    view.set("inductance", Numbers(inductance));
    view.set("operatingCurrent", curve.operatingPoint.current);
    view.set("operatingInductance", curve.operatingPoint.inductance);
    view.set("zeroCurrentInductance", curve.zeroCurrentInductance);
    view.set("entered", model.Entered());
    view.set("acceptance", model.Acceptance());
    view.set("dcCurrent", curve.dcCurrent);
    view.set("currentEnd", 2 * model.Design().PeakCurrent);
    view.set("csv", CurveCsv(curve));
    view.set("spice", SpiceModel(model.Design()));
    return view;
}

}  // namespace
}  // namespace coredesign::wasm

EMSCRIPTEN_BINDINGS(coredesign_analysis) {
    using coredesign::wasm::ComparisonSession;
    emscripten::function("compareTexts", &coredesign::wasm::CompareTexts);
    emscripten::function("inductanceCurveView", &coredesign::wasm::InductanceCurveView);
    emscripten::class_<ComparisonSession>("ComparisonSession")
        .constructor<const std::string&>()
        .function("refused", &ComparisonSession::Refused)
        .function("total", &ComparisonSession::Total)
        .function("done", &ComparisonSession::Done)
        .function("comparingText", &ComparisonSession::ComparingText)
        .function("step", &ComparisonSession::Step)
        .function("complete", &ComparisonSession::Complete)
        .function("inputsText", &ComparisonSession::InputsText)
        .function("countText", &ComparisonSession::CountText)
        .function("csv", &ComparisonSession::Csv)
        .function("view", &ComparisonSession::View)
        .function("rowName", &ComparisonSession::RowName)
        .function("choice", &ComparisonSession::Choice);
}
