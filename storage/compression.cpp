#include "storage/compression.h"

#include <QBuffer>
#include <QFileDevice>
#include <QIODevice>

#include <algorithm>
#include <memory>
#include <new>
#include <tuple>
#include <utility>

#include <zlib.h>

namespace {

// Chunk sizes, and the sizes of the buffers made for devices that are not
// QBuffers (see Input and Output). Reads from the source of a compression and
// writes into the dest of a decompression go in chunks of 1 MiB; the other
// side of each call works in smaller pieces so that, together with zlib's own
// state (about 260 KiB for deflate, 40 KiB for inflate), one call never holds
// more than 2 MiB apart from the two devices.
constexpr qint64 kDeflateInChunk = 1024 * 1024;
constexpr qint64 kDeflateOutChunk = 256 * 1024;
constexpr qint64 kInflateInChunk = 256 * 1024;
constexpr qint64 kInflateOutChunk = 1024 * 1024;

constexpr int kWindowBits = 15;  // zlib header and Adler-32 trailer required
constexpr int kMemLevel = 8;

// How long a sequential source that has nothing to hand over yet is waited on
// before its data is taken as ended.
constexpr int kSequentialWaitMs = 30000;

QString zlibMessage(const z_stream &zs, int rc)
{
    return QString::fromLatin1(zs.msg ? zs.msg : zError(rc));
}

[[noreturn]] void throwDamaged(const QString &detail)
{
    throw DecompressionError(QStringLiteral("Não foi possível descompactar os dados: %1").arg(detail));
}

// Two QBuffers over one QByteArray are one device too: reading would meet
// the output being added to it.
bool sameDevice(const QIODevice &source, const QIODevice &dest)
{
    if (&source == &dest)
        return true;
    const auto *sourceBuffer = qobject_cast<const QBuffer *>(&source);
    const auto *destBuffer = qobject_cast<const QBuffer *>(&dest);
    return sourceBuffer && destBuffer && &sourceBuffer->data() == &destBuffer->data();
}

void checkDevices(QIODevice &source, QIODevice &dest)
{
    if (sameDevice(source, dest))
        throw AppError(QStringLiteral("A origem e o destino dos dados não podem ser o mesmo dispositivo."));
    if (!source.isReadable())
        throw AppError(QStringLiteral("Os dados de origem não estão abertos para leitura."));
    if (!dest.isWritable())
        throw AppError(QStringLiteral("O destino dos dados não está aberto para escrita."));
    if (!source.isSequential() && !source.seek(0))
        throw AppError(QStringLiteral("Não foi possível voltar ao início dos dados de origem: %1")
                           .arg(source.errorString()));
}

// Reads what the source has, up to `max` bytes; 0 means the source has ended.
qint64 readSome(QIODevice &source, char *buffer, qint64 max)
{
    for (;;) {
        const qint64 n = source.read(buffer, max);
        if (n < 0)
            throw AppError(QStringLiteral("Não foi possível ler os dados de origem: %1")
                               .arg(source.errorString()));
        if (n > 0 || !source.isSequential() || !source.waitForReadyRead(kSequentialWaitMs))
            return n;
    }
}

void writeAll(QIODevice &dest, const char *data, qint64 size)
{
    if (size > 0 && dest.write(data, size) != size)
        throw AppError(QStringLiteral("Não foi possível gravar os dados: %1").arg(dest.errorString()));
}

// Takes back everything a failed call wrote into dest; see compression.h for
// which devices can be taken back.
class DestRollback
{
public:
    explicit DestRollback(QIODevice &dest)
        : m_dest(dest), m_sequential(dest.isSequential()), m_start(m_sequential ? 0 : dest.pos())
    {
        // Bytes after the position would be overwritten, and a failure could
        // not give them back.
        if (!m_sequential && dest.size() > m_start)
            throw AppError(QStringLiteral("O destino já contém dados depois da posição de escrita, "
                                          "que seriam sobrescritos."));
    }
    DestRollback(const DestRollback &) = delete;
    DestRollback &operator=(const DestRollback &) = delete;

    ~DestRollback()
    {
        if (!m_committed)
            rollBack();
    }

