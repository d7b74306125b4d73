#include "storage/compression.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryFile>
#include <QTest>

#include <algorithm>
#include <cstring>

#include <zlib.h>

namespace {

constexpr qsizetype kMiB = 1024 * 1024;

// Text-like runs mixed with runs of random bytes, the same for the same seed.
QByteArray mixedData(qsizetype size, quint32 seed)
{
    static const char *const words[] = {"tarefa ", "prazo ", "concluída ", "reunião ", "relatório ",
                                        "cliente ", "urgente ", "\r\n", "{\\rtf1 ", "\\par "};
    quint32 state = seed | 1;
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    QByteArray data;
    data.reserve(size);
    while (data.size() < size) {
        const qsizetype run = 64 + next() % 4096;
        if (next() % 3 == 0) {
            for (qsizetype i = 0; i < run && data.size() < size; ++i)
                data.append(char(next() & 0xFF));
        } else {
            for (qsizetype i = 0; i < run && data.size() < size; ++i)
                data.append(words[next() % std::size(words)]);
        }
    }
    data.truncate(size);
    return data;
}

// zlib's own one-call compression: the same settings (level 6, window bits 15,
// memory level 8, default strategy) that every other zlib program uses.
QByteArray zlibCompress(const QByteArray &data, int level = Z_DEFAULT_COMPRESSION)
{
    uLongf size = compressBound(uLong(data.size()));
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    const int rc = compress2(reinterpret_cast<Bytef *>(out.data()), &size,
                             reinterpret_cast<const Bytef *>(data.constData()), uLong(data.size()), level);
    if (rc != Z_OK)
        qFatal("compress2 failed: %d", rc);
    out.truncate(qsizetype(size));
    return out;
}

// A device of unknown size, like a pipe or a socket: it hands out its data at
// most `piece` bytes per read, has nothing ready again after each piece until
// waited on, and keeps what is written into it.
class SequentialDevice : public QIODevice
{
public:
    explicit SequentialDevice(QByteArray input = {}, qsizetype piece = 4093, qint64 writeLimit = -1)
        : m_input(std::move(input)), m_piece(piece), m_writeLimit(writeLimit)
    {
        open(QIODevice::ReadWrite | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override
    {
        return (m_ready ? m_input.size() - m_read : 0) + QIODevice::bytesAvailable();
    }
    bool waitForReadyRead(int) override
    {
        m_ready = m_read < m_input.size();
        return m_ready;
    }
    QByteArray written() const { return m_written; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (!m_ready)
            return 0;
        const qint64 n = std::min({maxSize, qint64(m_piece), qint64(m_input.size() - m_read)});
        memcpy(data, m_input.constData() + m_read, size_t(n));
        m_read += n;
        m_ready = false;
        return n;
    }
    qint64 writeData(const char *data, qint64 size) override
    {
        if (m_writeLimit >= 0 && m_written.size() + size > m_writeLimit) {
            setErrorString(QStringLiteral("sem espaço"));
            return -1;
        }
        m_written.append(data, size);
        return size;
    }

private:
    QByteArray m_input;
    qsizetype m_piece;
    qint64 m_writeLimit;
    qsizetype m_read = 0;
    bool m_ready = true;
    QByteArray m_written;
};

using StreamFunction = void (*)(QIODevice &, QIODevice &);

// How a round trip is done: QBuffers are worked on in place, files through
// buffers of the functions' own.
enum class Path { BufferToBuffer, BufferToReservedBuffer, FileToFile, FileToBuffer, BufferToFile };

// Runs `fn` from `input` into a fresh, empty dest of the path's kinds.
QByteArray run(StreamFunction fn, const QByteArray &input, Path path = Path::BufferToBuffer,
               qint64 *destPosAfter = nullptr, qsizetype expectedSize = 0)
{
    QByteArray inputCopy = input;
    QBuffer bufferSource(&inputCopy);
    QTemporaryFile fileSource;
    QIODevice *source = &bufferSource;
    if (path == Path::FileToFile || path == Path::FileToBuffer) {
        if (!fileSource.open())
            qFatal("no temporary file");
        fileSource.write(input);  // and left at its end, as whoever filled it would
        source = &fileSource;
    } else {
        bufferSource.open(QIODevice::ReadOnly);
        bufferSource.seek(bufferSource.size());
    }

    QByteArray output;
    if (path == Path::BufferToReservedBuffer)
        output.reserve(expectedSize);
    QBuffer bufferDest(&output);
    QTemporaryFile fileDest;
    QIODevice *dest = &bufferDest;
    if (path == Path::FileToFile || path == Path::BufferToFile) {
        if (!fileDest.open())
            qFatal("no temporary file");
        dest = &fileDest;
    } else {
        bufferDest.open(QIODevice::WriteOnly);
    }

    fn(*source, *dest);

    if (destPosAfter)
        *destPosAfter = dest->pos();
    if (dest == &fileDest) {
        fileDest.seek(0);
        output = fileDest.readAll();
    }
    return output;
}

QByteArray withByte(QByteArray data, qsizetype index, char value)
{
    data[index] = value;
    return data;
}

QByteArray withFlippedByte(QByteArray data, qsizetype index)
{
    data[index] = char(data[index] ^ 0x5A);
    return data;
}

// A zlib header with method, window size and flags chosen, and a valid check.
QByteArray header(quint8 cmf, quint8 flags)
{
    const quint8 flg = quint8(flags + (31 - (cmf * 256 + flags) % 31) % 31);
    return QByteArray() + char(cmf) + char(flg);
}

// The kinds of dest a failed decompression must leave untouched.
enum class DestKind { EmptyBuffer, BufferWithPrefix, FileWithPrefix };

} // namespace

Q_DECLARE_METATYPE(DestKind)
Q_DECLARE_METATYPE(Path)

class TestCompression : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void roundTrip_data();
    void roundTrip();
    void emptyContent();
    void readsAnyZlibStream_data();
    void readsAnyZlibStream();
    void appendsAtDestPosition_data();
    void appendsAtDestPosition();
    void sequentialDevices();

