#include "run.h"

#include <vector>

#include "comparison.h"
#include "document.h"
#include "input_screen.h"
#include "numtext.h"
#include "spice_model.h"
#include "summary.h"
#include "terminal_text.h"

namespace coredesign::cli {
namespace {

bool ShowsDesign(Outcome o) {
    return o == Outcome::Results || o == Outcome::FillWarning;
}

// The file exports that follow a run: the circuit model and the PDF. Each
// tells on `err` why it wrote nothing; false when a file could not be written.
bool WriteExports(const Options& options, const InputScreen& session, Host& host, std::ostream& err) {
    const RunResult& run = session.LastRun();
    const std::string outcome = OutcomeName(run.outcome);
    bool written = true;
    if (options.spiceFile) {
        std::string failure;
        if (!ShowsDesign(run.outcome) || !HoldsDesign(session.Record())) {
            err << "coredesign-cli: no SPICE model written: the run ended in " << outcome << " without a design\n";
        } else if (!host.WriteFile(*options.spiceFile, SpiceModel(session.Record()), Host::Write::Whole, failure)) {
            err << "coredesign-cli: cannot write the SPICE model to '" << EscapeControls(*options.spiceFile)
                << "': " << failure << "\n";
            written = false;
        }
    }
    if (options.pdfFile) {
        if (run.outcome != Outcome::Results) {
            err << "coredesign-cli: no PDF written: the run ended in " << outcome << ", not on the results screen\n";
            return written;
        }
        // The report as --report writes it, rendered by the report viewer's engine.
        std::string failure;
        const std::string report = report::ReportFileBytes(*session.Results(), session.Record(), host.Pictures());
        if (!host.WritePdf(report, options.reportFile.value_or(std::string()), *options.pdfFile, failure)) {
            err << "coredesign-cli: cannot write the PDF to '" << EscapeControls(*options.pdfFile) << "': " << failure
                << "\n";
            written = false;
        }
    }
    return written;
}

}  // namespace

int Run(const Options& options, Host& host, std::ostream& out, std::ostream& err) {
    if (options.explore) return RunExplore(options, host, out);
    InputScreen session;
    session.SetEnvironment(host.Environment());
    if (!options.gapped) session.ChooseFamily(false);
    if (options.pick) {
        session.ChoosePickCore();
        if (!session.PickPart(*options.pick)) {
            err << "coredesign-cli: the " << (options.gapped ? "gapped" : "no-gap") << " family holds no core '"
                << EscapeControls(*options.pick) << "'\n";
            return 2;
        }
    }
    TypeOptions(options, session.Fields());

    const RunResult& run = session.ShowResults();
    int status = run.outcome == Outcome::Results ? 0 : 1;
    if (options.reportFile && run.outcome == Outcome::Results) {
        std::string failure;
        const std::string report = report::ReportFileBytes(*session.Results(), session.Record(), host.Pictures());
        if (!host.WriteFile(*options.reportFile, report, Host::Write::AsNamed, failure)) {
            err << "coredesign-cli: cannot write the report to '" << EscapeControls(*options.reportFile)
                << "': " << failure << "\n";
            out << (options.json ? JsonDocument(session) : Summary(session));
            return 1;
        }
    }
    if (!WriteExports(options, session, host, err)) status = 1;
    if (options.curve && !options.json) {
        // The curve alone, as CSV.
        if (!ShowsDesign(run.outcome) || !HoldsDesign(session.Record())) {
            err << "coredesign-cli: no curve: the run ended in " << OutcomeName(run.outcome) << " without a design\n";
            return 1;
        }
        const InductanceCurve curve = MakeInductanceCurve(session.Record(), options.points);
        out << CurveCsv(curve);
        if (curve.lawEndsBefore)
            err << "coredesign-cli: the core's permeability law has no value from "
                << RoundTripNumber(*curve.lawEndsBefore) << " A on: the curve ends at "
                << RoundTripNumber(curve.points.back().current) << " A\n";
        return status;
    }
    out << (options.json ? JsonDocument(session, options.curve ? std::optional<int>(options.points) : std::nullopt)
                         : Summary(session));
    return status;
}

int RunExplore(const Options& options, Host& host, std::ostream& out) {
    // Each family's texts: a fresh input screen, that family chosen, then the
    // options typed, as a single run's would be.
    std::vector<ComparedFamily> families;
    const RunEnvironment environment = host.Environment();
    for (bool gapped : {true, false}) {
        if (options.familyGiven && gapped != options.gapped) continue;
        InputScreen screen;
        if (!gapped) screen.ChooseFamily(false);
        TypeOptions(options, screen.Fields());
        families.push_back({gapped, screen.Fields(), environment});
    }
    const Comparison comparison = CompareCores(families);
    out << (options.csv ? ComparisonCsv(comparison) : ExploreJson(comparison));
    for (const ComparisonRow& row : comparison.rows)
        if (row.fits) return 0;
    return 1;
}

}  // namespace coredesign::cli
