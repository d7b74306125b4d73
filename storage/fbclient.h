#pragma once

#include <firebird/Interface.h>

#include <QString>

// Access to the Firebird client library and its errors.
namespace fbclient {

Firebird::IMaster *master();
Firebird::IUtil *util();

// The engine's own text for a failed call.
QString statusText(const Firebird::IStatus *status);

// Turns an engine failure into the AppError the program reports: a Portuguese
// sentence for the situations a person can meet, then the engine's message.
[[noreturn]] void raise(const Firebird::FbException &e, const QString &context = QString());

// The embedded engine must run in Classic mode from the root folder laid out
// beside the executables; this points the client library at it. Call before
// the first attachment. Does nothing when there is no such folder.
void useRootBesideExecutable(const QString &executableDir);

// Timestamps read from the database become local QDateTimes. With TZ unset,
// glibc looks at /etc/localtime again for every conversion, which made that
// more than half the cost of listing tasks; naming the file once lets it
// keep the zone it read.
void cacheLocalTimeZone();

} // namespace fbclient
