// The desktop shell on Linux and other freedesktop systems: `xdg-mime` tells
// which desktop entry opens a kind of document, `gio launch` starts that entry
// with an address. Arguments go to the programs as a list: no shell ever sees
// them.
#ifndef _WIN32

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <algorithm>

#include "platform.h"

namespace coredesign::platform {
namespace {

constexpr int kQueryTimeoutMs = 10000;
constexpr int kLaunchTimeoutMs = 15000;
constexpr long kLaunchFailed = 5;

// The desktop entry id registered as the default for a MIME type, or empty.
QString DefaultDesktopEntry(const QString& mimeType) {
    QProcess query;
    query.setStandardErrorFile(QProcess::nullDevice());
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForStarted(kQueryTimeoutMs)) return {};
    if (!query.waitForFinished(kQueryTimeoutMs)) {
        query.kill();
        query.waitForFinished(1000);
        return {};
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) return {};
    const QString answer = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
    // The first line only, and only a plain desktop entry id.
    const QString id = answer.section(QLatin1Char('\n'), 0, 0).trimmed();
    if (!id.endsWith(QLatin1String(".desktop")) || id.startsWith(QLatin1Char('.')) || id.contains(QLatin1Char('/')) ||
        id.contains(QLatin1Char('\\')))
        return {};
    return id;
}

// The file of a desktop entry id, searched in the applications folders of the
// XDG data folders; a '-' in the id may stand for a subfolder.
QString DesktopEntryFile(const QString& id) {
    QList<int> dashes;
    for (int i = 0; i < id.size(); ++i)
        if (id[i] == QLatin1Char('-')) dashes.append(i);
    const int variants = 1 << std::min<qsizetype>(dashes.size(), 6);
    const QStringList folders = QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
    for (const QString& folder : folders) {
        for (int mask = 0; mask < variants; ++mask) {
            QString relative = id;
            for (int bit = 0; bit < dashes.size() && bit < 6; ++bit)
                if (mask & (1 << bit)) relative[dashes[bit]] = QLatin1Char('/');
            const QFileInfo candidate(QDir(folder).filePath(relative));
            if (candidate.isFile()) return candidate.absoluteFilePath();
        }
    }
    return {};
}

class FreedesktopShell final : public DesktopShell {
public:
    long LookUpProgram(const std::string& file, const std::string& folder, std::string& program) override {
        program.clear();
        const QFileInfo dir(QString::fromStdString(folder));
        if (folder.empty() || !dir.isDir()) return kPathNotFound;
        const QFileInfo document(QDir(dir.absoluteFilePath()).filePath(QString::fromStdString(file)));
        if (!document.exists()) return kFileNotFound;
        const QString suffix = document.suffix().toLower();
        const QString mimeType = suffix == QLatin1String("html") || suffix == QLatin1String("htm")
                                     ? QStringLiteral("text/html")
                                     : QMimeDatabase().mimeTypeForFile(document, QMimeDatabase::MatchExtension).name();
        const QString id = DefaultDesktopEntry(mimeType);
        if (id.isEmpty() || DesktopEntryFile(id).isEmpty()) return kNoAssociation;
        program = id.toStdString();
        return kFound;
    }

    // The parent window is not needed: the launched browser is a program of
    // its own. The address opens in the browser registered for HTML pages.
    long OpenAddress(WindowHandle, const std::string&, const std::string& address, const std::string&,
                     const std::string&, int) override {
        QString url = QString::fromStdString(address);
        if (!url.contains(QLatin1String("://"))) url.prepend(QLatin1String("http://"));
        const QString id = DefaultDesktopEntry(QStringLiteral("text/html"));
        if (id.isEmpty()) return kNoAssociation;
        const QString entry = DesktopEntryFile(id);
        if (entry.isEmpty()) return kFileNotFound;

        QProcess launch;
        launch.setStandardOutputFile(QProcess::nullDevice());
        launch.setStandardErrorFile(QProcess::nullDevice());
        launch.start(QStringLiteral("gio"), {QStringLiteral("launch"), entry, url});
        if (!launch.waitForStarted(kLaunchTimeoutMs)) {
            // No gio: let xdg-open pick the browser for the address.
            return QProcess::startDetached(QStringLiteral("xdg-open"), {url}) ? kOpened : kFileNotFound;
        }
        if (!launch.waitForFinished(kLaunchTimeoutMs)) {
            launch.kill();
            launch.waitForFinished(1000);
            return kLaunchFailed;
        }
        if (launch.exitStatus() != QProcess::NormalExit || launch.exitCode() != 0) return kLaunchFailed;
        return kOpened;
    }
};

}  // namespace

DesktopShell& SystemShell() {
    static FreedesktopShell shell;
    return shell;
}

}  // namespace coredesign::platform

#endif  // !_WIN32
