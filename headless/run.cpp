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

// The file exports that follow a run: the circuit model and the PDF. Each
// tells on `err` why it wrote nothing; false when a file could not be written.
bool WriteExports(const Options& options, const InputScreen& session, Host& host, std::ostream& err) {
    const RunResult& run = session.LastRun();
    const std::string outcome = OutcomeName(run.outcome);
    bool written = true;
    if (options.spiceFile) {
        std::string failure;
        const std::optional<std::string> model = SpiceText(session);
        if (!model) {
            err << "coredesign-cli: no SPICE model written: the run ended in " << outcome << " without a design\n";
        } else if (!host.WriteFile(*options.spiceFile, *model, Host::Write::Whole, failure)) {
            err << "coredesign-cli: cannot write the SPICE model to '" << EscapeControls(*options.spiceFile)
                << "': " << failure << "\n";
            written = false;
        }
    }
    if (options.pdfFile) {
        // The report as --report writes it, rendered by the report viewer's engine.
        const std::optional<std::string> report = ReportBytes(session, host.Pictures());
        if (!report) {
            err << "coredesign-cli: no PDF written: the run ended in " << outcome << ", not on the results screen\n";
            return written;
        }
        std::string failure;
        if (!host.WritePdf(*report, options.reportFile.value_or(std::string()), *options.pdfFile, failure)) {
            err << "coredesign-cli: cannot write the PDF to '" << EscapeControls(*options.pdfFile) << "': " << failure
                << "\n";
            written = false;
        }
    }
    return written;
}

}  // namespace

std::optional<InputScreen> RunDesign(const Options& options, const RunEnvironment& environment, std::string& error) {
    // A copy of one freshly loaded screen is a freshly loaded screen, made
    // without filling its list again (the screen is only read: a copy may be
    // made on any thread).
    static const InputScreen loaded;
    std::optional<InputScreen> session(loaded.Copy());
    session->SetEnvironment(environment);
    if (!options.gapped) session->ChooseFamily(false);
    if (options.pick) {
        session->ChoosePickCore();
        if (!session->PickPart(*options.pick)) {
            error = std::string("the ") + (options.gapped ? "gapped" : "no-gap") + " family holds no core '" +
                    EscapeControls(*options.pick) + "'";
            return std::nullopt;
        }
    }
    TypeOptions(options, session->Fields());
    session->ShowResults();
    return session;
}

std::optional<std::string> ReportBytes(const InputScreen& session, const report::ReportPictures& pictures) {
    if (session.LastRun().outcome != Outcome::Results || !session.Results()) return std::nullopt;
    return report::ReportFileBytes(*session.Results(), session.Record(), pictures);
}

std::optional<std::string> SpiceText(const InputScreen& session) {
    if (!session.LastRunShowsDesign()) return std::nullopt;
    return SpiceModel(session.Record());
}

std::optional<InductanceCurve> DesignCurve(const InputScreen& session, int points) {
    if (!session.LastRunShowsDesign()) return std::nullopt;
    return MakeInductanceCurve(session.Record(), points);
}

Comparison ExploreCores(const Options& options, const RunEnvironment& environment) {
    std::vector<ComparedFamily> families;
    for (bool gapped : {true, false}) {
        if (options.familyGiven && gapped != options.gapped) continue;
        InputScreen screen;
        if (!gapped) screen.ChooseFamily(false);
        TypeOptions(options, screen.Fields());
        families.push_back({gapped, screen.Fields(), environment});
    }
    return CompareCores(families);
}

int Run(const Options& options, Host& host, std::ostream& out, std::ostream& err) {
    if (options.explore) return RunExplore(options, host, out);
    std::string error;
    const std::optional<InputScreen> designed = RunDesign(options, host.Environment(), error);
    if (!designed) {
        err << "coredesign-cli: " << error << "\n";
        return 2;
    }
    const InputScreen& session = *designed;
    const RunResult& run = session.LastRun();
    int status = run.outcome == Outcome::Results ? 0 : 1;
    if (const std::optional<std::string> report =
            options.reportFile ? ReportBytes(session, host.Pictures()) : std::nullopt) {
        std::string failure;
        if (!host.WriteFile(*options.reportFile, *report, Host::Write::AsNamed, failure)) {
            err << "coredesign-cli: cannot write the report to '" << EscapeControls(*options.reportFile)
                << "': " << failure << "\n";
            out << (options.json ? JsonDocument(session) : Summary(session));
            return 1;
        }
    }
    if (!WriteExports(options, session, host, err)) status = 1;
    if (options.curve && !options.json) {
        // The curve alone, as CSV.
        const std::optional<InductanceCurve> designCurve = DesignCurve(session, options.points);
        if (!designCurve) {
            err << "coredesign-cli: no curve: the run ended in " << OutcomeName(run.outcome) << " without a design\n";
            return 1;
        }
        const InductanceCurve& curve = *designCurve;
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
    const Comparison comparison = ExploreCores(options, host.Environment());
    out << (options.csv ? ComparisonCsv(comparison) : ExploreJson(comparison));
    for (const ComparisonRow& row : comparison.rows)
        if (row.fits) return 0;
    return 1;
}

}  // namespace coredesign::cli
