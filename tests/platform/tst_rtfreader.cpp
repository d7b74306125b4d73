#include "platform/rtf/rtfreader.h"

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QtTest>

#include <memory>

namespace {

// A document with the header WordPad writes: fonts, and a colour table whose
// first (empty) entry is the automatic colour.
QByteArray doc(const QByteArray &body)
{
    return QByteArray(R"({\rtf1\ansi\ansicpg1252\deff0\nouicompat{\fonttbl{\f0\fswiss\fcharset0 Arial;})"
                      R"({\f1\fnil\fcharset2 Symbol;}{\f2\fnil\fcharset204 Arial Cyr;}})"
                      R"({\colortbl ;\red255\green0\blue0;\red0\green0\blue255;\red255\green255\blue0;})"
                      "\r\n\\viewkind4\\uc1 ") +
           body + "}";
}

// The same with Word's list definitions:
// \ls1 bullets (disc, circle, square), \ls2 numbers (1. a) i.), \ls3 (A) and I.,
// \ls4 a level without numbers, \ls5 bullets written as Unicode squares and circles.
QByteArray listDoc(const QByteArray &body)
{
    return doc(R"({\*\listtable)"
               R"({\list\listtemplateid1\listhybrid)"
               R"({\listlevel\levelnfc23\levelstartat1{\leveltext\'01\u-3913 ?;}{\levelnumbers;}\f1\fi-360\li720})"
               R"({\listlevel\levelnfc23\levelstartat1{\leveltext\'01o;}{\levelnumbers;}\fi-360\li1440})"
               R"({\listlevel\levelnfc23\levelstartat1{\leveltext\'01\u-3929 ?;}{\levelnumbers;}\fi-360\li2160})"
               R"({\listname ;}\listid100})"
               R"({\list\listtemplateid2)"
               R"({\listlevel\levelnfc0\levelstartat1{\leveltext\'02\'00.;}{\levelnumbers\'01;}\fi-360\li720})"
               R"({\listlevel\levelnfc4\levelstartat1{\leveltext\'02\'01);}{\levelnumbers\'01;}\fi-360\li1440})"
               R"({\listlevel\levelnfc2\levelstartat1{\leveltext\'02\'02.;}{\levelnumbers\'01;}\fi-180\li2160})"
               R"(\listid200})"
               R"({\list\listtemplateid3)"
               R"({\listlevel\levelnfc3{\leveltext\'03(\'00);}{\levelnumbers\'02;}})"
               R"({\listlevel\levelnfc1{\leveltext\'02\'01.;}{\levelnumbers\'01;}}\listid300})"
               R"({\list\listtemplateid4{\listlevel\levelnfc255{\leveltext\'00;}{\levelnumbers;}}\listid400})"
               R"({\list\listtemplateid5)"
               R"({\listlevel\levelnfc23{\leveltext \'01\u9642 ?;}{\levelnumbers;}})"
               R"({\listlevel\levelnfc23{\leveltext \'01\u9702 ?;}{\levelnumbers;}}\listid500}})"
               R"({\*\listoverridetable{\listoverride\listid100\listoverridecount0\ls1})"
               R"({\listoverride\listid200\listoverridecount0\ls2}{\listoverride\listid300\listoverridecount0\ls3})"
               R"({\listoverride\listid400\listoverridecount0\ls4}{\listoverride\listid500\listoverridecount0\ls5}})" +
               body);
}

// Bytes of a string literal, NUL bytes included.
template<std::size_t N>
QByteArray bytes(const char (&literal)[N])
{
    return QByteArray(literal, qsizetype(N - 1));
}

std::unique_ptr<QTextDocument> load(const QByteArray &data)
{
    auto document = std::make_unique<QTextDocument>();
    rtf::loadInto(*document, data);
    return document;
}

QStringList blockTexts(const QTextDocument &document)
{
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        texts << block.text();
    return texts;
}

// The text as stored: unlike toPlainText(), keeps no-break spaces and line separators.
QString textOf(const QTextDocument &document)
{
    return blockTexts(document).join(u'\n');
}

QByteArray fixture(const QString &name)
{
    const QString path = QFINDTESTDATA(QStringLiteral("data/rtf/") + name);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test fixture %s", qPrintable(name));
    return file.readAll();
}

// The format of needle's first occurrence, failing when needle is missing or its
// characters do not all share one format.
QTextCharFormat formatOf(const QTextDocument &document, const QString &needle)
{
    const QTextCursor found = document.find(needle);
    if (found.isNull()) {
        QTest::qFail(qPrintable(QStringLiteral("\"%1\" not found in \"%2\"").arg(needle, document.toPlainText())),
                     __FILE__, __LINE__);
        return {};
    }
    QTextCursor at(const_cast<QTextDocument *>(&document));
    at.setPosition(found.selectionStart() + 1);
    const QTextCharFormat first = at.charFormat();
    for (int pos = found.selectionStart() + 2; pos <= found.selectionEnd(); ++pos) {
        at.setPosition(pos);
        if (at.charFormat() != first) {
            QTest::qFail(qPrintable(QStringLiteral("\"%1\" is not formatted alike throughout").arg(needle)), __FILE__,
                         __LINE__);
            return {};
        }
    }
    return first;
}

// Compares the listed properties: each must equal the expected one, or be absent
// when the expected format does not have it.
bool sameProperties(const QTextFormat &actual, const QTextFormat &expected, const QList<int> &ids)
{
    for (const int id : ids) {
        const bool expectedHas = expected.hasProperty(id);
        if (expectedHas != actual.hasProperty(id) || (expectedHas && actual.property(id) != expected.property(id))) {
            qWarning("property 0x%x: expected %s, got %s", id,
                     expectedHas ? qPrintable(expected.property(id).toString()) : "none",
                     actual.hasProperty(id) ? qPrintable(actual.property(id).toString()) : "none");
            return false;
        }
    }
    return true;
}

const QList<int> charPropertyIds = {
    QTextFormat::FontWeight,        QTextFormat::FontItalic,           QTextFormat::TextUnderlineStyle,
    QTextFormat::FontStrikeOut,     QTextFormat::FontPointSize,        QTextFormat::ForegroundBrush,
    QTextFormat::BackgroundBrush,   QTextFormat::TextVerticalAlignment, QTextFormat::FontCapitalization,
    QTextFormat::IsAnchor,          QTextFormat::AnchorHref,
};

const QList<int> blockPropertyIds = {
    QTextFormat::BlockAlignment, QTextFormat::BlockLeftMargin,   QTextFormat::BlockRightMargin,
    QTextFormat::TextIndent,     QTextFormat::BlockTopMargin,    QTextFormat::BlockBottomMargin,
    QTextFormat::LineHeight,     QTextFormat::LineHeightType,
};

QTextCharFormat bold()
{
    QTextCharFormat f;
    f.setFontWeight(QFont::Bold);
    return f;
}

QTextCharFormat underlined(QTextCharFormat::UnderlineStyle style)
{
    QTextCharFormat f;
    f.setUnderlineStyle(style);
    return f;
}

QTextCharFormat sized(qreal points)
{
    QTextCharFormat f;
    f.setFontPointSize(points);
    return f;
}

QTextCharFormat coloured(const QColor &foreground, const QColor &background = QColor())
{
    QTextCharFormat f;
    if (foreground.isValid())
        f.setForeground(foreground);
    if (background.isValid())
        f.setBackground(background);
    return f;
}

QTextBlockFormat blockWith(Qt::Alignment alignment)
{
    QTextBlockFormat f;
    f.setAlignment(alignment);
    return f;
}

QTextBlockFormat lineHeight(qreal height, QTextBlockFormat::LineHeightTypes type)
{
    QTextBlockFormat f;
    f.setLineHeight(height, type);
    return f;
}

int listStyle(const QTextBlock &block)
{
    return block.textList() ? int(block.textList()->format().style()) : 0;
}

// The number of a numbered list item as shown ("1.", "(a)"); empty for bullets,
// for which QTextList::itemText() gives only the default suffix.
QString numberOf(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list || list->format().style() > QTextListFormat::ListDecimal)
        return QString();
    return list->itemText(block);
}

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT

private slots:
    void recognisesRtf_data();
    void recognisesRtf();
    void loadsOtherDataAsPlainText_data();
    void loadsOtherDataAsPlainText();
    void replacesContentWithoutUndoStep_data();
    void replacesContentWithoutUndoStep();

    void readsCharacters_data();
    void readsCharacters();
    void decodesCodePages_data();
    void decodesCodePages();
    void formatsCharacters_data();
    void formatsCharacters();
    void readsFontTable_data();
    void readsFontTable();
    void formatsParagraphs_data();
    void formatsParagraphs();
    void breaksParagraphs_data();
    void breaksParagraphs();
    void skipsContentThatIsNotText_data();
    void skipsContentThatIsNotText();
    void buildsLists_data();
    void buildsLists();
    void linksFieldResults_data();
    void linksFieldResults();

    void readsWordPadDocument();
    void readsWordDocument();
    void readsLibreOfficeDocument();
    void truncatedDocumentsKeepCompleteParagraphs_data();
    void truncatedDocumentsKeepCompleteParagraphs();
    void survivesDamagedInput_data();
    void survivesDamagedInput();
};