    void commit()
    {
        if (auto *file = qobject_cast<QFileDevice *>(&m_dest); file && !file->flush())
            throw AppError(QStringLiteral("Não foi possível gravar os dados: %1").arg(file->errorString()));
        m_committed = true;
        if (!m_sequential)
            m_dest.seek(0);
    }

private:
    void rollBack() noexcept
    {
        if (m_sequential)
            return;
        try {
            if (auto *buffer = qobject_cast<QBuffer *>(&m_dest))
                buffer->buffer().truncate(m_start);
            else if (auto *file = qobject_cast<QFileDevice *>(&m_dest))
                file->resize(m_start);
            m_dest.seek(m_start);
        } catch (...) {
            // Only a shared QByteArray detaching can throw here; nothing more
            // can be done for it while another exception is under way.
        }
    }

    QIODevice &m_dest;
    const bool m_sequential;
    const qint64 m_start;
    bool m_committed = false;
};

struct DeflateStream
{
    z_stream zs{};
    DeflateStream()
    {
        const int rc = deflateInit2(&zs, Z_DEFAULT_COMPRESSION, Z_DEFLATED, kWindowBits, kMemLevel,
                                    Z_DEFAULT_STRATEGY);
        if (rc == Z_MEM_ERROR)
            throw std::bad_alloc();
        if (rc != Z_OK)
            throw AppError(QStringLiteral("Não foi possível compactar os dados: %1").arg(zlibMessage(zs, rc)));
    }
    ~DeflateStream() { deflateEnd(&zs); }
    DeflateStream(const DeflateStream &) = delete;
    DeflateStream &operator=(const DeflateStream &) = delete;
};

struct InflateStream
{
    z_stream zs{};
    InflateStream()
    {
        const int rc = inflateInit2(&zs, kWindowBits);
        if (rc == Z_MEM_ERROR)
            throw std::bad_alloc();
        if (rc != Z_OK)
            throw AppError(QStringLiteral("Não foi possível descompactar os dados: %1").arg(zlibMessage(zs, rc)));
    }
    ~InflateStream() { inflateEnd(&zs); }
    InflateStream(const InflateStream &) = delete;
    InflateStream &operator=(const InflateStream &) = delete;
};

// QBuffer sources and dests are worked on in place: zlib reads straight out
// of the source's array and writes straight into the dest's, which spares a
// copy of every byte. Any other device goes through a buffer of our own.
// (Text mode keeps the device's own reads and writes, with their line-end
// handling.)
QBuffer *inPlaceBuffer(QIODevice &device)
{
    auto *buffer = qobject_cast<QBuffer *>(&device);
    return buffer && !(buffer->openMode() & QIODevice::Text) ? buffer : nullptr;
}

// The input, piece by piece.
class Input
{
public:
    Input(QIODevice &source, qint64 chunk) : m_source(source), m_buffer(inPlaceBuffer(source)), m_chunk(chunk) {}

    // The next piece, at most one chunk; empty once the source has ended.
    std::pair<const char *, qint64> next()
    {
        if (m_buffer) {
            const QByteArray &data = m_buffer->data();
            const qint64 start = m_buffer->pos();
            const qint64 n = std::min(m_chunk, qint64(data.size()) - start);
            m_buffer->seek(start + n);
            return {data.constData() + start, n};
        }
        if (!m_storage)
            m_storage = std::make_unique_for_overwrite<char[]>(m_chunk);
        return {m_storage.get(), readSome(m_source, m_storage.get(), m_chunk)};
    }

private:
    QIODevice &m_source;
    QBuffer *const m_buffer;
    const qint64 m_chunk;
    std::unique_ptr<char[]> m_storage;
};

// The output, piece by piece: room() gives space for the next piece, put()
// says how much of it was filled.
class Output
{
public:
    Output(QIODevice &dest, qint64 chunk) : m_dest(dest), m_buffer(inPlaceBuffer(dest)), m_chunk(chunk) {}

    std::pair<char *, qint64> room()
    {
        if (m_buffer) {
            QByteArray &data = m_buffer->buffer();
            const qint64 start = m_buffer->pos();  // its end, see DestRollback
            // Fill the capacity the array already has before growing it, so
            // that a dest reserved for its result is never reallocated.
            qint64 size = qint64(data.capacity()) - start;
            if (size <= 0)
                size = m_chunk;
            size = std::min(size, m_chunk);
            data.resize(start + size);
            return {data.data() + start, size};
        }
        if (!m_storage)
            m_storage = std::make_unique_for_overwrite<char[]>(m_chunk);
        return {m_storage.get(), m_chunk};
    }

