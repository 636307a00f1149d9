// The report as PDF: the page layout of the designer's locale and the
// rendering of a page with the browser engine, shared by the viewer's "Save
// as PDF" and the module's entry for the command-line front end, so that
// both write the same document.
#pragma once

#include <QByteArray>
#include <QLocale>
#include <QPageLayout>
#include <QString>
#include <functional>

class QWebEnginePage;

namespace coredesign::gui {

// Portrait with 10 mm margins, on the paper of the locale: Letter in the
// United States, A4 elsewhere.
QPageLayout ReportPageLayout(const QLocale& locale);

// Renders what `page` shows as PDF on the layout of the default locale, then
// calls `done` with the document (empty when the engine could not render it).
void RenderPagePdf(QWebEnginePage& page, std::function<void(const QByteArray&)> done);

// Loads the report file in a page of its own, without a window, renders it
// and saves the PDF whole to `pdfFile`. Needs the application; runs its
// event loop until done (at most a minute). False, with the reason.
bool RenderReportFilePdf(const QString& reportFile, const QString& pdfFile, QString& failure);

}  // namespace coredesign::gui
