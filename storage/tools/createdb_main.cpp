// orbilane-createdb PATH: makes an empty Orbilane database at PATH.
#include "storage/apperror.h"
#include "storage/fbclient.h"
#include "storage/schema.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        err << "Uso: orbilane-createdb CAMINHO\n"
               "Cria um banco de dados vazio do Orbilane no caminho indicado.\n";
        return 2;
    }
    fbclient::useRootBesideExecutable(QCoreApplication::applicationDirPath());
    try {
        schema::createDatabase(args.at(1));
    } catch (const AppError &e) {
        err << e.message() << '\n';
        return 1;
    }
    return 0;
}
