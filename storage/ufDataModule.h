#pragma once

#include "storage/fbconnection.h"

#include <QString>

class QIODevice;

// The data module: the one connection every window's statements run on, and
// the operations on data shared by every window.
class TDM
{
public:
    TDM() = default;
    TDM(const TDM &) = delete;
    TDM &operator=(const TDM &) = delete;

    // Points the connection at Banco/DATA.FDB beside the executable and opens
    // it. Throws AppError when the database cannot be opened; every later
    // statement then tries to open it again.
    // executableDir stands in for the executable's folder (tests); empty means the real one.
    void DataModuleCreate(const QString &executableDir = QString());
    static QString databasePathBeside(const QString &executableDir);

    // Next value of the generator GEN_ID_<table>. Throws AppError when the
    // generator cannot be read, so that no row is ever stored with a made-up ID.
    double GenID(const QString &ATabela);

    // The folder "Tarefas" for files of the signed-in person's own, inside
    // APPDATA when that is set and not empty, otherwise inside the desktop's
    // per-user data folder. Created when missing; returned even when creating
    // it failed.
    QString GetPathAppData();

    void CompactarStream(QIODevice &Source, QIODevice &Dest);
    void DescompactarStream(QIODevice &Source, QIODevice &Dest);
    QString Cripto(const QString &text, quint16 key);

    FbConnection FDConn;
};

// The one data module, from start-up to the end of the program.
extern TDM *DM;