void TestRtfReader::recognisesRtf_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("rtf");

    QTest::newRow("rtf") << QByteArray(R"({\rtf1\ansi x})") << true;
    QTest::newRow("only the signature") << QByteArray(R"({\rtf)") << true;
    QTest::newRow("after whitespace") << QByteArray(" \t\r\n{\\rtf1 x}") << true;
    QTest::newRow("after a UTF-8 BOM") << QByteArray("\xEF\xBB\xBF{\\rtf1 x}") << true;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("whitespace only") << QByteArray(" \r\n") << false;
    QTest::newRow("plain text") << QByteArray("rtf1 notes") << false;
    QTest::newRow("space inside the signature") << QByteArray(R"({ \rtf1 x})") << false;
    QTest::newRow("other control word") << QByteArray(R"({\rtx1 x})") << false;
    QTest::newRow("upper case") << QByteArray(R"({\RTF1 x})") << false;
    QTest::newRow("text before") << QByteArray(R"(a{\rtf1 x})") << false;
    QTest::newRow("truncated signature") << QByteArray(R"({\rt)") << false;
}

void TestRtfReader::recognisesRtf()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, rtf);
    QCOMPARE(rtf::looksLikeRtf(data), rtf);
}

void TestRtfReader::loadsOtherDataAsPlainText_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("text");

    QTest::newRow("UTF-8") << QByteArray("a\xC3\xA7\xC3\xA3o \xE2\x82\xAC") << QStringLiteral(u"ação €");
    QTest::newRow("Windows-1252 when not UTF-8") << QByteArray("a\xE7\xE3o \x80\x93x\x94")
                                                 << QStringLiteral(u"ação €“x”");
    QTest::newRow("UTF-8 BOM dropped") << QByteArray("\xEF\xBB\xBFnota") << QStringLiteral("nota");
    QTest::newRow("lines") << QByteArray("um\ndois\r\ntr\xC3\xAAs") << QStringLiteral(u"um\ndois\ntrês");
    QTest::newRow("RTF-like but not RTF") << QByteArray(R"({\rtx1 {\b x}})") << QStringLiteral(R"({\rtx1 {\b x}})");
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestRtfReader::loadsOtherDataAsPlainText()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, text);
    const auto document = load(data);
    QCOMPARE(textOf(*document), text);
}

void TestRtfReader::replacesContentWithoutUndoStep_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("undoEnabled");
    QTest::addColumn<QString>("text");

    QTest::newRow("RTF, undo on") << doc(R"(\b novo\par)") << true << QStringLiteral("novo");
    QTest::newRow("RTF, undo off") << doc(R"(\b novo\par)") << false << QStringLiteral("novo");
    QTest::newRow("plain, undo on") << QByteArray("novo") << true << QStringLiteral("novo");
    QTest::newRow("empty RTF") << doc("") << true << QString();
}

void TestRtfReader::replacesContentWithoutUndoStep()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, undoEnabled);
    QFETCH(QString, text);

    QTextDocument document;
    document.setUndoRedoEnabled(undoEnabled);
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("antigo"));
    cursor.insertBlock();
    QTextList *oldList = cursor.createList(QTextListFormat::ListDecimal);
    cursor.insertText(QStringLiteral("item"));
    QVERIFY(oldList);

    rtf::loadInto(document, data);

    QCOMPARE(document.toPlainText(), text);
    QCOMPARE(document.isUndoRedoEnabled(), undoEnabled);
    QVERIFY(!document.isUndoAvailable());
    QVERIFY(!document.begin().textList());
}

void TestRtfReader::readsCharacters_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("text");

    QTest::newRow("hex escapes") << doc(R"(a\'e7\'e3o)") << QStringLiteral(u"ação");
    QTest::newRow("upper-case hex") << doc(R"(\'C9\'C0)") << QStringLiteral(u"ÉÀ");
    QTest::newRow("8-bit bytes as they are") << doc("a\xE7\xE3o") << QStringLiteral(u"ação");
    QTest::newRow("\\u with ? fallback") << doc(R"(\u8364?\u8220?x\u8221?)") << QStringLiteral(u"€“x”");
    QTest::newRow("\\u fallback as \\'hh counts one") << doc(R"(\u8364\'80x)") << QStringLiteral(u"€x");
    QTest::newRow("\\uc0 skips nothing") << doc(R"(\uc0\u8364 x)") << QStringLiteral(u"€x");
    QTest::newRow("\\uc2 skips two") << doc(R"(\uc2\u8364 abc)") << QStringLiteral(u"€c");
    QTest::newRow("\\uc2 with two escapes") << doc(R"(\uc2\u12354\'82\'a0z)") << QStringLiteral(u"あz");
    QTest::newRow("\\uc is kept per group") << doc(R"({\uc2 a}\u8364 xy)") << QStringLiteral(u"a€y");
    QTest::newRow("skip ends at a group end") << doc(R"({\uc3\u8364 a}bc)") << QStringLiteral(u"€bc");
    QTest::newRow("skip counts a control word") << doc(R"(\u8364\tab x)") << QStringLiteral(u"€x");
    QTest::newRow("negative \\u") << doc(R"(\u-21504?)") << QStringLiteral(u"가");
    QTest::newRow("surrogate pair") << doc(R"(\u-10179?\u-8704?!)") << QStringLiteral(u"😀!");
    QTest::newRow("lone high surrogate") << doc(R"(\u-10179?a)") << QStringLiteral(u"\uFFFDa");
    QTest::newRow("lone low surrogate") << doc(R"(a\u-8704?)") << QStringLiteral(u"a\uFFFD");
    QTest::newRow("out of range \\u") << doc(R"(\u99999999?x)") << QStringLiteral(u"\uFFFDx");
    QTest::newRow("document structure characters") << doc(R"(a\u64976?\u65532?b)")
                                                   << QStringLiteral(u"a\uFFFD\uFFFDb");
    QTest::newRow("control characters dropped") << doc(R"(a\'01\u0?\u7?b)") << QStringLiteral("ab");
    QTest::newRow("quotes and dashes") << doc(R"(\lquote\rquote\ldblquote\rdblquote\endash\emdash\bullet)")
                                       << QStringLiteral(u"‘’“”–—•");
    QTest::newRow("no-break and optional characters") << doc(R"(a\~b\-c\_d)") << QStringLiteral(u"a\u00A0b\u00ADc\u2011d");
    QTest::newRow("escaped braces and backslash") << doc(R"(\{a\}\\)") << QStringLiteral(R"({a}\)");
    QTest::newRow("tab") << doc(R"(a\tab b)") << QStringLiteral("a\tb");
    QTest::newRow("literal tab") << doc("a\tb") << QStringLiteral("a\tb");
    QTest::newRow("line break") << doc(R"(a\line b)") << QStringLiteral(u"a\u2028b");
    QTest::newRow("delimiting space is not text") << doc(R"(\b x\b0  y)") << QStringLiteral("x y");
    QTest::newRow("line ends in the file are not text") << doc("a\r\nb\nc\rd") << QStringLiteral("abcd");
    QTest::newRow("hidden text") << doc(R"(a{\v hidden}b\v c\v0 d)") << QStringLiteral("abd");
    QTest::newRow("unknown control words") << doc(R"(a\foo b\bar12 c)") << QStringLiteral("abc");
    QTest::newRow("ignored symbols") << doc(R"(a\:b\|c)") << QStringLiteral("abc");
}

void TestRtfReader::readsCharacters()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, text);
    const auto document = load(data);
    QCOMPARE(textOf(*document), text);
    QCOMPARE(document->blockCount(), 1);
}

