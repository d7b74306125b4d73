#include "storage/fbclient.h"

#include "storage/apperror.h"

#include <QDir>
#include <QFileInfo>

#include <cstdlib>

using namespace Firebird;

namespace fbclient {

IMaster *master()
{
    static IMaster *m = fb_get_master_interface();
    return m;
}

IUtil *util()
{
    static IUtil *u = master()->getUtilInterface();
    return u;
}

QString statusText(const IStatus *status)
{
    char buffer[2048];
    util()->formatStatus(buffer, sizeof buffer, const_cast<IStatus *>(status));
    // The engine writes its messages in the system's code page; on Debian that is UTF-8.
    return QString::fromUtf8(buffer).trimmed();
}

namespace {

bool hasCode(const IStatus *status, ISC_STATUS code)
{
    const intptr_t *v = const_cast<IStatus *>(status)->getErrors();
    // The vector is a sequence of (tag, value) pairs, ended by isc_arg_end.
    for (int i = 0; v[i] != isc_arg_end && i < 40; i += 2) {
        if (v[i] == isc_arg_gds && v[i + 1] == code)
            return true;
    }
    return false;
}

} // namespace

void raise(const FbException &e, const QString &context)
{
    const IStatus *status = e.getStatus();
    const QString engine = statusText(status);
    QString sentence = context;
    if (hasCode(status, isc_lock_conflict) || hasCode(status, isc_deadlock) || hasCode(status, isc_update_conflict)
        || hasCode(status, isc_lock_timeout)) {
        sentence = QStringLiteral("Os dados estão sendo alterados por outro usuário neste momento. "
                                  "Aguarde um instante e tente novamente.");
    }
    if (sentence.isEmpty())
        throw AppError(engine);
    throw AppError(sentence + QStringLiteral("\n\n") + engine);
}

void useRootBesideExecutable(const QString &executableDir)
{
    const QString root = QDir(executableDir).filePath(QStringLiteral("firebird"));
    if (QFileInfo::exists(QDir(root).filePath(QStringLiteral("firebird.conf"))))
        setenv("FIREBIRD", QFile::encodeName(root).constData(), 1);
}

void cacheLocalTimeZone()
{
    if (qEnvironmentVariableIsEmpty("TZ") && QFileInfo::exists(QStringLiteral("/etc/localtime")))
        setenv("TZ", ":/etc/localtime", 1);
}

} // namespace fbclient
