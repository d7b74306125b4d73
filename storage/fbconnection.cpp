#include "storage/fbconnection.h"

#include "storage/fbclient.h"

#include <QFile>

using namespace Firebird;

FbConnection::~FbConnection()
{
    close();
}

void FbConnection::open()
{
    if (m_attachment)
        return;
    ThrowStatusWrapper status(fbclient::master()->getStatus());
    IXpbBuilder *dpb = nullptr;
    IProvider *provider = nullptr;
    try {
        dpb = fbclient::util()->getXpbBuilder(&status, IXpbBuilder::DPB, nullptr, 0);
        dpb->insertString(&status, isc_dpb_user_name, m_settings.userName.toUtf8().constData());
        dpb->insertString(&status, isc_dpb_password, m_settings.password.toUtf8().constData());
        dpb->insertString(&status, isc_dpb_lc_ctype, m_settings.characterSet.toUtf8().constData());
        provider = fbclient::master()->getDispatcher();
        const QByteArray path = QFile::encodeName(m_settings.database);
        m_attachment = provider->attachDatabase(&status, path.constData(), dpb->getBufferLength(&status),
                                                dpb->getBuffer(&status));
        provider->release();
        dpb->dispose();
        status.dispose();
    } catch (const FbException &e) {
        if (provider)
            provider->release();
        if (dpb)
            dpb->dispose();
        status.dispose();
        fbclient::raise(e, QStringLiteral("Não foi possível abrir o banco de dados \"%1\".").arg(m_settings.database));
    }
}

void FbConnection::close()
{
    if (!m_attachment)
        return;
    ThrowStatusWrapper status(fbclient::master()->getStatus());
    try {
        m_attachment->detach(&status);
    } catch (const FbException &) {
        // Nothing is pending (every statement commits on its own); drop the handle.
        m_attachment->release();
    }
    status.dispose();
    m_attachment = nullptr;
}

IAttachment *FbConnection::attachment()
{
    open();
    return m_attachment;
}

ITransaction *FbConnection::startTransaction(bool readOnly)
{
    IAttachment *att = attachment();
    ThrowStatusWrapper status(fbclient::master()->getStatus());
    IXpbBuilder *tpb = nullptr;
    try {
        tpb = fbclient::util()->getXpbBuilder(&status, IXpbBuilder::TPB, nullptr, 0);
        tpb->insertTag(&status, readOnly ? isc_tpb_read : isc_tpb_write);
        tpb->insertTag(&status, isc_tpb_read_committed);
        tpb->insertTag(&status, isc_tpb_rec_version);
        tpb->insertTag(&status, isc_tpb_wait);
        tpb->insertInt(&status, isc_tpb_lock_timeout, m_settings.lockTimeoutSeconds);
        ITransaction *tra = att->startTransaction(&status, tpb->getBufferLength(&status), tpb->getBuffer(&status));
        tpb->dispose();
        status.dispose();
        return tra;
    } catch (const FbException &e) {
        if (tpb)
            tpb->dispose();
        status.dispose();
        fbclient::raise(e);
    }
}