void TestRtfReader::decodesCodePages_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("text");

    const auto withCodePage = [](const QByteArray &cp, const QByteArray &body) {
        return R"({\rtf1\ansi\ansicpg)" + cp + R"(\deff0{\fonttbl{\f0\fnil Arial;}})" + body + "}";
    };
    QTest::newRow("1252") << withCodePage("1252", R"(a\'e7\'e3o \'80\'93\'94)") << QStringLiteral(u"ação €“”");
    QTest::newRow("1250") << withCodePage("1250", R"(P\'f8\'edli\'9a)") << QStringLiteral(u"Příliš");
    QTest::newRow("1251") << withCodePage("1251", R"(\'cf\'f0\'e8\'e2\'e5\'f2)") << QStringLiteral(u"Привет");
    QTest::newRow("1253") << withCodePage("1253", R"(\'c3\'e5\'e9\'dc)") << QStringLiteral(u"Γειά");
    QTest::newRow("1254") << withCodePage("1254", R"(\'fe\'f0\'fd)") << QStringLiteral(u"şğı");
    QTest::newRow("1257") << withCodePage("1257", R"(\'e0\'e8\'e6)") << QStringLiteral(u"ąčę");
    QTest::newRow("437") << withCodePage("437", R"(\'82 \'81 \'a4)") << QStringLiteral(u"é ü ñ");
    QTest::newRow("850") << withCodePage("850", R"(a\'87\'c6o)") << QStringLiteral(u"ação");
    QTest::newRow("932 pairs") << withCodePage("932", R"(\'82\'a0\'82\'a2)") << QStringLiteral(u"あい");
    QTest::newRow("932 pair with a plain trail byte") << withCodePage("932", R"(\'83A)") << QStringLiteral(u"ア");
    QTest::newRow("932 lead byte cut off") << withCodePage("932", R"(\'82\par)") << QStringLiteral(u"\uFFFD");
    QTest::newRow("unknown page falls back to 1252") << withCodePage("9999", R"(\'80\'e7)") << QStringLiteral(u"€ç");
    QTest::newRow("\\pc") << QByteArray(R"({\rtf1\pc \'82})") << QStringLiteral(u"é");
    QTest::newRow("\\mac") << QByteArray(R"({\rtf1\mac \'8e})") << QStringLiteral(u"é");

    const QByteArray fonts = R"({\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fnil\fcharset0 Arial;})"
                             R"({\f1\fnil\fcharset204 Arial Cyr;}{\f2\fnil\fcharset238 Arial CE;})"
                             R"({\f3\fnil\fcharset161 Arial Greek;}{\f4\fnil\fcharset162 Arial Tur;})"
                             R"({\f5\fnil\fcharset186 Arial Baltic;}{\f6\fnil\fcharset2 Symbol;})"
                             R"({\f7\fnil\fcharset1 Default;}{\f8\fnil\cpg1251 ByCodePage;}{\f9\fnil\fcharset128 MS Gothic;}})";
    QTest::newRow("charset 0") << fonts + R"(\f0\'cf})" << QStringLiteral(u"Ï");
    QTest::newRow("charset 204") << fonts + R"(\f1\'cf})" << QStringLiteral(u"П");
    QTest::newRow("charset 238") << fonts + R"(\f2\'f8})" << QStringLiteral(u"ř");
    QTest::newRow("charset 161") << fonts + R"(\f3\'e1})" << QStringLiteral(u"α");
    QTest::newRow("charset 162") << fonts + R"(\f4\'fe})" << QStringLiteral(u"ş");
    QTest::newRow("charset 186") << fonts + R"(\f5\'e0})" << QStringLiteral(u"ą");
    QTest::newRow("symbol bullet") << fonts + R"(\f6\'b7})" << QStringLiteral(u"•");
    QTest::newRow("charset 1 follows the document") << fonts + R"(\f7\'80})" << QStringLiteral(u"€");
    QTest::newRow("\\cpg") << fonts + R"(\f8\'cf})" << QStringLiteral(u"П");
    QTest::newRow("charset 128") << fonts + R"(\f9\'82\'a0})" << QStringLiteral(u"あ");
    QTest::newRow("font per run") << fonts + R"({\f1\'cf}\'cf{\f3\'e1})" << QStringLiteral(u"ПÏα");
    QTest::newRow("undefined font uses the document page") << fonts + R"(\f42\'cf})" << QStringLiteral(u"Ï");
    QTest::newRow("default font's charset")
        << QByteArray(R"({\rtf1\ansi\deff1{\fonttbl{\f0 A;}{\f1\fcharset204 B;}}\'cf{\f0\'cf}})")
        << QStringLiteral(u"ПÏ");
    QTest::newRow("\\plain returns to the default font")
        << QByteArray(R"({\rtf1\ansi\deff1{\fonttbl{\f0 A;}{\f1\fcharset204 B;}}\f0\'cf\plain\'cf})")
        << QStringLiteral(u"ÏП");
}

void TestRtfReader::decodesCodePages()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, text);
    QCOMPARE(textOf(*load(data)), text);
}

void TestRtfReader::formatsCharacters_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<QTextFormat>("format");

    const QByteArray boldRun = doc(R"(antes \b negrito\b0  depois)");
    QTest::newRow("bold run") << boldRun << "negrito" << QTextFormat(bold());
    QTest::newRow("before bold") << boldRun << "antes " << QTextFormat(QTextCharFormat());
    QTest::newRow("after \\b0") << boldRun << " depois" << QTextFormat(QTextCharFormat());
    QTest::newRow("bold in a group") << doc(R"({\b dentro}fora)") << "dentro" << QTextFormat(bold());
    QTest::newRow("group end restores") << doc(R"({\b dentro}fora)") << "fora" << QTextFormat(QTextCharFormat());
    QTest::newRow("\\b1") << doc(R"(\b1 sim\b0 n)") << "sim" << QTextFormat(bold());

    QTextCharFormat italic;
    italic.setFontItalic(true);
    QTest::newRow("italic") << doc(R"(\i it\i0 no)") << "it" << QTextFormat(italic);
    QTest::newRow("\\i0") << doc(R"(\i it\i0 no)") << "no" << QTextFormat(QTextCharFormat());

    QTest::newRow("underline") << doc(R"(\ul sub\ulnone no)") << "sub"
                               << QTextFormat(underlined(QTextCharFormat::SingleUnderline));
    QTest::newRow("\\ulnone") << doc(R"(\ul sub\ulnone no)") << "no" << QTextFormat(QTextCharFormat());
    QTest::newRow("\\ul0") << doc(R"(\ul sub\ul0 no)") << "no" << QTextFormat(QTextCharFormat());
    QTest::newRow("word underline") << doc(R"(\ulw sub)") << "sub"
                                    << QTextFormat(underlined(QTextCharFormat::SingleUnderline));
    QTest::newRow("double underline") << doc(R"(\uldb sub)") << "sub"
                                      << QTextFormat(underlined(QTextCharFormat::SingleUnderline));
    QTest::newRow("dotted underline") << doc(R"(\uld sub)") << "sub"
                                      << QTextFormat(underlined(QTextCharFormat::DotLine));
    QTest::newRow("dashed underline") << doc(R"(\uldash sub)") << "sub"
                                      << QTextFormat(underlined(QTextCharFormat::DashUnderline));
    QTest::newRow("wavy underline") << doc(R"(\ulwave sub)") << "sub"
                                    << QTextFormat(underlined(QTextCharFormat::WaveUnderline));
    QTest::newRow("underline colour is no underline") << doc(R"(\ulc1 x)") << "x" << QTextFormat(QTextCharFormat());

    QTextCharFormat strike;
    strike.setFontStrikeOut(true);
    QTest::newRow("strike") << doc(R"(\strike s\strike0 n)") << "s" << QTextFormat(strike);
    QTest::newRow("\\strike0") << doc(R"(\strike s\strike0 n)") << "n" << QTextFormat(QTextCharFormat());
    QTest::newRow("double strike") << doc(R"(\striked1 s)") << "s" << QTextFormat(strike);

    QTest::newRow("size in half points") << doc(R"(\fs28 grande)") << "grande" << QTextFormat(sized(14));
    QTest::newRow("odd half points") << doc(R"(\fs21 x)") << "x" << QTextFormat(sized(10.5));
    QTest::newRow("size in a group") << doc(R"(\fs20 {\fs40 a}b)") << "b" << QTextFormat(sized(10));

    QTest::newRow("colour") << doc(R"(\cf1 vermelho\cf0 auto)") << "vermelho" << QTextFormat(coloured(Qt::red));
    QTest::newRow("automatic colour") << doc(R"(\cf1 vermelho\cf0 auto)") << "auto" << QTextFormat(QTextCharFormat());
    QTest::newRow("colour outside the table") << doc(R"(\cf9 x)") << "x" << QTextFormat(QTextCharFormat());
    QTest::newRow("highlight") << doc(R"(\highlight3 marca\highlight0 n)") << "marca"
                               << QTextFormat(coloured(QColor(), Qt::yellow));
    QTest::newRow("\\highlight0") << doc(R"(\highlight3 marca\highlight0 n)") << "n" << QTextFormat(QTextCharFormat());
    QTest::newRow("\\cb") << doc(R"(\cb2\cf1 x)") << "x" << QTextFormat(coloured(Qt::red, Qt::blue));
    QTest::newRow("colour table without the automatic entry")
        << QByteArray(R"({\rtf1{\colortbl\red0\green128\blue0;\red0\green0\blue255;}\cf0 a\cf1 b})") << "a"
        << QTextFormat(coloured(QColor(0, 128, 0)));

    QTextCharFormat all = bold();
    all.setFontItalic(true);
    all.setUnderlineStyle(QTextCharFormat::SingleUnderline);
    all.setFontStrikeOut(true);
    all.setFontPointSize(15);
    all.setForeground(QColor(Qt::blue));
    all.setBackground(QColor(Qt::yellow));
    const QByteArray plain = doc(R"(\b\i\ul\strike\fs30\cf2\highlight3 tudo\plain nada)");
    QTest::newRow("everything") << plain << "tudo" << QTextFormat(all);
    QTest::newRow("\\plain") << plain << "nada" << QTextFormat(QTextCharFormat());
    QTest::newRow("\\pard keeps character formatting") << doc(R"(\b a\pard b)") << "ab" << QTextFormat(bold());

    QTextCharFormat super;
    super.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    QTextCharFormat sub;
    sub.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    QTest::newRow("superscript") << doc(R"(m\super 2\nosupersub x)") << "2" << QTextFormat(super);
    QTest::newRow("subscript") << doc(R"(H\sub 2\nosupersub O)") << "2" << QTextFormat(sub);
    QTest::newRow("\\nosupersub") << doc(R"(H\sub 2\nosupersub O)") << "O" << QTextFormat(QTextCharFormat());

    QTextCharFormat caps;
    caps.setFontCapitalization(QFont::AllUppercase);
    QTextCharFormat smallCaps;
    smallCaps.setFontCapitalization(QFont::SmallCaps);
    QTest::newRow("caps") << doc(R"(\caps x)") << "x" << QTextFormat(caps);
    QTest::newRow("small caps") << doc(R"(\scaps x)") << "x" << QTextFormat(smallCaps);

    QTest::newRow("overlong word is not \\b") << doc("\\" + QByteArray(40, 'b') + " x") << "x"
                                             << QTextFormat(QTextCharFormat());
}

