#include "save_file.h"

#include <QFileInfo>
#include <QSaveFile>

namespace coredesign::gui {

bool SaveWhole(const QString& path, const QByteArray& bytes, QString& failure, bool inPlaceWhenFolderLocked) {
    QSaveFile file(path);
    file.setDirectWriteFallback(inPlaceWhenFolderLocked);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        failure = file.errorString();
        return false;
    }
    // The flush before the commit: a write that the disk cuts short shows
    // there (the commit would give the name to the short file all the same),
    // and the system gives no reason for it.
    if (!file.flush()) {
        failure = QStringLiteral("Only part of the file could be written; the disk may be full.");
        return false;
    }
    if (file.commit()) return true;
    failure = file.errorString();
    return false;
}

QString WithSuffix(const QString& path, const QString& suffix) {
    return QFileInfo(path).suffix().isEmpty() ? path + suffix : path;
}

}  // namespace coredesign::gui
