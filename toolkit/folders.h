// Path helpers shared by the drive, folder and file lists (not for forms).
#pragma once

#include <QString>

namespace cellwright::detail {

// The process's current folder, also when it was deleted meanwhile (the system then gives no path
// for it, but on Linux still knows the one it had).
QString CurrentFolder();
// Why folder cannot be listed (the system's reason), or "" when it can.
QString FolderProblem(const QString &folder);
// folder and name joined by one separator.
QString JoinPath(const QString &folder, const QString &name);
// path made absolute against base, without "." / ".." / doubled separators.
QString ResolvePath(const QString &base, const QString &path);

} // namespace cellwright::detail