void TestRtfReader::formatsCharacters()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, needle);
    QFETCH(QTextFormat, format);
    const auto document = load(data);
    const QTextCharFormat actual = formatOf(*document, needle);
    QVERIFY(sameProperties(actual, format, charPropertyIds));
}

void TestRtfReader::readsFontTable_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<QStringList>("families");
    QTest::addColumn<int>("hint"); // QFont::StyleHint; -1 when none is given

    const QByteArray table = R"({\rtf1\ansi\deff1{\fonttbl{\f0\froman\fcharset0 Times New Roman;})"
                             R"({\f1\fswiss\fcharset0{\*\panose 020b0604020202020204}Arial;})"
                             R"({\f2\fmodern\fcharset0 Courier New{\*\falt Courier};}{\f3\fscript Sem ponto})"
                             R"({\f4\fnil\fcharset0 ;}})";
    QTest::newRow("default font") << table + "padrao}" << "padrao" << QStringList{"Arial"} << int(QFont::SansSerif);
    QTest::newRow("roman") << table + R"(\f0 serifa})" << "serifa" << QStringList{"Times New Roman"}
                           << int(QFont::Serif);
    QTest::newRow("alternative name ignored") << table + R"(\f2 mono})" << "mono" << QStringList{"Courier New"}
                                              << int(QFont::TypeWriter);
    QTest::newRow("name without ;") << table + R"(\f3 x})" << "x" << QStringList{"Sem ponto"} << int(QFont::Cursive);
    QTest::newRow("empty name") << table + R"(\f4 x})" << "x" << QStringList() << -1;
    QTest::newRow("undefined font") << table + R"(\f99 x})" << "x" << QStringList() << -1;
    QTest::newRow("font in a group") << table + R"({\f0 a}b})" << "b" << QStringList{"Arial"} << int(QFont::SansSerif);

    const QByteArray flat = R"({\rtf1\ansi\deff0{\fonttbl\f0\fswiss Helvetica;\f1\froman Times;})";
    QTest::newRow("table without groups") << flat + R"(\f1 x})" << "x" << QStringList{"Times"} << int(QFont::Serif);
    QTest::newRow("encoded name") << QByteArray(R"({\rtf1\ansi{\fonttbl{\f0\fcharset204 \'c0\'f0\'e8\'e0\'eb;}}\f0 x})")
                                  << "x" << QStringList{QStringLiteral(u"Ариал")} << -1;
}

void TestRtfReader::readsFontTable()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, needle);
    QFETCH(QStringList, families);
    QFETCH(int, hint);
    const auto document = load(data);
    const QTextCharFormat format = formatOf(*document, needle);
    QCOMPARE(format.fontFamilies().toStringList(), families);
    QCOMPARE(format.hasProperty(QTextFormat::FontStyleHint), hint >= 0);
    if (hint >= 0)
        QCOMPARE(int(format.fontStyleHint()), hint);
}

void TestRtfReader::formatsParagraphs_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("block");
    QTest::addColumn<QTextFormat>("format");

    QTest::newRow("left") << doc(R"(\ql a\par)") << 0 << QTextFormat(blockWith(Qt::AlignLeft));
    QTest::newRow("centre") << doc(R"(\qc a\par)") << 0 << QTextFormat(blockWith(Qt::AlignHCenter));
    QTest::newRow("right") << doc(R"(\qr a\par)") << 0 << QTextFormat(blockWith(Qt::AlignRight));
    QTest::newRow("justified") << doc(R"(\qj a\par)") << 0 << QTextFormat(blockWith(Qt::AlignJustify));
    QTest::newRow("nothing given") << doc(R"(a\par)") << 0 << QTextFormat(QTextBlockFormat());
    QTest::newRow("set at the end of the paragraph") << doc(R"(a \qc b\par)") << 0
                                                     << QTextFormat(blockWith(Qt::AlignHCenter));
    QTest::newRow("kept without \\pard") << doc(R"(\qc a\par b\par)") << 1
                                         << QTextFormat(blockWith(Qt::AlignHCenter));
    QTest::newRow("reset by \\pard") << doc(R"(\qc a\par\pard b\par)") << 1 << QTextFormat(QTextBlockFormat());
    QTest::newRow("ends with its group") << doc(R"({\pard\qc a\par}b\par)") << 1 << QTextFormat(QTextBlockFormat());
    QTest::newRow("last paragraph without \\par") << doc(R"(a\par\qr b)") << 1 << QTextFormat(blockWith(Qt::AlignRight));

    QTextBlockFormat indents;
    indents.setLeftMargin(48);
    indents.setRightMargin(24);
    indents.setTextIndent(-24);
    QTest::newRow("indents in twips") << doc(R"(\li720\ri360\fi-360 a\par)") << 0 << QTextFormat(indents);
    QTextBlockFormat spacing;
    spacing.setTopMargin(16);
    spacing.setBottomMargin(8);
    QTest::newRow("space before and after") << doc(R"(\sb240\sa120 a\par)") << 0 << QTextFormat(spacing);
    QTest::newRow("at least") << doc(R"(\sl360 a\par)") << 0 << QTextFormat(lineHeight(24, QTextBlockFormat::MinimumHeight));
    QTest::newRow("exactly") << doc(R"(\sl-360 a\par)") << 0 << QTextFormat(lineHeight(24, QTextBlockFormat::FixedHeight));
    QTest::newRow("multiple") << doc(R"(\sl276\slmult1 a\par)") << 0
                              << QTextFormat(lineHeight(115, QTextBlockFormat::ProportionalHeight));
    QTest::newRow("\\sl0 is single") << doc(R"(\sl0\slmult1 a\par)") << 0 << QTextFormat(QTextBlockFormat());
    QTest::newRow("absurd indent clamped") << doc(R"(\li99999999 a\par)") << 0 << QTextFormat([] {
        QTextBlockFormat f;
        f.setLeftMargin(31680 / 15.0);
        return f;
    }());
}

void TestRtfReader::formatsParagraphs()
{
    QFETCH(QByteArray, data);
    QFETCH(int, block);
    QFETCH(QTextFormat, format);
    const auto document = load(data);
    QVERIFY(block < document->blockCount());
    QVERIFY(sameProperties(document->findBlockByNumber(block).blockFormat(), format, blockPropertyIds));
}

