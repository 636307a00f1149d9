// The report viewer's web page. A report (or any HTML file the designer opens)
// may come from someone else, so the page loads nothing but the shown file
// and the local pictures it refers to: nothing from the network, nothing else
// from the disk, no navigation away from the file, and no script of the
// page's own. The viewer's own scripts (finding the print hook) run apart
// from the page's, in the application's script world.
#pragma once

#include <QString>
#include <QUrl>
#include <QWebEnginePage>

class QWebEngineProfile;

namespace coredesign::gui {

class ShownFileOnly;

class GuardedPage : public QWebEnginePage {
    Q_OBJECT
public:
    // A page on `profile`, whose requests it guards from now on (the profile
    // should serve this page only).
    GuardedPage(QWebEngineProfile* profile, QObject* parent);

    // Displays the file at this path; it becomes the only page it may load.
    void ShowFile(const QString& path);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;

private:
    ShownFileOnly* guard_;
};

}  // namespace coredesign::gui