    void damagedBlobFailsAndLeavesDestAsItWas_data();
    void damagedBlobFailsAndLeavesDestAsItWas();
    void sequentialDestKeepsWhatItWasHanded();
    void sequentialSourceCutShortOrOverlong_data();
    void sequentialSourceCutShortOrOverlong();

    void writeFailureRaisesAppError_data();
    void writeFailureRaisesAppError();
    void unusableDevicesAreRefused_data();
    void unusableDevicesAreRefused();

private:
    QByteArray m_content;   // 3 MiB + 7 of mixed data
    QByteArray m_blob;      // its compressed form
};

void TestCompression::initTestCase()
{
    m_content = mixedData(3 * kMiB + 7, 7);
    m_blob = zlibCompress(m_content);
    // The damage cases rely on decompression having written a good part of
    // the output before meeting the fault.
    QVERIFY(m_blob.size() > 1000);
}

void TestCompression::roundTrip_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Path>("path");

    QByteArray random(kMiB + kMiB / 2, Qt::Uninitialized);
    quint32 s = 12345;
    for (char &c : random)
        c = char((s = s * 1103515245u + 12345u) >> 24);
    const std::pair<const char *, QByteArray> contents[] = {
        {"0 bytes", QByteArray()},
        {"1 byte", QByteArray("x")},
        {"1 MiB - 1 mixed", mixedData(kMiB - 1, 1)},
        {"exactly 1 MiB mixed", mixedData(kMiB, 2)},
        {"1 MiB + 1 mixed", mixedData(kMiB + 1, 3)},
        {"3 MiB + 7 mixed", mixedData(3 * kMiB + 7, 4)},
        // Tiny input that inflates to many full output chunks.
        {"5 MiB of zeros", QByteArray(5 * kMiB, '\0')},
        // Output larger than input, over many output chunks.
        {"1.5 MiB random", random},
    };
    const std::pair<const char *, Path> paths[] = {{"buffer to buffer", Path::BufferToBuffer},
                                                   {"buffer to reserved buffer", Path::BufferToReservedBuffer},
                                                   {"file to file", Path::FileToFile},
                                                   {"file to buffer", Path::FileToBuffer},
                                                   {"buffer to file", Path::BufferToFile}};
    for (const auto &[contentName, content] : contents) {
        for (const auto &[pathName, path] : paths)
            QTest::addRow("%s, %s", contentName, pathName) << content << path;
    }
}

