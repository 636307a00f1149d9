#include "exports.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "folders.h"
#include "report_pdf_entry.h"
#include "runtime.h"

namespace coredesign::cli {

void WriteCurve(JsonWriter& w, const InductanceCurve& curve) {
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

bool WriteFileWhole(const std::string& path, const std::string& text, std::string& failure) {
    const std::string partial = path + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (!out) {
            failure = std::strerror(errno);
            return false;
        }
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            failure = std::strerror(errno);
            out.close();
            std::remove(partial.c_str());
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    if (error) {
        failure = error.message();
        std::remove(partial.c_str());
        return false;
    }
    return true;
}

bool WriteReportPdf(const std::string& reportFile, const std::string& pdfFile, std::string& failure) {
    const std::string module = platform::ProgramFolder() + platform::kPathSeparator + COREDESIGN_VIEWER_MODULE_FILE;
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

}  // namespace coredesign::cli
