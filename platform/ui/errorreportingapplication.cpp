#include "platform/ui/errorreportingapplication.h"

#include "platform/ui/messagebox.h"
#include "storage/apperror.h"

ErrorReportingApplication::ErrorReportingApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool ErrorReportingApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const AppError &e) {
        reportError(e.message());
    } catch (const std::bad_alloc &) {
        reportError(QStringLiteral("Memória insuficiente para concluir a operação."));
    } catch (const std::exception &e) {
        reportError(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

void ErrorReportingApplication::reportError(const QString &text)
{
    MessageBox::error(QApplication::activeWindow(), QStringLiteral("Orbilane"), text);
}
