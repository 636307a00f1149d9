// Saving a file the designer chose: written whole or not at all, so that a
// save that fails (a folder that cannot be written, a full disk) leaves an
// earlier file of that name as it was.
#pragma once

#include <QByteArray>
#include <QString>

namespace coredesign::gui {

// Writes `bytes` to `path` through a new file that takes the name only once
// it is complete. False, with the system's description in `failure`, when it
// cannot. With `inPlaceWhenFolderLocked`, a file in a folder where no new
// file can be made is written in place instead (then not whole).
bool SaveWhole(const QString& path, const QByteArray& bytes, QString& failure, bool inPlaceWhenFolderLocked = false);

// `path`, with `suffix` (".png") appended when its file name has no suffix.
QString WithSuffix(const QString& path, const QString& suffix);

}  // namespace coredesign::gui