void TestCompression::roundTrip()
{
    QFETCH(QByteArray, content);
    QFETCH(Path, path);
    // Byte for byte what zlib itself produces: any zlib program can read it,
    // and blobs written earlier compare equal.
    const QByteArray expectedBlob = zlibCompress(content);
    qint64 destPos = -1;
    const QByteArray blob = run(CompactarStream, content, path, &destPos, expectedBlob.size());
    QCOMPARE(destPos, 0);
    QVERIFY(blob.startsWith("\x78\x9C"));
    QCOMPARE(blob, expectedBlob);
    const QByteArray back = run(DescompactarStream, blob, path, &destPos, content.size());
    QCOMPARE(destPos, 0);
    QCOMPARE(back.size(), content.size());
    QVERIFY(back == content);
}

void TestCompression::emptyContent()
{
    QCOMPARE(run(CompactarStream, QByteArray()), QByteArray::fromHex("789C030000000001"));
    // An empty blob is empty content, not a damaged one.
    QByteArray prefix("kept");
    QBuffer source;
    source.open(QIODevice::ReadOnly);
    QBuffer dest(&prefix);
    dest.open(QIODevice::WriteOnly | QIODevice::Append);
    DescompactarStream(source, dest);
    QCOMPARE(prefix, QByteArray("kept"));
    QCOMPARE(dest.pos(), 0);
}

void TestCompression::readsAnyZlibStream_data()
{
    QTest::addColumn<QByteArray>("blob");
    QTest::addColumn<QByteArray>("content");
    const QByteArray content = mixedData(kMiB + 100, 9);
    QTest::newRow("level 1") << zlibCompress(content, 1) << content;
    QTest::newRow("level 9") << zlibCompress(content, 9) << content;
    QTest::newRow("stored") << zlibCompress(content, 0) << content;
}

void TestCompression::readsAnyZlibStream()
{
    QFETCH(QByteArray, blob);
    QFETCH(QByteArray, content);
    QVERIFY(run(DescompactarStream, blob) == content);
}

void TestCompression::appendsAtDestPosition_data()
{
    QTest::addColumn<bool>("compress");
    QTest::addColumn<bool>("toFile");
    QTest::newRow("compress into buffer") << true << false;
    QTest::newRow("compress into file") << true << true;
    QTest::newRow("decompress into buffer") << false << false;
    QTest::newRow("decompress into file") << false << true;
}

void TestCompression::appendsAtDestPosition()
{
    QFETCH(bool, compress);
    QFETCH(bool, toFile);
    const QByteArray input = compress ? m_content : m_blob;
    const QByteArray output = compress ? m_blob : m_content;
    const QByteArray prefix("already there\n");

    QByteArray inputCopy = input;
    QBuffer source(&inputCopy);
    source.open(QIODevice::ReadOnly);
    QByteArray bufferData = prefix;
    QBuffer buffer(&bufferData);
    QTemporaryFile file;
    QIODevice *dest = &buffer;
    if (toFile) {
        QVERIFY(file.open());
        file.write(prefix);
        dest = &file;
    } else {
        buffer.open(QIODevice::ReadWrite);
        buffer.seek(prefix.size());
    }

    (compress ? CompactarStream : DescompactarStream)(source, *dest);

    QCOMPARE(dest->pos(), 0);
    const QByteArray all = dest->readAll();
    QCOMPARE(all.size(), prefix.size() + output.size());
    QVERIFY(all == prefix + output);
}

void TestCompression::sequentialDevices()
{
    SequentialDevice plain(m_content);
    SequentialDevice packed;
    CompactarStream(plain, packed);
    QVERIFY(packed.written() == m_blob);

    SequentialDevice blob(m_blob, 1000);
    SequentialDevice unpacked;
    DescompactarStream(blob, unpacked);
    QVERIFY(unpacked.written() == m_content);
}