void TestRtfReader::breaksParagraphs_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("blocks");

    QTest::newRow("\\par") << doc(R"(a\par b)") << QStringList{"a", "b"};
    QTest::newRow("final \\par adds no empty paragraph") << doc(R"(a\par)") << QStringList{"a"};
    QTest::newRow("empty paragraph") << doc(R"(a\par\par b\par)") << QStringList{"a", "", "b"};
    QTest::newRow("leading empty paragraph") << doc(R"(\par a)") << QStringList{"", "a"};
    QTest::newRow("\\sect and \\page") << doc(R"(a\sect b\page c)") << QStringList{"a", "b", "c"};
    QTest::newRow("backslash before a line end") << doc("a\\\r\nb") << QStringList{"a", "b"};
    QTest::newRow("\\line stays in the paragraph") << doc(R"(a\line b\par)") << QStringList{QStringLiteral(u"a\u2028b")};
    QTest::newRow("\\u8233 stays in the paragraph") << doc(R"(a\u8233?b)") << QStringList{QStringLiteral(u"a\u2028b")};
    QTest::newRow("table row") << doc(R"(\trowd\cellx1000\cellx2000\pard\intbl a\cell b\cell\row)")
                               << QStringList{"a\tb"};
    QTest::newRow("table rows") << doc(R"(x\par\trowd\cellx1000\cellx2000\pard\intbl a\cell b\cell\row)"
                                       R"(\trowd\cellx1000\cellx2000\pard\intbl c\cell d\cell\row\pard y\par)")
                                << QStringList{"x", "a\tb", "c\td", "y"};
    QTest::newRow("empty cells") << doc(R"(\trowd\pard\intbl a\cell\cell c\cell\row)") << QStringList{"a\t\tc"};
    QTest::newRow("empty row") << doc(R"(\trowd\pard\intbl\cell\cell\row z)") << QStringList{"", "z"};
    QTest::newRow("Word row groups") << doc(R"(\pard\intbl{a\cell }{b\cell }\pard\intbl{\trowd\cellx1\cellx2\row })"
                                            R"(\pard c\par)")
                                     << QStringList{"a\tb", "c"};
    QTest::newRow("nested table") << doc(R"(\pard\intbl a\cell\pard\intbl\itap2 b\nestcell c\nestcell)"
                                         R"({\*\nesttableprops\trowd\cellx1\nestrow}{\nonesttables\par}\row)")
                                  << QStringList{"a\tb\tc"};
    QTest::newRow("cell paragraphs") << doc(R"(\trowd\pard\intbl a\par b\cell c\cell\row)")
                                     << QStringList{"a", "b\tc"};
}

void TestRtfReader::breaksParagraphs()
{
    QFETCH(QByteArray, data);
    QFETCH(QStringList, blocks);
    QCOMPARE(blockTexts(*load(data)), blocks);
}

void TestRtfReader::skipsContentThatIsNotText_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("text");

    QTest::newRow("picture") << doc(R"(a{\pict\pngblip\picw10\pich10 89504e470d0a1a0a}b)") << "ab";
    QTest::newRow("Word picture")
        << doc(R"(a{\*\shppict{\pict{\*\picprop{\sp{\sn shapeType}{\sv 75}}}\pngblip 89504e47}})"
               R"({\nonshppict{\pict\wmetafile8 0100090000}}b)")
        << "ab";
    QTest::newRow("binary picture data") << doc("a{\\pict\\wmetafile8\\bin8 }{\\par}\\\\x}b") << "ab";
    QTest::newRow("binary data with its count") << doc(bytes("a{\\pict\\bin3 \x01\x00\x7d}b")) << "ab";
    QTest::newRow("object with a result") << doc(R"(a{\object\objemb{\*\objdata 0102}{\result{\pict 00}}}b)") << "ab";
    QTest::newRow("shape") << doc(R"(a{\shp{\*\shpinst{\sp{\sn fillColor}{\sv 255}}{\shptxt caixa}}}b)") << "ab";
    QTest::newRow("info") << doc(R"({\info{\title T\'edtulo}{\author Jo\'e3o}{\*\company X}}a)") << "a";
    QTest::newRow("stylesheet") << doc(R"({\stylesheet{\s0 Normal;}{\*\cs10 Default Paragraph Font;}}a)") << "a";
    QTest::newRow("headers and footers") << doc(R"({\header cabe\'e7alho\par}{\footerl rodap\'e9\par}a)") << "a";
    QTest::newRow("footnote") << doc(R"(a{\super\chftn}{\footnote\pard\plain{\super\chftn} nota}b)") << "ab";
    QTest::newRow("field result kept, instruction skipped")
        << doc(R"(a {\field{\*\fldinst { PAGE \\* MERGEFORMAT }}{\fldrslt {3}}} b)") << "a 3 b";
    QTest::newRow("unknown ignorable destination") << doc(R"(a{\*\novidade texto {\b mais}}b)") << "ab";
    QTest::newRow("ignorable destination we read") << doc(R"(a{\*\fldinst x}b)") << "ab";
    QTest::newRow("unknown destination without \\*") << doc(R"(a{\novidade texto}b)") << "atextob";
    QTest::newRow("generator and theme") << doc(R"({\*\generator Riched20 10.0;}{\*\themedata 504b03}a)") << "a";
    QTest::newRow("bookmarks") << doc(R"({\*\bkmkstart _Toc1}a{\*\bkmkend _Toc1})") << "a";
    QTest::newRow("\\upr keeps its \\ud part") << doc(R"({\upr{a\'e7\'e3o}{\*\ud{a\u231\'e7\u227\'e3o}}})")
                                                << QStringLiteral(u"ação");
}

void TestRtfReader::skipsContentThatIsNotText()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, text);
    QCOMPARE(textOf(*load(data)), text);
}

