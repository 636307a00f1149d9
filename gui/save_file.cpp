#include "save_file.h"

#include <QFileInfo>
#include <QSaveFile>

namespace coredesign::gui {

bool SaveWhole(const QString& path, const QByteArray& bytes, QString& failure) {
    QSaveFile file(path);
    // No writing in place: a file that is not complete never takes the name.
    file.setDirectWriteFallback(false);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) return true;
    failure = file.errorString();
    return false;
}

QString WithSuffix(const QString& path, const QString& suffix) {
    return QFileInfo(path).suffix().isEmpty() ? path + suffix : path;
}

}  // namespace coredesign::gui
