// One command line's work, without the operating system: the options given,
// a freshly loaded input screen, one Show Results (or, with --explore, the
// comparison of every core and stack), the output, and the files the
// options ask for through the host. The host is the front end's: the CLI's
// writes files and loads the PDF renderer through platform/, another front
// end brings its own.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "comparison.h"
#include "curve.h"
#include "design_run.h"
#include "input_screen.h"
#include "options.h"
#include "report_document.h"

namespace coredesign::cli {

class Host {
public:
    virtual ~Host() = default;

    // What each run reads from the system (the temporary folder).
    virtual RunEnvironment Environment() = 0;
    // Where the report's pictures are.
    virtual report::ReportPictures Pictures() = 0;

    // Which file the run writes. The system's host writes both alike, as the
    // file stands and a regular file whole (platform::WriteNamedFile); a
    // host that writes elsewhere may tell them apart.
    enum class Write {
        AsNamed,  // the report (--report)
        Whole,    // the circuit model (--spice)
    };
    // Writes `bytes` to `path`. False, with the reason, when it cannot.
    virtual bool WriteFile(const std::string& path, const std::string& bytes, Write how, std::string& failure) = 0;

    // Reads the file `path` names (--design, --batch), at most `maxBytes`
    // bytes of it: a longer file gives its first `maxBytes` bytes. False,
    // with the reason, when it cannot. A host without files reads none.
    virtual bool ReadFile(const std::string& path, std::size_t maxBytes, std::string& bytes, std::string& failure);
    // The same for standard input (--batch -).
    virtual bool ReadStandardInput(std::size_t maxBytes, std::string& bytes, std::string& failure);

    // Renders the report as PDF into `pdfPath` (--pdf). `reportFile` is the
    // file the run wrote the same report to (--report), or empty. False,
    // with the reason, when it cannot.
    virtual bool WritePdf(const std::string& reportBytes, const std::string& reportFile, const std::string& pdfPath,
                          std::string& failure) = 0;
};

// A freshly loaded input screen reading the system through `environment`
// (a copy of one loaded once: safe on any thread).
InputScreen FreshScreen(const RunEnvironment& environment);

// The run of one design that every front end makes from options: a freshly
// loaded input screen reading the system through `environment`, the
// options' family, calculator, list entry and texts, and one Show Results.
// Empty, with the usage message, when the family holds no core of the
// picked part number (nothing is run then). A design file (--design) needs a
// host to read it: here it is a usage error (SetUpScreen reads one).
std::optional<InputScreen> RunDesign(const Options& options, const RunEnvironment& environment, std::string& error);

// What a finished run gives beyond its document, each empty when the run
// left nothing of the kind: the report file's bytes (--report; only a run
// that ended on the results screen has one), the SPICE model's text
// (--spice) and the inductance curve (--curve), both only of a design.
std::optional<std::string> ReportBytes(const InputScreen& session, const report::ReportPictures& pictures);
std::optional<std::string> SpiceText(const InputScreen& session);
std::optional<InductanceCurve> DesignCurve(const InputScreen& session, int points);

// Every core and stack compared with the options' texts (--explore): for
// each family compared, a fresh input screen with that family chosen and
// the options typed, as a single run's would be.
Comparison ExploreCores(const Options& options, const RunEnvironment& environment);

// Runs the design; returns the exit status (0 results, 1 any other end, 2
// a usage error found only now: a design file that cannot be read or is
// refused, a part the family does not hold). With --batch, RunBatch.
int Run(const Options& options, Host& host, std::ostream& out, std::ostream& err);

// The input screen as the options leave it when Show Results is pressed:
// the design file opened onto the fresh `screen` (--design, wherever it
// stands among the options), then the other options as on a fresh screen:
// --family chooses that family when the screen holds the other one (which
// sets the flux density text and empties the list), --pick chooses Pick Core
// and that part's list entry, then the units and field texts are typed, each
// replacing the file's. False, with the usage message, when the file cannot
// be read or is refused, or the family holds no such part.
bool SetUpScreen(const Options& options, Host& host, InputScreen& screen, std::string& error);

// What a run tells about the files it could not write, one line each.
using Tell = std::function<void(const std::string& line)>;

// Show Results on the set-up screen, and the files the options ask for:
// the design it starts from (--save-design, written first), the report (on
// the results screen only; when it cannot be written nothing more is), the
// SPICE model and the PDF. False when a file could not be written (told);
// `reportFailed` when that file was the report.
bool RunAndWrite(const Options& options, Host& host, InputScreen& session, const Tell& tell, bool& reportFailed);

// Compares every core and stack with the options' texts and prints the
// table; returns 0 when at least one row fits, else 1.
int RunExplore(const Options& options, Host& host, std::ostream& out);

}  // namespace coredesign::cli
