// The report as a PDF file: the entry of the report viewer's module that
// renders a report file with the viewer's browser engine, without a window.
// The command-line front end loads the module and calls the entry only when
// a PDF is asked for, so that no other run maps the browser engine (or Qt).
// Declared here, free of Qt, for both sides.
#pragma once

#include <cstddef>

extern "C" {
// Renders the report file `reportFile` (UTF-8 path) as the viewer's "Save as
// PDF" does and writes the PDF to `pdfFile`, whole or not at all. Creates the
// application (offscreen) when the process has none, and ends it again
// before returning, with the browser engine's helper processes. Returns 1 on
// success; 0 with the reason (UTF-8, cut to fit) in `failure`.
using CoreDesignRenderPdfEntry = int (*)(const char* reportFile, const char* pdfFile, char* failure,
                                         std::size_t failureSize);
}

namespace coredesign::report {
// The entry's symbol name in the report viewer's module.
inline constexpr const char* kRenderPdfEntryName = "coredesign_render_report_pdf";
}  // namespace coredesign::report
