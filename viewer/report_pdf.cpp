#include "report_pdf.h"

#include <QEventLoop>
#include <QMarginsF>
#include <QPageSize>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <memory>

#include "save_file.h"

namespace coredesign::gui {
namespace {
// A report renders in well under a second; a web engine that does not answer
// within this time is given up on.
constexpr int kRenderTimeoutMs = 60000;
}  // namespace

QPageLayout ReportPageLayout(const QLocale& locale) {
    const QPageSize paper(locale.territory() == QLocale::UnitedStates ? QPageSize::Letter : QPageSize::A4);
    return QPageLayout(paper, QPageLayout::Portrait, QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

void RenderPagePdf(QWebEnginePage& page, std::function<void(const QByteArray&)> done) {
    page.printToPdf([done = std::move(done)](const QByteArray& pdf) { done(pdf); }, ReportPageLayout(QLocale()));
}

bool RenderReportFilePdf(const QString& reportFile, const QString& pdfFile, QString& failure) {
    // A profile kept in memory only, as the viewer's.
    QWebEngineProfile profile;
    auto page = std::make_unique<QWebEnginePage>(&profile);
    // The report carries no character-set declaration: it is Windows-1252.
    page->settings()->setDefaultTextEncoding(QStringLiteral("windows-1252"));

    // What the engine's answers write to; they may come after this function
    // has given up waiting, and then find nobody waiting.
    struct State {
        QEventLoop loop;
        bool waiting = true, rendering = false, saved = false;
        QString failure = QStringLiteral("the report could not be shown");
        void Finish(bool ok, const QString& reason) {
            if (!waiting) return;
            waiting = false;
            saved = ok;
            if (!ok) failure = reason;
            loop.quit();
        }
    };
    auto state = std::make_shared<State>();
    QWebEnginePage* shown = page.get();
    QObject::connect(shown, &QWebEnginePage::loadFinished, &state->loop, [state, shown, pdfFile](bool loaded) {
        if (!loaded) return state->Finish(false, QStringLiteral("the report could not be loaded"));
        if (state->rendering) return;
        state->rendering = true;
        RenderPagePdf(*shown, [state, pdfFile](const QByteArray& pdf) {
            if (!state->waiting) return;
            if (pdf.isEmpty()) return state->Finish(false, QStringLiteral("the report could not be rendered as PDF"));
            QString reason;
            const bool ok = SaveWhole(pdfFile, pdf, reason);
            state->Finish(ok, reason);
        });
    });
    QTimer::singleShot(kRenderTimeoutMs, &state->loop, [state] {
        state->Finish(false, QStringLiteral("the browser engine did not render the report in time"));
    });
    page->load(QUrl::fromLocalFile(reportFile));
    if (state->waiting) state->loop.exec();
    state->waiting = false;
    page.reset();  // the page goes before its profile
    failure = state->failure;
    return state->saved;
}

}  // namespace coredesign::gui