void TestCompression::damagedBlobFailsAndLeavesDestAsItWas_data()
{
    QTest::addColumn<QByteArray>("blob");
    QTest::addColumn<QString>("message");
    QTest::addColumn<DestKind>("dest");

    const QString incomplete = QStringLiteral("Não foi possível descompactar os dados: o conteúdo está incompleto.");
    const QString overlong =
        QStringLiteral("Não foi possível descompactar os dados: há bytes a mais depois do fim do conteúdo compactado.");
    const qsizetype n = m_blob.size();
    const QByteArray body = m_blob.mid(2);
    struct Case { const char *name; QByteArray blob; QString message; };
    const Case cases[] = {
        {"bad header check", withByte(m_blob, 1, '\x9D'),
         QStringLiteral("Não foi possível descompactar os dados: incorrect header check")},
        {"not deflate", header(0x77, 0x80) + body,
         QStringLiteral("Não foi possível descompactar os dados: unknown compression method")},
        {"window over 32 KiB", header(0x88, 0x80) + body,
         QStringLiteral("Não foi possível descompactar os dados: invalid window size")},
        {"preset dictionary", header(0x78, 0xA0) + QByteArray(4, '\1') + body,
         QStringLiteral("Não foi possível descompactar os dados: need dictionary")},
        {"flipped byte in the middle", withFlippedByte(m_blob, n / 2), {}},
        {"wrong Adler-32", withFlippedByte(m_blob, n - 1),
         QStringLiteral("Não foi possível descompactar os dados: incorrect data check")},
        {"cut to 1 byte", m_blob.left(1), incomplete},
        {"cut after the header", m_blob.left(2), incomplete},
        {"cut in the first block", m_blob.left(100), incomplete},
        {"cut in half", m_blob.left(n / 2), incomplete},
        {"cut before the Adler-32", m_blob.left(n - 4), incomplete},
        {"cut in the Adler-32", m_blob.left(n - 1), incomplete},
        {"one byte too many", m_blob + '\0', overlong},
        {"two streams", m_blob + zlibCompress("more"), overlong},
    };
    const std::pair<const char *, DestKind> dests[] = {{"empty buffer", DestKind::EmptyBuffer},
                                                       {"buffer with prefix", DestKind::BufferWithPrefix},
                                                       {"file with prefix", DestKind::FileWithPrefix}};
    for (const Case &c : cases) {
        for (const auto &[destName, kind] : dests)
            QTest::addRow("%s, %s", c.name, destName) << c.blob << c.message << kind;
    }
}

void TestCompression::damagedBlobFailsAndLeavesDestAsItWas()
{
    QFETCH(QByteArray, blob);
    QFETCH(QString, message);
    QFETCH(DestKind, dest);

    const QByteArray prefix = dest == DestKind::EmptyBuffer ? QByteArray() : QByteArray("earlier content");
    QBuffer source(&blob);
    source.open(QIODevice::ReadOnly);
    QByteArray bufferData = prefix;
    QBuffer buffer(&bufferData);
    QTemporaryFile file;
    QIODevice *device = &buffer;
    if (dest == DestKind::FileWithPrefix) {
        QVERIFY(file.open());
        file.write(prefix);
        device = &file;
    } else {
        buffer.open(QIODevice::WriteOnly | QIODevice::Append);
    }

    try {
        DescompactarStream(source, *device);
        QFAIL("a damaged blob was taken as good");
    } catch (const DecompressionError &e) {
        if (message.isEmpty())
            QVERIFY2(e.message().startsWith(QStringLiteral("Não foi possível descompactar os dados: ")),
                     qPrintable(e.message()));
        else
            QCOMPARE(e.message(), message);
    }

    QCOMPARE(device->size(), prefix.size());
    QCOMPARE(device->pos(), prefix.size());
    if (dest == DestKind::FileWithPrefix) {
        QFile onDisk(file.fileName());
        QVERIFY(onDisk.open(QIODevice::ReadOnly));
        QCOMPARE(onDisk.readAll(), prefix);
    } else {
        QCOMPARE(bufferData, prefix);
    }
}

void TestCompression::sequentialDestKeepsWhatItWasHanded()
{
    // What a pipe was handed cannot be taken back: the call still fails, and
    // what the reader got is only ever the start of the content.
    QByteArray blob = m_blob.left(m_blob.size() - 4);
    QBuffer source(&blob);
    source.open(QIODevice::ReadOnly);
    SequentialDevice sink;
    QVERIFY_THROWS_EXCEPTION(DecompressionError, DescompactarStream(source, sink));
    QVERIFY(!sink.written().isEmpty());
    QVERIFY(m_content.startsWith(sink.written()));
}

