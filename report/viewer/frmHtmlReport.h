// The report viewer: shows the generated report (or a report saved earlier)
// in an embedded web view, and saves, opens and prints reports.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QPushButton;
class QWebEngineProfile;
class QWebEngineView;

namespace coredesign::gui {

class ScreenRegistry;

// Printing the displayed page: shows the print dialog and, unless the
// designer cancels it, prints the page. Tests stand in for it.
using PrintSeam = std::function<void(QWebEngineView& view)>;
// Replaces the print seam; an empty function restores the default. Returns the previous one.
PrintSeam SetPrintSeam(PrintSeam seam);

// The message the Print command shows for a page that is not a report of this
// program, and for a print that fails.
inline constexpr const char* kCannotPrintMessage =
    "UNABLE TO PRINT THE FILE AS IT IS NOT SAVED OR GENERATED FROM CORE DESIGN";

// "Sorry for the inconvenience", an empty line and the system's description.
QString SorryMessage(const QString& description);

class frmHtmlReport : public QWidget {
    Q_OBJECT
public:
    explicit frmHtmlReport(ScreenRegistry& registry);
    ~frmHtmlReport() override;

    // The browser's navigate: displays the file at this path.
    void Navigate(const QString& path);

    // The file name the file dialog holds from its previous use.
    const QString& DialogFileName() const { return dialogFileName_; }

private:
    void SaveClicked();
    void OpenClicked();
    void PrintClicked();
    void BackClicked();
    void ResetClicked();
    void PrintRequested();
    QPushButton* AddButton(const char* name, const char* caption, const char* tooltip, int left, int width);

    ScreenRegistry& registry_;
    QWebEngineProfile* profile_ = nullptr;
    QWebEngineView* wb_ = nullptr;
    QString dialogFileName_;
};

}  // namespace coredesign::gui
