// libFuzzer target for the RTF reader: any bytes must load without a crash, a
// hang or undefined behaviour, into a document no longer than the input.
#include "platform/rtf/rtfreader.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument document;
    rtf::loadInto(document, bytes);
    // Every character of the result comes from at least one byte of the input
    // (the final block separator aside); more would mean text made up or repeated.
    if (document.characterCount() > qsizetype(size) + 1)
        std::abort();
    (void)rtf::looksLikeRtf(bytes);
    return 0;
}