void TestCompression::sequentialSourceCutShortOrOverlong_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<qsizetype>("piece");
    const QByteArray small = zlibCompress(mixedData(5000, 11));
    QTest::newRow("cut short") << small.left(small.size() - 1) << qsizetype(97);
    QTest::newRow("extra byte in the same read") << small + 'x' << small.size() + 1;
    QTest::newRow("extra byte in a later read") << small + 'x' << small.size();
}

void TestCompression::sequentialSourceCutShortOrOverlong()
{
    QFETCH(QByteArray, input);
    QFETCH(qsizetype, piece);
    SequentialDevice source(input, piece);
    QByteArray output;
    QBuffer dest(&output);
    dest.open(QIODevice::WriteOnly);
    QVERIFY_THROWS_EXCEPTION(DecompressionError, DescompactarStream(source, dest));
    QVERIFY(output.isEmpty());
}

void TestCompression::writeFailureRaisesAppError_data()
{
    QTest::addColumn<bool>("compress");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("deviceFull");
    QTest::newRow("compress, write refused") << true << m_content << false;
    QTest::newRow("compress, device full") << true << m_content << true;
    // Small enough to sit in QFile's write buffer: the failure only shows
    // when it is flushed.
    QTest::newRow("compress small, device full") << true << QByteArray("x") << true;
    QTest::newRow("decompress, write refused") << false << m_content << false;
    QTest::newRow("decompress, device full") << false << m_content << true;
    QTest::newRow("decompress small, device full") << false << QByteArray("x") << true;
}

void TestCompression::writeFailureRaisesAppError()
{
    QFETCH(bool, compress);
    QFETCH(QByteArray, content);
    QFETCH(bool, deviceFull);
    QByteArray input = compress ? content : zlibCompress(content);
    QBuffer source(&input);
    source.open(QIODevice::ReadOnly);
    SequentialDevice refusing({}, 0, 100 * 1024);
    QFile full(QStringLiteral("/dev/full"));
    QIODevice *dest = &refusing;
    if (deviceFull) {
        if (!full.open(QIODevice::WriteOnly))
            QSKIP("no /dev/full here");
        dest = &full;
    }
    try {
        (compress ? CompactarStream : DescompactarStream)(source, *dest);
        QFAIL("a failed write was reported as success");
    } catch (const DecompressionError &e) {
        QFAIL(qPrintable(QStringLiteral("a write failure blamed on the data: ") + e.message()));
    } catch (const AppError &e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Não foi possível gravar os dados: ")),
                 qPrintable(e.message()));
    }
}

void TestCompression::unusableDevicesAreRefused_data()
{
    QTest::addColumn<QString>("problem");
    QTest::newRow("source closed") << QStringLiteral("source closed");
    QTest::newRow("dest read-only") << QStringLiteral("dest read-only");
    QTest::newRow("same device") << QStringLiteral("same device");
    QTest::newRow("two buffers over one array") << QStringLiteral("two buffers over one array");
    QTest::newRow("bytes after dest position") << QStringLiteral("bytes after dest position");
}

void TestCompression::unusableDevicesAreRefused()
{
    QFETCH(QString, problem);
    for (const StreamFunction fn : {CompactarStream, DescompactarStream}) {
        QByteArray input = m_blob;
        QBuffer source(&input);
        if (problem != QLatin1String("source closed"))
            source.open(QIODevice::ReadWrite);
        const QByteArray before("content that must survive");
        QByteArray destData = before;
        QBuffer dest(&destData);
        dest.open(problem == QLatin1String("dest read-only") ? QIODevice::ReadOnly : QIODevice::ReadWrite);
        QBuffer overSource(&input);
        overSource.open(QIODevice::WriteOnly | QIODevice::Append);
        QIODevice *target = &dest;
        if (problem == QLatin1String("same device"))
            target = &source;
        else if (problem == QLatin1String("two buffers over one array"))
            target = &overSource;
        if (problem != QLatin1String("bytes after dest position"))
            dest.seek(dest.size());

        try {
            fn(source, *target);
            QFAIL("an unusable device was accepted");
        } catch (const DecompressionError &e) {
            QFAIL(qPrintable(QStringLiteral("blamed on the data: ") + e.message()));
        } catch (const AppError &) {
        }
        QCOMPARE(destData, before);
        QCOMPARE(input, m_blob);
    }
}

QTEST_GUILESS_MAIN(TestCompression)
#include "tst_compression.moc"
