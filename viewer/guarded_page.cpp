#include "guarded_page.h"

#include <QDir>
#include <QFileInfo>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>

namespace coredesign::gui {

// Every request of the profile's pages passes here: the shown file as the
// page itself, and local pictures; everything else is blocked.
class ShownFileOnly : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void Show(const QString& path) { shown_ = QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

    bool IsShown(const QUrl& url) const {
#ifdef Q_OS_WIN
        constexpr Qt::CaseSensitivity kNames = Qt::CaseInsensitive;
#else
        constexpr Qt::CaseSensitivity kNames = Qt::CaseSensitive;
#endif
        return !shown_.isEmpty() && url.isLocalFile() &&
               QDir::cleanPath(url.toLocalFile()).compare(shown_, kNames) == 0;
    }

    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        const QUrl url = info.requestUrl();
        bool allowed = false;
        if (info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame) allowed = IsShown(url);
        if (info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeImage) allowed = IsLocalPicture(url);
        info.block(!allowed);
    }

private:
    // A file the page shows as a picture: it cannot read it as anything else.
    static bool IsLocalPicture(const QUrl& url) {
        static const QStringList kPictures = {QStringLiteral("gif"), QStringLiteral("png"), QStringLiteral("jpg"),
                                              QStringLiteral("jpeg"), QStringLiteral("bmp")};
        return url.isLocalFile() && kPictures.contains(QFileInfo(url.toLocalFile()).suffix().toLower());
    }

    QString shown_;  // the clean absolute path of the shown file
};

GuardedPage::GuardedPage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent), guard_(new ShownFileOnly(profile)) {
    profile->setUrlRequestInterceptor(guard_);
    QWebEngineSettings* page = settings();
    // The page's own scripts never run: it could neither fetch nor send
    // anything, nor open windows or dialogs, even past the guard.
    page->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    page->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    // The report's pictures are files apart from it; the guard lets only pictures through.
    page->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
}

void GuardedPage::ShowFile(const QString& path) {
    guard_->Show(path);
    load(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

// Links, forms, refreshes and frames lead nowhere: the page stays the shown file.
bool GuardedPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) {
    return isMainFrame && guard_->IsShown(url);
}

}  // namespace coredesign::gui