void TestRtfReader::buildsLists_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<int>>("styles"); // QTextListFormat::Style, 0 when not a list item
    QTest::addColumn<QList<int>>("lists");  // blocks with the same number share a QTextList; 0 none
    QTest::addColumn<QStringList>("markers"); // QTextList::itemText

    const int disc = QTextListFormat::ListDisc;
    const int circle = QTextListFormat::ListCircle;
    const int square = QTextListFormat::ListSquare;
    const int decimal = QTextListFormat::ListDecimal;
    const int lowerAlpha = QTextListFormat::ListLowerAlpha;
    const int upperAlpha = QTextListFormat::ListUpperAlpha;
    const int lowerRoman = QTextListFormat::ListLowerRoman;
    const int upperRoman = QTextListFormat::ListUpperRoman;

    const QByteArray bullet = R"({\pntext\f1\'B7\tab}{\*\pn\pnlvlblt\pnf1\pnindent0{\pntxtb\'B7}}\fi-360\li720 )";
    QTest::newRow("WordPad bullets")
        << doc(R"(\pard)" + bullet + R"(um\par{\pntext\f1\'B7\tab}dois\par\pard fim\par)")
        << QStringList{"um", "dois", "fim"} << QList<int>{disc, disc, 0} << QList<int>{1, 1, 0}
        << QStringList{"", "", ""};
    QTest::newRow("WordPad numbers")
        << doc(R"(\pard{\pntext\f0 1.\tab}{\*\pn\pnlvlbody\pnf0\pnindent0\pnstart1\pndec{\pntxta.}}\fi-360\li720 um\par)"
               R"({\pntext\f0 2.\tab}dois\par)")
        << QStringList{"um", "dois"} << QList<int>{decimal, decimal} << QList<int>{1, 1} << QStringList{"1.", "2."};
    QTest::newRow("numbers between brackets")
        << doc(R"(\pard{\pntext (1)\tab}{\*\pn\pnlvlbody\pndec{\pntxtb (}{\pntxta )}}a\par)")
        << QStringList{"a"} << QList<int>{decimal} << QList<int>{1} << QStringList{"(1)"};
    QTest::newRow("old-style letters and roman numbers")
        << doc(R"(\pard{\*\pn\pnlvlbody\pnucltr{\pntxta .}}a\par\pard{\*\pn\pnlvlbody\pnlcrm{\pntxta .}}b\par)")
        << QStringList{"a", "b"} << QList<int>{upperAlpha, lowerRoman} << QList<int>{1, 2}
        << QStringList{"A.", "i."};
    QTest::newRow("old-style numbering restarts after a plain paragraph")
        << doc(R"(\pard{\*\pn\pnlvlbody\pndec{\pntxta .}}a\par\pard b\par\pard{\*\pn\pnlvlbody\pndec{\pntxta .}}c\par)")
        << QStringList{"a", "b", "c"} << QList<int>{decimal, 0, decimal} << QList<int>{1, 0, 2}
        << QStringList{"1.", "", "1."};
    QTest::newRow("old-style continuation paragraph")
        << doc(R"(\pard{\*\pn\pnlvlcont}a\par)") << QStringList{"a"} << QList<int>{0} << QList<int>{0}
        << QStringList{""};
    QTest::newRow("\\pntext without a definition is shown")
        << doc(R"(\pard{\pntext 1.\tab}a\par)") << QStringList{"1.\ta"} << QList<int>{0} << QList<int>{0}
        << QStringList{""};

    const QByteArray item = R"({\listtext\pard\plain \f1\'b7\tab})";
    QTest::newRow("Word bullets by level")
        << listDoc(R"(\pard\ls1 )" + item + R"(a\par\pard\ls1\ilvl1 {\listtext o\tab}b\par)"
                   R"(\pard\ls1\ilvl2 {\listtext\'a7\tab}c\par)")
        << QStringList{"a", "b", "c"} << QList<int>{disc, circle, square} << QList<int>{1, 2, 3}
        << QStringList{"", "", ""};
    QTest::newRow("Unicode bullets")
        << listDoc(R"(\pard\ls5 {\listtext\u9642 ?\tab}a\par\pard\ls5\ilvl1 {\listtext\u9702 ?\tab}b\par)")
        << QStringList{"a", "b"} << QList<int>{square, circle} << QList<int>{1, 2} << QStringList{"", ""};
    QTest::newRow("levels restart under a new parent")
        << listDoc(R"(\pard\ls2 {\listtext 1.\tab}um\par)"
                   R"(\pard\ls2\ilvl1 {\listtext a)\tab}a\par{\listtext b)\tab}b\par)"
                   R"(\pard\ls2\ilvl0 {\listtext 2.\tab}dois\par)"
                   R"(\pard\ls2\ilvl1 {\listtext a)\tab}a2\par)"
                   R"(\pard\ls2\ilvl2 {\listtext i.\tab}i\par)")
        << QStringList{"um", "a", "b", "dois", "a2", "i"}
        << QList<int>{decimal, lowerAlpha, lowerAlpha, decimal, lowerAlpha, lowerRoman}
        << QList<int>{1, 2, 2, 1, 3, 4} << QStringList{"1.", "a)", "b)", "2.", "a)", "i."};
    QTest::newRow("Word numbering goes on after a plain paragraph")
        << listDoc(R"(\pard\ls2 {\listtext 1.\tab}um\par\pard texto\par\pard\ls2 {\listtext 2.\tab}dois\par)")
        << QStringList{"um", "texto", "dois"} << QList<int>{decimal, 0, decimal} << QList<int>{1, 0, 1}
        << QStringList{"1.", "", "2."};
    QTest::newRow("prefix and suffix from the level text")
        << listDoc(R"(\pard\ls3 {\listtext (A)\tab}a\par\pard\ls3\ilvl1 {\listtext I.\tab}b\par)")
        << QStringList{"a", "b"} << QList<int>{upperAlpha, upperRoman} << QList<int>{1, 2}
        << QStringList{"(A)", "I."};
    QTest::newRow("two lists side by side")
        << listDoc(R"(\pard\ls2 {\listtext 1.\tab}a\par\pard\ls3 {\listtext (A)\tab}b\par\pard\ls2 {\listtext 2.\tab}c\par)")
        << QStringList{"a", "b", "c"} << QList<int>{decimal, upperAlpha, decimal} << QList<int>{1, 2, 1}
        << QStringList{"1.", "(A)", "2."};
    QTest::newRow("level beyond the definition")
        << listDoc(R"(\pard\ls3\ilvl7 {\listtext I.\tab}a\par)") << QStringList{"a"} << QList<int>{upperRoman}
        << QList<int>{1} << QStringList{"I."};
    QTest::newRow("level without numbers is no list item")
        << listDoc(R"(\pard\ls4 {\listtext\tab}a\par)") << QStringList{"\ta"} << QList<int>{0} << QList<int>{0}
        << QStringList{""};
    QTest::newRow("undefined list keeps its text")
        << listDoc(R"(\pard\ls9 {\listtext 7.\tab}a\par)") << QStringList{"7.\ta"} << QList<int>{0}
        << QList<int>{0} << QStringList{""};
    QTest::newRow("override defined in the middle of the text")
        << listDoc(R"(\pard\ls7 {\listtext 1.\tab}a\par{\*\listoverridetable{\listoverride\listid200\ls7}})"
                   R"(\pard\ls7 {\listtext 1.\tab}b\par)")
        << QStringList{"1.\ta", "b"} << QList<int>{0, decimal} << QList<int>{0, 1} << QStringList{"", "1."};
    QTest::newRow("override naming \\ls before \\listid")
        << listDoc(R"({\*\listoverridetable{\listoverride\ls8\listoverridecount0\listid300}})"
                   R"(\pard\ls8 {\listtext (A)\tab}a\par)")
        << QStringList{"a"} << QList<int>{upperAlpha} << QList<int>{1} << QStringList{"(A)"};
    QTest::newRow("\\pard ends the list")
        << listDoc(R"(\pard\ls1 )" + item + R"(a\par\pard b\par)") << QStringList{"a", "b"}
        << QList<int>{disc, 0} << QList<int>{1, 0} << QStringList{"", ""};
}

void TestRtfReader::buildsLists()
{
    QFETCH(QByteArray, data);
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, styles);
    QFETCH(QList<int>, lists);
    QFETCH(QStringList, markers);

    const auto document = load(data);
    QCOMPARE(blockTexts(*document), texts);
    QMap<int, QTextList *> listOfGroup;
    QSet<QTextList *> seen;
    QTextBlock block = document->begin();
    for (int i = 0; i < texts.size(); ++i, block = block.next()) {
        QCOMPARE(listStyle(block), styles.at(i));
        QTextList *list = block.textList();
        QCOMPARE(list != nullptr, lists.at(i) != 0);
        if (list) {
            QTextList *&expected = listOfGroup[lists.at(i)];
            if (!expected) {
                QVERIFY2(!seen.contains(list), qPrintable(QStringLiteral("block %1 joined an earlier list").arg(i)));
                expected = list;
                seen.insert(list);
            }
            QCOMPARE(list, expected);
        }
        QCOMPARE(numberOf(block), markers.at(i));
    }
}

void TestRtfReader::linksFieldResults_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<QString>("href");

    const QByteArray link = doc(R"(ver {\field{\*\fldinst{ HYPERLINK "https://example.org/a?b=1" }})"
                                R"({\fldrslt{\ul\cf2 o site}}} agora)");
    QTest::newRow("result") << link << "o site" << "https://example.org/a?b=1";
    QTest::newRow("before") << link << "ver " << QString();
    QTest::newRow("after") << link << " agora" << QString();
    QTest::newRow("bookmark") << doc(R"({\field{\*\fldinst HYPERLINK \\l "secao2"}{\fldrslt ir}})") << "ir"
                              << "#secao2";
    QTest::newRow("tooltip is not the target")
        << doc(R"({\field{\*\fldinst HYPERLINK "http://x.org" \\o "dica"}{\fldrslt x}})") << "x" << "http://x.org";
    QTest::newRow("other fields") << doc(R"({\field{\*\fldinst DATE \\@ "d/M/yyyy"}{\fldrslt 5/3/2024}})")
                                  << "5/3/2024" << QString();
}

void TestRtfReader::linksFieldResults()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, needle);
    QFETCH(QString, href);
    const auto document = load(data);
    const QTextCharFormat format = formatOf(*document, needle);
    QCOMPARE(format.isAnchor(), !href.isEmpty());
    QCOMPARE(format.anchorHref(), href);
}

