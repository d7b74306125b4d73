#include "platform/rtf/rtfreader.h"

#include "platform/rtf/rtfcodepage.h"
#include "platform/rtf/rtfparser.h"

#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>

#include <string_view>

namespace rtf {

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

// Where "{\rtf" starts, past whitespace and a UTF-8 byte order mark that some
// editors put in front; npos when the data is not RTF.
std::size_t rtfStart(std::string_view data)
{
    std::size_t pos = data.starts_with(Utf8Bom) ? Utf8Bom.size() : 0;
    while (pos < data.size() && isBlank(data[pos]))
        ++pos;
    return data.substr(pos).starts_with("{\\rtf") ? pos : std::string_view::npos;
}

QString plainText(std::string_view data)
{
    if (data.starts_with(Utf8Bom))
        data.remove_prefix(Utf8Bom.size());
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(QByteArrayView(data.data(), qsizetype(data.size())));
    if (!utf8.hasError())
        return text;
    text.resize(0);
    CodePage::get(1252).appendSingleBytes(text, data);
    return text;
}

// Restores what loading changes on the document, however loading ends.
class LoadGuard
{
public:
    explicit LoadGuard(QTextDocument &doc) : m_doc(doc), m_undo(doc.isUndoRedoEnabled())
    {
        m_doc.setUndoRedoEnabled(false);
    }
    ~LoadGuard() { m_doc.setUndoRedoEnabled(m_undo); }
    LoadGuard(const LoadGuard &) = delete;
    LoadGuard &operator=(const LoadGuard &) = delete;

private:
    QTextDocument &m_doc;
    bool m_undo;
};

} // namespace

bool looksLikeRtf(const QByteArray &data)
{
    return rtfStart(std::string_view(data.constData(), std::size_t(data.size()))) != std::string_view::npos;
}

void loadInto(QTextDocument &doc, const QByteArray &data)
{
    const std::string_view bytes(data.constData(), std::size_t(data.size()));
    const LoadGuard guard(doc);
    doc.clear();
    try {
        const std::size_t start = rtfStart(bytes);
        if (start == std::string_view::npos) {
            doc.setPlainText(plainText(bytes));
            return;
        }
        QTextCursor editBlock(&doc);
        editBlock.beginEditBlock();
        try {
            Parser parser(doc, bytes.substr(start));
            parser.run();
        } catch (...) {
            editBlock.endEditBlock();
            throw;
        }
        editBlock.endEditBlock();
    } catch (...) {
        // Only running out of memory can get here; what was read so far stays.
    }
}

} // namespace rtf
