#include "system_host.h"

#include "file_reference.h"
#include "folders.h"
#include "named_file.h"
#include "report_pdf_entry.h"
#include "runtime.h"
#include "terminal_text.h"

namespace coredesign::cli {

RunEnvironment SystemHost::Environment() {
    return {[] { return platform::TempFolder(); }};
}

report::ReportPictures SystemHost::Pictures() {
    const std::string folder = platform::ProgramFolder();
    return report::FindPictures([&folder](const char* file) { return platform::FileReference(folder, file); });
}

bool SystemHost::WriteFile(const std::string& path, const std::string& bytes, Write, std::string& failure) {
    // Every file the user names is written the one way: as it stands, a regular file whole or not at all.
    return platform::WriteNamedFile(path, bytes, failure);
}

bool SystemHost::ReadFile(const std::string& path, std::size_t maxBytes, std::string& bytes, std::string& failure) {
    return platform::ReadNamedFile(path, maxBytes, bytes, failure);
}

bool SystemHost::ReadStandardInput(std::size_t maxBytes, std::string& bytes, std::string& failure) {
    return platform::ReadStandardInput(maxBytes, bytes, failure);
}

bool SystemHost::WritePdf(const std::string& reportBytes, const std::string&, const std::string& pdfPath,
                          std::string& failure) {
    // The renderer reads a file: a private copy of the report in the temporary
    // folder, never the one --report named (a device or a FIFO, or a file
    // someone else may change), removed when the program ends, by a signal too.
    const std::string folder = platform::TempFolder();
    const platform::TemporaryFile report(folder, "coredesign-report-", ".htm", reportBytes);
    if (report.Path().empty()) {
        failure = "the report to render cannot be written into the temporary folder '" + EscapeControls(folder) +
                  "': " + report.Failure();
        return false;
    }
    return WriteReportPdf(report.Path(), pdfPath, failure);
}

bool WriteReportPdf(const std::string& reportFile, const std::string& pdfFile, std::string& failure) {
    const std::string module = platform::JoinPath(platform::ProgramFolder(), COREDESIGN_VIEWER_MODULE_FILE);
    void* loaded = platform::LoadModule(module, failure);
    if (!loaded) return false;
    void* symbol = platform::ModuleSymbol(loaded, report::kRenderPdfEntryName, failure);
    if (!symbol) return false;
    const auto render = reinterpret_cast<CoreDesignRenderPdfEntry>(symbol);
    char reason[1024] = {};
    if (render(reportFile.c_str(), pdfFile.c_str(), reason, sizeof reason) != 1) {
        failure = reason[0] ? reason : "the report could not be rendered";
        return false;
    }
    return true;
}

int Run(const Options& options, std::ostream& out, std::ostream& err) {
    SystemHost host;
    return Run(options, host, out, err);
}

}  // namespace coredesign::cli
