// Files the program writes into a folder that other users may write to as
// well (the temporary folder): the report View Report writes and the web
// link's probe. Such a name may have been planted by someone else, as a link
// to one of the designer's files or as a file of their own; the program then
// writes nothing and touches nothing, and says why.
//
// On POSIX systems the file is opened without following a symbolic link and
// made readable and writable by the user only; an existing name is used only
// when it is a regular file of this user with no other name (hard link), and
// it is emptied only after that is checked on the open file. On Windows the
// file is written as the system offers.
#pragma once

#include <string>

namespace coredesign::platform {

// Why a file was not written or removed: the system's error number and its
// description. A name refused because it is not the user's own file carries
// EEXIST and says what it is.
struct FileFailure {
    int number = 0;
    std::string description;
};

// Writes `content` to `path`, created or replaced whole, as a private file.
bool WritePrivateFile(const std::string& path, const std::string& content, FileFailure& failure);

// Creates `path` empty and private; the name must be free (an earlier file of
// this user's own under it is removed first).
bool CreatePrivateFile(const std::string& path, FileFailure& failure);

// Removes `path` when it is a file of this user's own; anything else of that
// name is left alone. True when no such file is left.
bool RemovePrivateFile(const std::string& path, FileFailure& failure);

}  // namespace coredesign::platform
