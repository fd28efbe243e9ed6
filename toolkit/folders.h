// Path helpers shared by the drive, folder and file lists (not for forms).
#pragma once

#include <QString>

namespace cellwright::detail {

// Why folder cannot be listed (the system's reason), or "" when it can.
QString FolderProblem(const QString &folder);
// folder and name joined by one separator.
QString JoinPath(const QString &folder, const QString &name);
// path made absolute against base, without "." / ".." / doubled separators.
QString ResolvePath(const QString &base, const QString &path);

} // namespace cellwright::detail
