#include "explore_output.h"

#include <vector>

#include "cli_run.h"
#include "comparison.h"
#include "input_screen.h"
#include "json_writer.h"

namespace coredesign::cli {

std::string ExploreJson(const Comparison& comparison) {
    JsonWriter w;
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
    return w.Text() + "\n";
}

int RunExplore(const Options& options, std::ostream& out) {
    // Each family's texts: a fresh input screen, that family chosen, then the
    // options typed, as a single run's would be.
    std::vector<ComparedFamily> families;
    for (bool gapped : {true, false}) {
        if (options.familyGiven && gapped != options.gapped) continue;
        InputScreen screen;
        if (!gapped) screen.ChooseFamily(false);
        TypeOptions(options, screen.Fields());
        families.push_back({gapped, screen.Fields()});
    }
    const Comparison comparison = CompareCores(families);
    out << (options.csv ? ComparisonCsv(comparison) : ExploreJson(comparison));
    for (const ComparisonRow& row : comparison.rows)
        if (row.fits) return 0;
    return 1;
}

}  // namespace coredesign::cli