    void put(qint64 n)
    {
        if (m_buffer) {
            const qint64 end = m_buffer->pos() + n;
            m_buffer->buffer().truncate(end);
            m_buffer->seek(end);
        } else {
            writeAll(m_dest, m_storage.get(), n);
        }
    }

private:
    QIODevice &m_dest;
    QBuffer *const m_buffer;
    const qint64 m_chunk;
    std::unique_ptr<char[]> m_storage;
};

} // namespace

void CompactarStream(QIODevice &source, QIODevice &dest)
{
    checkDevices(source, dest);
    DestRollback rollback(dest);
    DeflateStream stream;
    z_stream &zs = stream.zs;
    Input input(source, kDeflateInChunk);
    Output output(dest, kDeflateOutChunk);

    int flush = Z_NO_FLUSH;
    int rc = Z_OK;
    do {
        const auto [data, size] = input.next();
        flush = size == 0 ? Z_FINISH : Z_NO_FLUSH;
        zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data));
        zs.avail_in = static_cast<uInt>(size);
        // Without Z_FINISH, deflate stops short of filling the output only
        // once it has taken all the input; with it, once the stream is ended.
        do {
            const auto [room, roomSize] = output.room();
            zs.next_out = reinterpret_cast<Bytef *>(room);
            zs.avail_out = static_cast<uInt>(roomSize);
            rc = deflate(&zs, flush);
            if (rc == Z_STREAM_ERROR)
                throw AppError(QStringLiteral("Não foi possível compactar os dados: %1").arg(zlibMessage(zs, rc)));
            output.put(roomSize - zs.avail_out);
        } while (zs.avail_out == 0);
    } while (flush != Z_FINISH);
    if (rc != Z_STREAM_END)
        throw AppError(QStringLiteral("Não foi possível compactar os dados: %1").arg(zlibMessage(zs, rc)));

    rollback.commit();
}

void DescompactarStream(QIODevice &source, QIODevice &dest)
{
    checkDevices(source, dest);
    DestRollback rollback(dest);
    Input input(source, kInflateInChunk);

    auto [data, size] = input.next();
    if (size == 0) {
        // An empty blob is how empty content is stored.
        rollback.commit();
        return;
    }

    InflateStream stream;
    z_stream &zs = stream.zs;
    Output output(dest, kInflateOutChunk);
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data));
    zs.avail_in = static_cast<uInt>(size);
    bool sourceEnded = false;

    for (;;) {
        if (zs.avail_in == 0 && !sourceEnded) {
            std::tie(data, size) = input.next();
            sourceEnded = size == 0;
            zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data));
            zs.avail_in = static_cast<uInt>(size);
        }
        const auto [room, roomSize] = output.room();
        zs.next_out = reinterpret_cast<Bytef *>(room);
        zs.avail_out = static_cast<uInt>(roomSize);
        const int rc = inflate(&zs, Z_NO_FLUSH);
        output.put(roomSize - zs.avail_out);
        switch (rc) {
        case Z_OK:
        case Z_STREAM_END:
        case Z_BUF_ERROR:  // no progress possible without more input or room
            break;
        case Z_NEED_DICT:
        case Z_DATA_ERROR:
            throwDamaged(zlibMessage(zs, rc));
        case Z_MEM_ERROR:
            throw std::bad_alloc();
        default:
            throw AppError(QStringLiteral("Não foi possível descompactar os dados: %1").arg(zlibMessage(zs, rc)));
        }
        if (rc == Z_STREAM_END)
            break;
        // inflate takes the Adler-32 trailer only after handing out all the
        // output, so input used up before the end means the blob is cut short.
        if (sourceEnded && zs.avail_in == 0)
            throwDamaged(QStringLiteral("o conteúdo está incompleto."));
    }

    // The blob is the zlib stream and nothing else; anything after it means
    // it is not what was stored.
    if (zs.avail_in > 0 || (!sourceEnded && input.next().second > 0))
        throwDamaged(QStringLiteral("há bytes a mais depois do fim do conteúdo compactado."));

    rollback.commit();
}
