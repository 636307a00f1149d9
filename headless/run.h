// One command line's work, without the operating system: the options given,
// a freshly loaded input screen, one Show Results (or, with --explore, the
// comparison of every core and stack), the output, and the files the
// options ask for through the host. The host is the front end's: the CLI's
// writes files and loads the PDF renderer through platform/, another front
// end brings its own.
#pragma once

#include <ostream>
#include <string>

#include "design_run.h"
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

    // Renders the report as PDF into `pdfPath` (--pdf). `reportFile` is the
    // file the run wrote the same report to (--report), or empty. False,
    // with the reason, when it cannot.
    virtual bool WritePdf(const std::string& reportBytes, const std::string& reportFile, const std::string& pdfPath,
                          std::string& failure) = 0;
};

// Runs the design; returns the exit status (0 results, 1 any other end).
int Run(const Options& options, Host& host, std::ostream& out, std::ostream& err);

// Compares every core and stack with the options' texts and prints the
// table; returns 0 when at least one row fits, else 1.
int RunExplore(const Options& options, Host& host, std::ostream& out);

}  // namespace coredesign::cli
