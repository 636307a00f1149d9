#include "run.h"

#include <vector>

#include "batch.h"
#include "comparison.h"
#include "design_file.h"
#include "document.h"
#include "input_screen.h"
#include "numtext.h"
#include "spice_model.h"
#include "summary.h"
#include "terminal_text.h"

namespace coredesign::cli {
namespace {

// The file exports that follow a run: the circuit model and the PDF. Each
// tells why it wrote nothing; false when a file could not be written.
bool WriteExports(const Options& options, const InputScreen& session, Host& host, const Tell& tell) {
    const RunResult& run = session.LastRun();
    const std::string outcome = OutcomeName(run.outcome);
    bool written = true;
    if (options.spiceFile) {
        std::string failure;
        const std::optional<std::string> model = SpiceText(session);
        if (!model) {
            tell("no SPICE model written: the run ended in " + outcome + " without a design");
        } else if (!host.WriteFile(*options.spiceFile, *model, Host::Write::Whole, failure)) {
            tell("cannot write the SPICE model to '" + EscapeControls(*options.spiceFile) + "': " + failure);
            written = false;
        }
    }
    if (options.pdfFile) {
        // The report as --report writes it, rendered by the report viewer's engine.
        const std::optional<std::string> report = ReportBytes(session, host.Pictures());
        if (!report) {
            tell("no PDF written: the run ended in " + outcome + ", not on the results screen");
            return written;
        }
        std::string failure;
        if (!host.WritePdf(*report, options.reportFile.value_or(std::string()), *options.pdfFile, failure)) {
            tell("cannot write the PDF to '" + EscapeControls(*options.pdfFile) + "': " + failure);
            written = false;
        }
    }
    return written;
}

// The options other than --design on the screen: the family, Pick Core and
// its part, then the texts. False, with the usage message, when the family
// holds no such part.
bool ApplyScreenOptions(const Options& options, InputScreen& screen, std::string& error) {
    if (options.familyGiven && options.gapped != screen.Record().GappedCores) screen.ChooseFamily(options.gapped);
    if (options.pick) {
        screen.ChoosePickCore();
        if (!screen.PickPart(*options.pick)) {
            error = std::string("the ") + (screen.Record().GappedCores ? "gapped" : "no-gap") +
                    " family holds no core '" + EscapeControls(*options.pick) + "'";
            return false;
        }
    }
    TypeOptions(options, screen.Fields());
    return true;
}

}  // namespace

// A freshly loaded input screen: a copy of one loaded once, made without
// filling its list again (the screen is only read: a copy may be made on
// any thread).
InputScreen FreshScreen(const RunEnvironment& environment) {
    static const InputScreen loaded;
    InputScreen screen = loaded.Copy();
    screen.SetEnvironment(environment);
    return screen;
}

bool Host::ReadFile(const std::string&, std::size_t, std::string&, std::string& failure) {
    failure = "this front end reads no files";
    return false;
}

bool Host::ReadStandardInput(std::size_t, std::string&, std::string& failure) {
    failure = "this front end has no standard input";
    return false;
}

std::optional<InputScreen> RunDesign(const Options& options, const RunEnvironment& environment, std::string& error) {
    if (options.designFile) {
        error = "option --design needs a front end that reads files";
        return std::nullopt;
    }
    std::optional<InputScreen> session(FreshScreen(environment));
    if (!ApplyScreenOptions(options, *session, error)) return std::nullopt;
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

bool SetUpScreen(const Options& options, Host& host, InputScreen& screen, std::string& error) {
    if (options.designFile) {
        std::string bytes, failure;
        if (!host.ReadFile(*options.designFile, kMaxDesignFileBytes + 1, bytes, failure)) {
            error = "cannot read the design file '" + EscapeControls(*options.designFile) + "': " + failure;
            return false;
        }
        if (const std::optional<Message> refused = OpenDesignFile(bytes, screen)) {
            error = "cannot open the design file '" + EscapeControls(*options.designFile) + "': " + refused->text;
            return false;
        }
    }
    return ApplyScreenOptions(options, screen, error);
}

bool RunAndWrite(const Options& options, Host& host, InputScreen& session, const Tell& tell, bool& reportFailed) {
    reportFailed = false;
    bool written = true;
    if (options.saveDesignFile) {
        std::string text, failure;
        if (const std::optional<Message> refused = DesignFileText(session, text)) {
            tell("cannot write the design to '" + EscapeControls(*options.saveDesignFile) + "': " + refused->text);
            written = false;
        } else if (!host.WriteFile(*options.saveDesignFile, text, Host::Write::Whole, failure)) {
            tell("cannot write the design to '" + EscapeControls(*options.saveDesignFile) + "': " + failure);
            written = false;
        }
    }
    session.ShowResults();
    if (const std::optional<std::string> report =
            options.reportFile ? ReportBytes(session, host.Pictures()) : std::nullopt) {
        std::string failure;
        if (!host.WriteFile(*options.reportFile, *report, Host::Write::AsNamed, failure)) {
            tell("cannot write the report to '" + EscapeControls(*options.reportFile) + "': " + failure);
            reportFailed = true;
            return false;
        }
    }
    return WriteExports(options, session, host, tell) && written;
}

int Run(const Options& options, Host& host, std::ostream& out, std::ostream& err) {
    if (options.explore) return RunExplore(options, host, out);
    if (options.batchFile) return RunBatch(options, host, out, err);
    const Tell tell = [&err](const std::string& line) { err << "coredesign-cli: " << line << "\n"; };
    InputScreen session = FreshScreen(host.Environment());
    std::string error;
    if (!SetUpScreen(options, host, session, error)) {
        tell(error);
        return 2;
    }
    bool reportFailed = false;
    const bool written = RunAndWrite(options, host, session, tell, reportFailed);
    const RunResult& run = session.LastRun();
    if (reportFailed) {
        out << (options.json ? JsonDocument(session) : Summary(session));
        return 1;
    }
    const int status = run.outcome == Outcome::Results && written ? 0 : 1;
    if (options.curve && !options.json) {
        // The curve alone, as CSV.
        const std::optional<InductanceCurve> designCurve = DesignCurve(session, options.points);
        if (!designCurve) {
            tell(std::string("no curve: the run ended in ") + OutcomeName(run.outcome) + " without a design");
            return 1;
        }
        const InductanceCurve& curve = *designCurve;
        out << CurveCsv(curve);
        if (curve.lawEndsBefore)
            tell("the core's permeability law has no value from " + RoundTripNumber(*curve.lawEndsBefore) +
                 " A on: the curve ends at " + RoundTripNumber(curve.points.back().current) + " A");
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
