#include "frmHtmlReport.h"

#include <QFile>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "design_record.h"
#include "fixed_screens.h"
#include "guarded_page.h"
#include "messages.h"
#include "named_file.h"
#include "qt_text.h"
#include "report_document.h"
#include "report_pdf.h"
#include "save_file.h"
#include "screen_look.h"
#include "screen_registry.h"
#include "seams.h"

namespace coredesign::gui {
namespace {

// In the displayed page: whether it holds the element named "print" (the
// report's print hook, ReportViewerScreen::kPrintHookName). The page's own
// scripts do not run, so the viewer prints a page with the hook itself.
QString FindPrintHook() {
    return QStringLiteral("document.getElementsByName('%1').length > 0")
        .arg(QString::fromLatin1(ReportViewerScreen::kPrintHookName));
}

// What the designer is told when a print fails: "Sorry for the
// inconvenience", an empty line, and that printing failed, with the reason
// when it can be told (a PDF file that cannot be written).
QString PrintFailureMessage(const QPrinter& printer) {
    QString reason;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        // The system's reason for the file: it is opened as the print would
        // open it, without emptying an existing one, and one made here goes again.
        QFile file(printer.outputFileName());
        const bool existed = file.exists();
        if (!file.open(existed ? QIODevice::Append : QIODevice::WriteOnly | QIODevice::NewOnly))
            reason = file.errorString();
        else if (!existed)
            file.remove();
    }
    return SorryMessage(reason.isEmpty() ? QStringLiteral("Printing failed.")
                                         : QStringLiteral("Printing failed: ") + reason);
}

}  // namespace

frmHtmlReport::frmHtmlReport(ScreenRegistry& registry) : registry_(registry) {
    setObjectName(QStringLiteral("frmHtmlReport"));
    setWindowTitle(Q(ReportViewerScreen::kTitle));
    setFixedSize(Twips(11445), Twips(7995));

    // A profile of its own, kept in memory only: the viewer shows local files
    // and leaves no cache or history behind. Its page loads nothing but the
    // shown file and its pictures.
    profile_ = new QWebEngineProfile(this);
    wb_ = new QWebEngineView(this);
    wb_->setObjectName(QStringLiteral("wb"));
    page_ = new GuardedPage(profile_, wb_);
    wb_->setPage(page_);
    // The report carries no character-set declaration: it is Windows-1252.
    wb_->settings()->setDefaultTextEncoding(QStringLiteral("windows-1252"));
    wb_->setGeometry(Twips(0), Twips(120), Twips(11460), Twips(7455));

    QPushButton* save = AddButton("cmdSave", 1560, 2055);
    QPushButton* open = AddButton("cmdOpen", 3960, 1215);
    QPushButton* print = AddButton("cmdPrint", 5520, 1215);
    QPushButton* reset = AddButton("cmdExit", 7080, 1575);
    QPushButton* back = AddButton("cmdBack", 8880, 1095);
    // Beside the report's own buttons, in the free space at the left.
    savePdf_ = AddButton("cmdSavePdf", 45, 1455);
    connect(save, &QPushButton::clicked, this, &frmHtmlReport::SaveClicked);
    connect(open, &QPushButton::clicked, this, &frmHtmlReport::OpenClicked);
    connect(print, &QPushButton::clicked, this, &frmHtmlReport::PrintClicked);
    connect(reset, &QPushButton::clicked, this, &frmHtmlReport::ResetClicked);
    connect(back, &QPushButton::clicked, this, &frmHtmlReport::BackClicked);
    connect(savePdf_, &QPushButton::clicked, this, &frmHtmlReport::SavePdfClicked);
}

frmHtmlReport::~frmHtmlReport() {
    // The page must go before its profile.
    delete wb_;
    wb_ = nullptr;
}

QPushButton* frmHtmlReport::AddButton(const char* name, int left, int width) {
    const ButtonText& text = ReportViewerScreen::Button(name);
    QPushButton* button =
        look::PlacedButton(this, Q(text.control), Q(text.caption), look::Arial(9.75, true), left, 7560, width, 375);
    button->setToolTip(Q(text.toolTip));
    return button;
}

void frmHtmlReport::Caution(const QString& text) {
    registry_.ShowMessage({text, QString::fromUtf8(kCautionTitle), BoxIcon::Information, this});
}

