#pragma once

#include <QString>
#include <QStringList>

namespace schema {

// The statements that give an empty database the program's tables,
// generators and indexes, in the order they must run.
QStringList statements();

// Creates the database file at path and gives it the schema. Refuses, with an
// AppError, when the file exists; nothing is overwritten. On failure the
// half-made file is removed.
void createDatabase(const QString &path);

} // namespace schema
