#pragma once

#include <QString>

namespace Firebird {
class IAttachment;
class ITransaction;
}

// The one connection to the database file. Every statement runs in a
// transaction of its own that commits at once (read committed, record
// versions), and waits at most lockTimeoutSeconds for a row another program
// holds, so a conflict becomes an error instead of a hang.
class FbConnection
{
public:
    struct Settings
    {
        QString database;
        QString userName = QStringLiteral("sysdba");
        QString password;
        QString characterSet = QStringLiteral("WIN1252");
        int lockTimeoutSeconds = 10;
    };

    FbConnection() = default;
    ~FbConnection();
    FbConnection(const FbConnection &) = delete;
    FbConnection &operator=(const FbConnection &) = delete;

    Settings &settings() { return m_settings; }
    const Settings &settings() const { return m_settings; }

    void open();
    void close();
    bool isOpen() const { return m_attachment != nullptr; }

    // Opens the connection when a previous attempt failed, so that every
    // statement reports the real reason again.
    Firebird::IAttachment *attachment();
    // Statements that only read get a read-only transaction: committing it
    // writes nothing to the database file.
    Firebird::ITransaction *startTransaction(bool readOnly = false);

private:
    Settings m_settings;
    Firebird::IAttachment *m_attachment = nullptr;
};
