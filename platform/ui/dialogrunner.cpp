#include "platform/ui/dialogrunner.h"

#include <QDialog>
#include <QHash>
#include <QList>

namespace {

QHash<QString, QList<DialogRunner::Handler>> &pending()
{
    static QHash<QString, QList<DialogRunner::Handler>> handlers;
    return handlers;
}

} // namespace

namespace DialogRunner {

int exec(QDialog *dialog)
{
    auto it = pending().find(dialog->objectName());
    if (it != pending().end() && !it->isEmpty()) {
        const Handler handler = it->takeFirst();
        const int result = handler(dialog);
        dialog->setResult(result);
        return result;
    }
    return dialog->exec();
}

void queue(const QString &objectName, Handler handler)
{
    pending()[objectName].append(std::move(handler));
}

bool hasPending(const QString &objectName)
{
    return !pending().value(objectName).isEmpty();
}

void resetForTest()
{
    pending().clear();
}

} // namespace DialogRunner
