#include "save_file.h"

#include <QFile>
#include <QFileInfo>
#include <string>

#include "named_file.h"

namespace coredesign::gui {

bool SaveWhole(const QString& path, const QByteArray& bytes, QString& failure) {
    std::string reason;
    if (platform::WriteNamedFile(QFile::encodeName(path).toStdString(), bytes.toStdString(), reason)) return true;
    failure = QString::fromLocal8Bit(reason);
    return false;
}

QString WithSuffix(const QString& path, const QString& suffix) {
    return QFileInfo(path).suffix().isEmpty() ? path + suffix : path;
}

}  // namespace coredesign::gui
