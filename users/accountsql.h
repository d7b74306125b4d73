#pragma once

#include <QStringList>

// The statement that stores a new account; the database draws its ID.
inline QStringList accountInsertSql()
{
    return {
        QStringLiteral("INSERT INTO USUARIO"),
        QStringLiteral("(ID, NOME, LOGIN, SENHA, ADMINISTRADOR, "),
        QStringLiteral("  ATIVO, FLAG_PAINEL_LEITURA, FLAG_ARQUIVADOS, "),
        QStringLiteral("  FLAG_INICIADO, FLAG_CONCLUIDO)"),
        QStringLiteral("VALUES (gen_id(GEN_ID_USUARIO , 1), :NEW_NOME, :NEW_LOGIN, :NEW_SENHA, :NEW_ADMINISTRADOR, "),
        QStringLiteral("  :NEW_ATIVO, :NEW_FLAG_PAINEL_LEITURA, :NEW_FLAG_ARQUIVADOS, "),
        QStringLiteral("  :NEW_FLAG_INICIADO, :NEW_FLAG_CONCLUIDO)"),
        QStringLiteral("RETURNING ID, NOME, LOGIN, SENHA, ADMINISTRADOR, ATIVO, FLAG_PAINEL_LEITURA, "
                       "FLAG_ARQUIVADOS, FLAG_INICIADO, FLAG_CONCLUIDO"),
    };
}