void frmHtmlReport::Navigate(const QString& path) {
    page_->ShowFile(path);
}

void frmHtmlReport::SaveClicked() {
    const std::optional<QString> chosen =
        registry_.RunFileDialog({FileDialogRequest::Mode::Save, dialogFileName_, QStringLiteral("*.html"), this});
    if (!chosen || chosen->isEmpty()) return;  // cancelled: nothing is copied, nothing overwritten
    dialogFileName_ = *chosen;

    // Always the generated report, whatever the view displays.
    QFile source(QFile::decodeName(
        QByteArray::fromStdString(platform::JoinPath(registry_.Record().TempFolder, report::kTemporaryReportName))));
    if (!source.open(QIODevice::ReadOnly)) {
        Caution(SorryMessage(source.errorString()));
        return;
    }
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError) {
        Caution(SorryMessage(source.errorString()));
        return;
    }
    // Written whole or not at all: a failed copy leaves an earlier file of that name as it was.
    QString failure;
    if (!SaveWhole(*chosen + QStringLiteral(".html"), bytes, failure, true)) Caution(SorryMessage(failure));
}

void frmHtmlReport::SavePdfClicked() {
    const std::optional<QString> chosen =
        registry_.RunFileDialog({FileDialogRequest::Mode::Save, pdfFileName_, QStringLiteral("PDF (*.pdf)"), this});
    if (!chosen || chosen->isEmpty()) return;  // cancelled: nothing is written
    pdfFileName_ = *chosen;
    const QString target = WithSuffix(*chosen, QStringLiteral(".pdf"));
    // The shown report, as the browser engine prints it; written whole once rendered.
    savePdf_->setEnabled(false);
    QPointer<frmHtmlReport> self(this);
    RenderPagePdf(*wb_->page(), [self, target](const QByteArray& pdf) {
        if (!self) return;
        self->savePdf_->setEnabled(true);
        QString failure = QStringLiteral("The report could not be rendered as PDF.");
        const bool saved = !pdf.isEmpty() && SaveWhole(target, pdf, failure);
        if (!saved) self->Caution(SorryMessage(failure));
        emit self->PdfSaveFinished(saved);
    });
}

void frmHtmlReport::OpenClicked() {
    const std::optional<QString> chosen =
        registry_.RunFileDialog({FileDialogRequest::Mode::Open, dialogFileName_, QStringLiteral("*.html"), this});
    if (!chosen || chosen->isEmpty()) return;  // cancelled: the display stays
    dialogFileName_ = *chosen;
    QFile file(*chosen);
    if (!file.open(QIODevice::ReadOnly)) {
        Caution(SorryMessage(file.errorString()));
        return;
    }
    file.close();
    Navigate(*chosen);
}

void frmHtmlReport::PrintClicked() {
    QPointer<frmHtmlReport> self(this);
    page_->runJavaScript(FindPrintHook(), QWebEngineScript::ApplicationWorld, [self](const QVariant& found) {
        if (!self) return;
        if (found.typeId() == QMetaType::Bool && found.toBool())
            self->PrintPage();
        else
            self->Caution(QString::fromLatin1(ReportViewerScreen::kCannotPrintMessage));
    });
}

// The printer lives until the view reports the end of printing; a print that
// fails (the printer cannot be opened, the page cannot be rendered for it) is told.
void frmHtmlReport::PrintPage() {
    QPrinter* printer = registry_.ChoosePrinter(this).release();
    if (!printer) return;  // cancelled
    connect(
        wb_, &QWebEngineView::printFinished, this,
        [this, printer](bool printed) {
            if (!printed) Caution(PrintFailureMessage(*printer));
            delete printer;
        },
        Qt::SingleShotConnection);
    wb_->print(printer);
}

void frmHtmlReport::BackClicked() {
    registry_.Carry(registry_.Flow().Command(FlowCommand::Back));  // this window closes last
}

void frmHtmlReport::ResetClicked() {
    registry_.Carry(registry_.Flow().Command(FlowCommand::ResetDesign));
}

void ShowReport(ScreenRegistry& registry, const QString& reportFile) {
    // The viewer, and with it the web engine, exists from the first report on.
    frmHtmlReport& viewer = registry.Get<frmHtmlReport>();
    registry.Carry(registry.Flow().Command(FlowCommand::ViewReport));
    viewer.Navigate(reportFile);
}

}  // namespace coredesign::gui
