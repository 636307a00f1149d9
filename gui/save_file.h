// Saving a file the designer chose, as platform::WriteNamedFile writes every
// file the user names: a device written into, a link followed, the file's
// permissions kept, and a regular file whole or not at all, so that a save
// that fails (a folder that cannot be written, a full disk) leaves an
// earlier file of that name as it was.
#pragma once

#include <QByteArray>
#include <QString>

namespace coredesign::gui {

// Writes `bytes` to `path`. False, with the system's description in
// `failure`, when it cannot.
bool SaveWhole(const QString& path, const QByteArray& bytes, QString& failure);

// `path`, with `suffix` (".png") appended when its file name has no suffix.
QString WithSuffix(const QString& path, const QString& suffix);

}  // namespace coredesign::gui
