// The host of coredesign-cli's runs on this system: the temporary folder and
// the program's folder read through platform/, the files the user names read
// as they stand and written as they stand (platform::WriteNamedFile: a device
// written into, a link followed, a regular file whole or not at all), and the
// PDF rendered by the report viewer's module, loaded only when a PDF is asked
// for, from a temporary copy of the report that no signal leaves behind.
#pragma once

#include <ostream>

#include "run.h"

namespace coredesign::cli {

class SystemHost final : public Host {
public:
    RunEnvironment Environment() override;
    report::ReportPictures Pictures() override;
    bool WriteFile(const std::string& path, const std::string& bytes, Write how, std::string& failure) override;
    bool ReadFile(const std::string& path, std::size_t maxBytes, std::string& bytes, std::string& failure) override;
    bool ReadStandardInput(std::size_t maxBytes, std::string& bytes, std::string& failure) override;
    bool WritePdf(const std::string& reportBytes, const std::string& reportFile, const std::string& pdfPath,
                  std::string& failure) override;
};

// Renders the report file `reportFile` as PDF into `pdfFile` with the report
// viewer's module (beside this program), which is loaded only now. False,
// with the reason, when the module cannot be loaded or the rendering fails.
bool WriteReportPdf(const std::string& reportFile, const std::string& pdfFile, std::string& failure);

// A run on this system's host.
int Run(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace coredesign::cli