void TestRtfReader::readsWordPadDocument()
{
    const auto document = load(fixture(QStringLiteral("wordpad.rtf")));
    QCOMPARE(blockTexts(*document),
             (QStringList{QStringLiteral(u"Revisão do orçamento"),
                          QStringLiteral(u"A ação precisa de aprovação, não de urgente e destaque."),
                          QStringLiteral(u"Preço: € 1.200 “final” – ver €“ok”"), QStringLiteral("Ligar para o cliente"),
                          QStringLiteral(u"Enviar o relatório"), QStringLiteral("Primeiro passo"),
                          QStringLiteral("Segundo passo"), QStringLiteral(u"Recuado à direita"),
                          QStringLiteral("Texto justificado.")}));

    QTextCharFormat title = bold();
    title.setFontPointSize(16);
    QVERIFY(sameProperties(formatOf(*document, QStringLiteral(u"Revisão do orçamento")), title, charPropertyIds));
    QCOMPARE(formatOf(*document, QStringLiteral(u"Revisão")).fontFamilies().toStringList(), QStringList{"Segoe UI"});
    QTextCharFormat italic = sized(11);
    italic.setFontItalic(true);
    QVERIFY(sameProperties(formatOf(*document, QStringLiteral(u"ação")), italic, charPropertyIds));
    QVERIFY(sameProperties(formatOf(*document, QStringLiteral(" precisa de ")), sized(11), charPropertyIds));
    QTextCharFormat underline = sized(11);
    underline.setUnderlineStyle(QTextCharFormat::SingleUnderline);
    QVERIFY(sameProperties(formatOf(*document, QStringLiteral(u"aprovação")), underline, charPropertyIds));
    QTextCharFormat strike = sized(11);
    strike.setFontStrikeOut(true);
    QVERIFY(sameProperties(formatOf(*document, QStringLiteral(u"não")), strike, charPropertyIds));
    QTextCharFormat red = sized(11);
    red.setForeground(QColor(255, 0, 0));
    QVERIFY(sameProperties(formatOf(*document, QStringLiteral("urgente")), red, charPropertyIds));
    QTextCharFormat highlighted = sized(11);
    highlighted.setForeground(QColor(0, 77, 187));
    highlighted.setBackground(QColor(255, 255, 0));
    QVERIFY(sameProperties(formatOf(*document, QStringLiteral("destaque")), highlighted, charPropertyIds));
    QVERIFY(sameProperties(formatOf(*document, QStringLiteral(".")), sized(11), charPropertyIds));

    QTextBlockFormat heading = blockWith(Qt::AlignHCenter);
    heading.setBottomMargin(200 / 15.0);
    heading.setLineHeight(115, QTextBlockFormat::ProportionalHeight);
    QVERIFY(sameProperties(document->findBlockByNumber(0).blockFormat(), heading, blockPropertyIds));

    const QTextBlock bullet1 = document->findBlockByNumber(3);
    const QTextBlock bullet2 = document->findBlockByNumber(4);
    QVERIFY(bullet1.textList());
    QCOMPARE(bullet1.textList()->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(bullet2.textList(), bullet1.textList());
    const QTextBlock number1 = document->findBlockByNumber(5);
    const QTextBlock number2 = document->findBlockByNumber(6);
    QVERIFY(number1.textList() && number1.textList() != bullet1.textList());
    QCOMPARE(number1.textList()->itemText(number1), QStringLiteral("1."));
    QCOMPARE(number2.textList()->itemText(number2), QStringLiteral("2."));
    QCOMPARE(number2.textList(), number1.textList());

    QTextBlockFormat indented = blockWith(Qt::AlignRight);
    indented.setLeftMargin(96);
    indented.setRightMargin(48);
    indented.setBottomMargin(200 / 15.0);
    indented.setLineHeight(115, QTextBlockFormat::ProportionalHeight);
    QVERIFY(sameProperties(document->findBlockByNumber(7).blockFormat(), indented, blockPropertyIds));
    const QTextCharFormat calibri = formatOf(*document, QStringLiteral(u"Recuado à direita"));
    QCOMPARE(calibri.fontFamilies().toStringList(), QStringList{"Calibri"});
    QCOMPARE(calibri.fontPointSize(), 14.0);
    QCOMPARE(document->findBlockByNumber(8).blockFormat().alignment(), Qt::AlignJustify);
}

void TestRtfReader::readsWordDocument()
{
    const auto document = load(fixture(QStringLiteral("word.rtf")));
    QCOMPARE(blockTexts(*document),
             (QStringList{QStringLiteral(u"Plano de ação"), QStringLiteral("Veja a lista e a nota."),
                          QStringLiteral("Comprar material"), QStringLiteral("Reservar sala"),
                          QStringLiteral("Projetor"), QStringLiteral("Definir escopo"), QStringLiteral("Requisitos"),
                          QStringLiteral("Riscos"), QStringLiteral("Executar"), QStringLiteral("Testes"),
                          QStringLiteral("Tabela:"), QStringLiteral(u"Tarefa\tResponsável"),
                          QStringLiteral(u"Revisão\tMaria"), QStringLiteral("Antes  depois"),
                          QStringLiteral(u"Привет Příliš Γειά şğı ąčę"), QStringLiteral(u"Total: € 50 – “pago”")}));

    QTextCharFormat title = bold();
    title.setFontPointSize(16);
    const QTextCharFormat titleFormat = formatOf(*document, QStringLiteral(u"Plano de ação"));
    QVERIFY(sameProperties(titleFormat, title, charPropertyIds));
    QCOMPARE(titleFormat.fontFamilies().toStringList(), QStringList{"Calibri"});
    QCOMPARE(document->begin().blockFormat().alignment(), Qt::AlignHCenter);
    QCOMPARE(document->begin().blockFormat().topMargin(), 16.0);

    const QTextCharFormat link = formatOf(*document, QStringLiteral("a lista"));
    QCOMPARE(link.anchorHref(), QStringLiteral("https://example.org/tarefas"));
    QCOMPARE(link.foreground().color(), QColor(5, 99, 193));
    QCOMPARE(link.underlineStyle(), QTextCharFormat::SingleUnderline);
    QVERIFY(!formatOf(*document, QStringLiteral(" e a nota")).isAnchor());

    const QList<int> styles = {QTextListFormat::ListDisc,    QTextListFormat::ListDisc,
                               QTextListFormat::ListCircle,  QTextListFormat::ListDecimal,
                               QTextListFormat::ListLowerAlpha, QTextListFormat::ListLowerAlpha,
                               QTextListFormat::ListDecimal, QTextListFormat::ListLowerAlpha};
    const QStringList markers = {"", "", "", "1.", "a)", "b)", "2.", "a)"};
    for (int i = 0; i < styles.size(); ++i) {
        const QTextBlock block = document->findBlockByNumber(2 + i);
        QVERIFY2(block.textList(), qPrintable(block.text()));
        QCOMPARE(int(block.textList()->format().style()), styles.at(i));
        QCOMPARE(numberOf(block), markers.at(i));
        // List items are indented by their list, not again by the paragraph.
        QCOMPARE(block.blockFormat().leftMargin(), 0.0);
    }
    QVERIFY(!document->findBlockByNumber(10).textList());

    QCOMPARE(formatOf(*document, QStringLiteral("Tarefa")).fontWeight(), QFont::Bold);
    QCOMPARE(formatOf(*document, QStringLiteral(u"Responsável")).fontWeight(), QFont::Bold);
    // The tab between cells is formatted like the \cell it stands for.
    QCOMPARE(formatOf(*document, QStringLiteral("\t")).fontWeight(), QFont::Normal);
    QCOMPARE(formatOf(*document, QStringLiteral(u"Привет")).fontFamilies().toStringList(), QStringList{"Calibri Cyr"});

    const QString text = document->toPlainText();
    for (const QString &hidden : {QStringLiteral(u"Cabeçalho"), QStringLiteral("Texto da nota"),
                                  QStringLiteral("HYPERLINK"), QStringLiteral("89504e47"), QStringLiteral("Normal"),
                                  QStringLiteral(u"João"), QStringLiteral("504b0304"), QStringLiteral("Times New Roman")})
        QVERIFY2(!text.contains(hidden), qPrintable(hidden));
}

void TestRtfReader::readsLibreOfficeDocument()
{
    const auto document = load(fixture(QStringLiteral("libreoffice.rtf")));
    QCOMPARE(blockTexts(*document),
             (QStringList{QStringLiteral(u"Reunião semanal"),
                          QStringLiteral(u"Texto com negrito, itálico, vermelho, marcado e riscado."),
                          QStringLiteral("Centralizado pequeno"), QStringLiteral("Primeiro item"),
                          QStringLiteral("Subitem"), QStringLiteral("Um"), QStringLiteral("Alfa"),
                          QStringLiteral("Romano"), QStringLiteral("Recuado e justificado"),
                          QStringLiteral(u"código fim.")}));

    const QTextCharFormat heading = formatOf(*document, QStringLiteral(u"Reunião semanal"));
    QCOMPARE(heading.fontFamilies().toStringList(), QStringList{"Liberation Sans"});
    QCOMPARE(heading.fontPointSize(), 14.0);
    QCOMPARE(document->begin().blockFormat().topMargin(), 16.0);
    QCOMPARE(document->begin().blockFormat().bottomMargin(), 8.0);

    QCOMPARE(formatOf(*document, QStringLiteral("Texto com ")).fontFamilies().toStringList(),
             QStringList{"Liberation Serif"});
    QTextCharFormat twelve = sized(12);
    QVERIFY(sameProperties(formatOf(*document, QStringLiteral("Texto com ")), twelve, charPropertyIds));
    QTextCharFormat expected = twelve;
    expected.setFontWeight(QFont::Bold);
    QVERIFY(sameProperties(formatOf(*document, QStringLiteral("negrito")), expected, charPropertyIds));
    expected = twelve;
    expected.setFontItalic(true);
    QVERIFY(sameProperties(formatOf(*document, QStringLiteral(u"itálico")), expected, charPropertyIds));
    expected = twelve;
    expected.setForeground(QColor(201, 33, 30));
    QVERIFY(sameProperties(formatOf(*document, QStringLiteral("vermelho")), expected, charPropertyIds));
    expected = twelve;
    expected.setBackground(QColor(255, 255, 0));
    QVERIFY(sameProperties(formatOf(*document, QStringLiteral("marcado")), expected, charPropertyIds));
    expected = twelve;
    expected.setFontStrikeOut(true);
    QVERIFY(sameProperties(formatOf(*document, QStringLiteral("riscado")), expected, charPropertyIds));

    QCOMPARE(document->findBlockByNumber(2).blockFormat().alignment(), Qt::AlignHCenter);
    QCOMPARE(formatOf(*document, QStringLiteral("Centralizado pequeno")).fontPointSize(), 10.0);

    const QList<int> styles = {QTextListFormat::ListDisc, QTextListFormat::ListCircle, QTextListFormat::ListDecimal,
                               QTextListFormat::ListUpperAlpha, QTextListFormat::ListUpperRoman};
    const QStringList markers = {"", "", "1.", "(A)", "I."};
    for (int i = 0; i < styles.size(); ++i) {
        const QTextBlock block = document->findBlockByNumber(3 + i);
        QVERIFY2(block.textList(), qPrintable(block.text()));
        QCOMPARE(int(block.textList()->format().style()), styles.at(i));
        QCOMPARE(numberOf(block), markers.at(i));
        QCOMPARE(block.textList()->format().indent(), i < 2 ? i + 1 : i - 1);
    }

    QTextBlockFormat justified = blockWith(Qt::AlignJustify);
    justified.setLeftMargin(567 / 15.0);
    justified.setRightMargin(567 / 15.0);
    justified.setBottomMargin(140 / 15.0);
    justified.setLineHeight(115, QTextBlockFormat::ProportionalHeight);
    QVERIFY(sameProperties(document->findBlockByNumber(8).blockFormat(), justified, blockPropertyIds));

    const QTextCharFormat code = formatOf(*document, QStringLiteral(u"código"));
    QCOMPARE(code.fontFamilies().toStringList(), QStringList{"Liberation Mono"});
    QCOMPARE(code.fontStyleHint(), QFont::TypeWriter);
    QCOMPARE(code.fontPointSize(), 10.0);
    QCOMPARE(formatOf(*document, QStringLiteral(" fim.")).fontPointSize(), 12.0);
}

void TestRtfReader::truncatedDocumentsKeepCompleteParagraphs_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("step");

    QTest::newRow("WordPad") << "wordpad.rtf" << 7;
    QTest::newRow("Word") << "word.rtf" << 61;
    QTest::newRow("LibreOffice") << "libreoffice.rtf" << 23;
}

