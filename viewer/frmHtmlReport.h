// The report viewer: shows the generated report (or a report saved earlier)
// in an embedded web view, and saves, opens and prints reports. It reaches
// the other screens only through the registry's commands.
#pragma once

#include <QString>
#include <QWidget>

#include "screen_flow.h"

class QPushButton;
class QWebEngineProfile;
class QWebEngineView;

namespace coredesign::gui {

class GuardedPage;
class ScreenRegistry;

class frmHtmlReport : public QWidget {
    Q_OBJECT
public:
    static constexpr Screen kScreen = Screen::ReportViewer;
    explicit frmHtmlReport(ScreenRegistry& registry);
    ~frmHtmlReport() override;

    // The browser's navigate: displays the file at this path.
    void Navigate(const QString& path);

    // The file name the file dialog holds from its previous use.
    const QString& DialogFileName() const { return dialogFileName_; }

signals:
    // A "Save as PDF" has ended: the file written, or the failure told.
    void PdfSaveFinished(bool saved);

private:
    void SaveClicked();
    void SavePdfClicked();
    void OpenClicked();
    void PrintClicked();
    void BackClicked();
    void ResetClicked();
    // The print dialog, then the page printed to the printer chosen there.
    void PrintPage();
    // A message box titled "Caution" over the viewer.
    void Caution(const QString& text);
    QPushButton* AddButton(const char* name, int left, int width);  // caption and tool tip from the model

    ScreenRegistry& registry_;
    QWebEngineProfile* profile_ = nullptr;
    QWebEngineView* wb_ = nullptr;
    GuardedPage* page_ = nullptr;
    QString dialogFileName_;
    QString pdfFileName_;  // the PDF file dialog's name from its previous use
    QPushButton* savePdf_ = nullptr;
};

// Shows the viewer (created on first use) and navigates it to this report.
void ShowReport(ScreenRegistry& registry, const QString& reportFile);

}  // namespace coredesign::gui
