#pragma once

#include <firebird/Interface.h>

#include <QByteArray>
#include <QVariant>

// How values travel between the program and the engine's messages.
namespace fbvalues {

// A parameter value as it goes to the engine: the type we describe (the
// engine converts it to the column's type) and its bytes. NULL keeps the
// type the engine described.
struct ParamPlan
{
    unsigned type = SQL_NULL;
    unsigned length = 0;
    unsigned charset = 0;
    bool null = true;
    QByteArray bytes;
};

// Throws AppError for text the database cannot hold or that is too long.
ParamPlan planParam(const QVariant &value, unsigned describedType, unsigned describedLength);

// Column i of a fetched message; blobs are read whole within tra.
QVariant readColumn(Firebird::IMessageMetadata *meta, unsigned i, const unsigned char *buffer,
                    Firebird::IAttachment *att, Firebird::ITransaction *tra, Firebird::ThrowStatusWrapper &status);

ISC_QUAD writeBlob(Firebird::IAttachment *att, Firebird::ITransaction *tra, const QByteArray &content,
                   Firebird::ThrowStatusWrapper &status);

} // namespace fbvalues