void TestRtfReader::truncatedDocumentsKeepCompleteParagraphs()
{
    QFETCH(QString, name);
    QFETCH(int, step);

    // A file cut anywhere still shows every paragraph that ended before the cut,
    // exactly as in the whole file; only the last one may be incomplete.
    const QByteArray whole = fixture(name);
    const auto full = load(whole);
    const QStringList fullTexts = blockTexts(*full);
    for (qsizetype cut = 0; cut < whole.size(); cut += step) {
        const auto truncated = load(whole.left(cut));
        const QStringList texts = blockTexts(*truncated);
        QVERIFY2(texts.size() <= fullTexts.size(), qPrintable(QString::number(cut)));
        QTextBlock block = truncated->begin();
        QTextBlock fullBlock = full->begin();
        for (qsizetype i = 0; i + 1 < texts.size(); ++i, block = block.next(), fullBlock = fullBlock.next()) {
            QVERIFY2(texts.at(i) == fullTexts.at(i), qPrintable(QStringLiteral("cut at %1").arg(cut)));
            QCOMPARE(listStyle(block), listStyle(fullBlock));
        }
    }
}

void TestRtfReader::survivesDamagedInput_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("text");

    const int deep = 100000;
    QTest::newRow("missing closing braces") << QByteArray(R"({\rtf1 {\b negrito {\i ambos)") << "negrito ambos";
    QTest::newRow("extra closing braces at the end") << QByteArray(R"({\rtf1 a}}} b})") << "a b";
    QTest::newRow("extra closing brace inside") << QByteArray(R"({\rtf1 {\b x}} y\par z})") << "x y\nz";
    QTest::newRow("text after the end") << QByteArray(R"({\rtf1 a}b)") << "ab";
    QTest::newRow("deep nesting") << "{\\rtf1 inicio" + QByteArray(deep, '{') + "fundo" + QByteArray(deep, '}') + "fim}"
                                  << "iniciofundofim";
    QTest::newRow("deep nesting never closed") << "{\\rtf1 a" + QByteArray(deep, '{') + "b" << "ab";
    QTest::newRow("deep skipped groups") << "{\\rtf1 a" + QByteArray("{\\*\\x ").repeated(deep) + "oculto" +
                                                QByteArray(deep, '}') + "b}"
                                         << "ab";
    QTest::newRow("deep formatting") << "{\\rtf1 " + QByteArray("{\\b ").repeated(deep) + "x" + QByteArray(deep, '}') + "}"
                                     << "x";
    QTest::newRow("deep closing first") << "{\\rtf1 a" + QByteArray(deep, '}') + "b" + QByteArray(deep, '{') + "c}"
                                        << "abc";
    QTest::newRow("huge \\bin") << QByteArray("{\\rtf1 antes\\par{\\pict\\bin999999999999 ") + QByteArray(5000, '\x7d')
                                << "antes";
    QTest::newRow("\\bin past the end") << QByteArray("{\\rtf1 a{\\bin20 xy") << "a";
    QTest::newRow("negative \\bin") << QByteArray(R"({\rtf1 a\bin-5 b})") << "ab";
    QTest::newRow("overlong control word") << "{\\rtf1 a\\" + QByteArray(100000, 'x') + " b}" << "ab";
    QTest::newRow("overlong parameter") << "{\\rtf1 \\fs" + QByteArray(100000, '9') + " x\\li-" +
                                               QByteArray(50, '9') + " y}"
                                        << "xy";
    QTest::newRow("overlong \\u") << QByteArray(R"({\rtf1 \u-99999999999999999999 ?x})") << QStringLiteral(u"\uFFFDx");
    QTest::newRow("huge \\uc") << QByteArray(R"({\rtf1\uc999999999\u8364 abc{}def})") << QStringLiteral(u"€def");
    QTest::newRow("cut inside \\'") << QByteArray(R"({\rtf1 a\'e)") << "a";
    QTest::newRow("cut after \\'") << QByteArray(R"({\rtf1 a\')") << "a";
    QTest::newRow("cut after a backslash") << QByteArray(R"({\rtf1 a\)") << "a";
    QTest::newRow("cut inside a control word") << QByteArray(R"({\rtf1 a\pa)") << "a";
    QTest::newRow("cut inside the font table") << QByteArray(R"({\rtf1{\fonttbl{\f0 Ari)") << "";
    QTest::newRow("cut inside \\u") << QByteArray(R"({\rtf1 a\u83)") << "aS";
    QTest::newRow("invalid hex") << QByteArray(R"({\rtf1 a\'zzb\'4gc})") << "azzbgc";
    QTest::newRow("NUL bytes") << bytes("{\\rtf1 a\0b\\b\0 c\0}") << "ab c";
    QString highText = QStringLiteral(u"€\uFFFD‚ƒ„…†‡ˆ‰Š‹Œ\uFFFDŽ\uFFFD\uFFFD‘’“”•–—˜™š›œ\uFFFDžŸ");
    QByteArray highBytes("{\\rtf1 ");
    for (int b = 0x80; b < 0x100; ++b) {
        highBytes += char(b);
        if (b >= 0xA0)
            highText += QChar(b);
    }
    QTest::newRow("high bytes, Windows-1252") << highBytes + '}' << highText;
    QTest::newRow("bad code page") << QByteArray(R"({\rtf1\ansi\ansicpg-5 \'80}{\ansicpg0 \'80})")
                                   << QStringLiteral(u"€€");
    QTest::newRow("\\* at the end") << QByteArray(R"({\rtf1 a{\*)") << "a";
    QTest::newRow("\\* before text") << QByteArray(R"({\rtf1 a{\*b}c})") << "abc";
    QTest::newRow("font table in the text") << QByteArray(R"({\rtf1 a{\fonttbl{\f9 X;}}\f9 b})") << "ab";
    QTest::newRow("list table without lists")
        << QByteArray(R"({\rtf1{\*\listtable\listlevel\levelnfc0{\leveltext\'05;}\listid1}\ls1\ilvl99 a\par})")
        << "a";
    QTest::newRow("level text with a count past its end")
        << QByteArray(R"({\rtf1{\*\listtable{\list{\listlevel\levelnfc0{\leveltext\'ff\'00;}}\listid1}})"
                      R"({\*\listoverridetable{\listoverride\listid1\ls1}}\ls1 a\par})")
        << "a";
}

void TestRtfReader::survivesDamagedInput()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, text);
    QVERIFY(rtf::looksLikeRtf(data));
    QCOMPARE(textOf(*load(data)), text);
}

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
