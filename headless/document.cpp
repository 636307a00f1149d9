#include "document.h"

#include <cstdint>
#include <variant>
#include <vector>

#include "comparison.h"
#include "curve.h"
#include "input_screen.h"
#include "results_screen.h"
#include "run.h"

namespace coredesign::cli {
namespace {

const char* IconName(MessageIcon icon) {
    return icon == MessageIcon::Information ? "information" : "none";
}

// One figure of the record as its value.
void WriteValue(DocumentWriter& w, double v) {
    w.Number(v);
}
void WriteValue(DocumentWriter& w, std::int16_t v) {
    w.Integer(v);
}
void WriteValue(DocumentWriter& w, Calculator v) {
    w.Integer(static_cast<std::int16_t>(v));
}
void WriteValue(DocumentWriter& w, bool v) {
    w.Bool(v);
}
void WriteValue(DocumentWriter& w, const std::string& v) {
    w.String(v);
}

// Every box of the results screen by control name, in the screen's order,
// then whether the total temperature box is bold red.
void WriteResultsScreen(DocumentWriter& w, const ResultsTexts& t) {
    w.BeginObject();
    for (const ResultBox& box : kResultBoxes) {
        w.Key(box.control);
        w.String(t.*box.text);
    }
    w.Key(kTemperatureAlarmKey);
    w.Bool(t.txtTotalTempRiseAlarm);
    w.EndObject();
}

// The intermediate screen's label names, Label1 ... Label38 then Labelo1 ...
// Labelo38, made once: a writer may keep its keys by the text's address.
const std::vector<std::string>& LabelNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> made;
        for (const char* stem : {"Label", "Labelo"})
            for (int k = 1; k <= 38; ++k) made.push_back(stem + std::to_string(k));
        return made;
    }();
    return names;
}

void WriteIntermediateScreen(DocumentWriter& w, const IntermediateTexts& t) {
    const std::vector<std::string>& names = LabelNames();
    w.BeginObject();
    for (int k = 1; k <= 38; ++k) {
        w.Key(names[k - 1]);
        w.String(t.Label[k]);
    }
    for (int k = 1; k <= 38; ++k) {
        w.Key(names[38 + k - 1]);
        w.String(t.Labelo[k]);
    }
    w.Key("txtWarning");
    w.String(t.txtWarning);
    w.Key("FillFactorRed");
    w.Bool(t.FillFactorRed);
    w.EndObject();
}

}  // namespace

void WriteRecord(DocumentWriter& w, const DesignRecord& r) {
    w.BeginObject();
    for (const RecordField& field : kRecordFields) {
        w.Key(field.name);
        std::visit([&](auto member) { WriteValue(w, r.*member); }, field.member);
    }
    w.EndObject();
}

void WriteRunDocument(DocumentWriter& w, const InputScreen& session, std::optional<int> curvePoints) {
    const RunResult& run = session.LastRun();
    w.BeginObject();
    w.Key("outcome");
    w.String(OutcomeName(run.outcome));
    w.Key("messages");
    w.BeginArray();
    for (const Message& m : run.messages) {
        w.BeginObject();
        w.Key("id");
        w.String(MessageIdName(m.id));
        w.Key("text");
        w.String(m.text);
        w.Key("title");
        w.String(m.title);
        w.Key("icon");
        w.String(IconName(m.icon));
        w.Key("focus");
        if (m.focus.empty())
            w.Null();
        else
            w.String(m.focus);
        w.EndObject();
    }
    w.EndArray();
    w.Key("record");
    WriteRecord(w, session.Record());
    w.Key("results_screen");
    if (ResultsScreen::OutcomeShowsDesign(run.outcome) && session.Results())
        WriteResultsScreen(w, *session.Results());
    else
        w.Null();
    w.Key("intermediate_screen");
    if (ResultsScreen::OutcomeShowsDesign(run.outcome))
        WriteIntermediateScreen(w, MakeIntermediateTexts(session.Record()));
    else
        w.Null();
    if (curvePoints) {
        w.Key("curve");
        if (const std::optional<InductanceCurve> curve = DesignCurve(session, *curvePoints))
            WriteCurve(w, *curve);
        else
            w.Null();
    }
    w.EndObject();
}

std::string JsonDocument(const InputScreen& session, std::optional<int> curvePoints) {
    JsonWriter w;
    WriteRunDocument(w, session, curvePoints);
    return w.Text() + "\n";
}

void WriteCurve(DocumentWriter& w, const InductanceCurve& curve) {
    w.BeginObject();
    w.Key("points");
    w.BeginArray();
    for (const CurvePoint& p : curve.points) {
        w.BeginArray();
        for (double v : {p.current, p.H, p.mu, p.inductance}) w.Number(v);
        w.EndArray();
    }
    w.EndArray();
    w.Key("operating_point");
    w.BeginObject();
    w.Key("current_A");
    w.Number(curve.operatingPoint.current);
    w.Key("inductance_uH");
    w.Number(curve.operatingPoint.inductance);
    w.EndObject();
    w.Key("zero_current_inductance_uH");
    w.Number(curve.zeroCurrentInductance);
    w.Key("entered_inductance_uH");
    w.Number(curve.enteredInductance);
    // Where the permeability law stops having a value, the curve ends.
    w.Key("law_limit_current_A");
    if (curve.lawEndsBefore)
        w.Number(*curve.lawEndsBefore);
    else
        w.Null();
    w.EndObject();
}

void WriteExploreDocument(DocumentWriter& w, const Comparison& comparison) {
    w.BeginObject();
    w.Key("calculate_core");
    w.BeginArray();
    for (const CalculateCorePick& pick : comparison.calculateCore) {
        w.BeginObject();
        w.Key("family");
        w.String(FamilyName(pick.gapped));
        w.Key("outcome");
        w.String(OutcomeName(pick.outcome));
        w.Key("part");
        if (pick.part.empty())
            w.Null();
        else
            w.String(pick.part);
        w.Key("stack");
        w.Integer(pick.stack);
        w.EndObject();
    }
    w.EndArray();
    w.Key("rows");
    w.BeginArray();
    for (const ComparisonRow& row : comparison.rows) {
        w.BeginObject();
        w.Key("family");
        w.String(FamilyName(row.gapped));
        w.Key("part");
        w.String(row.part);
        w.Key("stack");
        w.Integer(row.stack);
        w.Key("outcome");
        w.String(OutcomeName(row.outcome));
        w.Key("temperature_alarm");
        w.Bool(row.temperatureAlarm);
        w.Key("fits");
        w.Bool(row.fits);
        w.Key("pareto");
        w.Bool(row.pareto);
        w.Key("volume_cm3");
        w.Number(row.volume);
        w.Key("record");
        WriteRecord(w, row.record);
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
}

std::string ExploreJson(const Comparison& comparison) {
    JsonWriter w;
    WriteExploreDocument(w, comparison);
    return w.Text() + "\n";
}

}  // namespace coredesign::cli
