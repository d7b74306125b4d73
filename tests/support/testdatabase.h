#pragma once

#include "storage/fbconnection.h"

#include <QDateTime>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class TDM;

// A fresh database made from the project's schema in a temporary folder,
// with the global DM pointed at it for as long as the object lives.
class TestDatabase
{
public:
    TestDatabase();
    ~TestDatabase();

    QString path() const { return m_path; }
    QString folder() const { return m_dir.path(); }
    TDM &dm() { return *m_dm; }
    FbConnection &connection();

    // Rows put straight into the tables, for tests that need data to show.
    int addUser(const QString &name, const QString &login, const QString &password, bool admin = false,
                bool active = true)
    {
        return addUser(connection(), name, login, password, admin, active);
    }
    // The same on any connection (benchmarks fill databases of their own).
    static int addUser(FbConnection &connection, const QString &name, const QString &login, const QString &password,
                       bool admin = false, bool active = true);
    // content in the compressed-blob format of descriptions and attachments.
    static QByteArray compressed(const QByteArray &content);
    qint64 addNotebook(int userId, const QString &name);
    struct Task
    {
        int userId = 1;
        QString subject = QStringLiteral("Tarefa");
        qint64 notebookId = 0;
        int status = 0;
        int priority = 0;
        int progress = 0;
        QDateTime created = QDateTime(QDate(2026, 1, 2), QTime(9, 30));
        QDateTime started, due, completed;
        qint64 order = 0;     // 0: the same as the new ID
        QByteArray rtf;       // stored compressed when not empty
    };
    qint64 addTask(const Task &task);
    void exec(const QString &sql);
    QVariant scalar(const QString &sql);

    // The schema's template database is made once per test program and copied.
    static QString templatePath();

private:
    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<TDM> m_dm;
    TDM *m_previousDm = nullptr;
};
