// Reading a task description: rtf::loadInto against QTextDocument::setHtml on the
// same content (about 1 MiB of RTF with mixed formatting, accented text and lists).
// Prints "ratio reader/setHtml" from the times of this run.
// ORBILANE_BENCH_SMOKE=1 shrinks the document and the run time to a quick check.
#include "platform/rtf/rtfreader.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QGuiApplication>
#include <QString>
#include <QTextDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

bool smokeMode()
{
    const char *value = std::getenv("ORBILANE_BENCH_SMOKE");
    return value && *value && std::string(value) != "0";
}

struct Sample {
    QByteArray rtf;
    QString html;
};

class Random
{
public:
    std::uint32_t next()
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return std::uint32_t(m_state >> 33);
    }
    int below(int n) { return int(next() % std::uint32_t(n)); }

private:
    std::uint64_t m_state = 0x5eed;
};

struct RunFormat {
    bool bold = false, italic = false, underline = false;
    int color = 0; // colour table index, 0 = automatic
    int halfPoints = 22;
    bool operator==(const RunFormat &) const = default;
};

const char *const words[] = {
    "ação", "tarefa", "coração", "não", "está", "você", "público", "três", "informação", "órgão",
    "até", "preço", "reunião", "prazo", "€", "“urgente”", "revisão", "equipe", "cliente", "entrega",
    "é", "à", "orçamento", "versão", "análise", "relatório", "próxima", "semana", "João", "Conceição",
};
const char *const colors[] = {"", "#c00000", "#0070c0", "#00b050"};

// RTF text of a Unicode string as WordPad writes it: Windows-1252 bytes as \'hh,
// everything else as \uN with a '?' fallback.
void appendRtfText(QByteArray &out, const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u < 0x80) {
            out += char(u);
        } else if (u < 0x100 && u >= 0xA0) {
            out += "\\'" + QByteArray::number(int(u), 16);
        } else if (u == 0x20AC) {
            out += "\\'80";
        } else if (u == 0x201C) {
            out += "\\'93";
        } else if (u == 0x201D) {
            out += "\\'94";
        } else {
            out += "\\u" + QByteArray::number(int(qint16(u))) + '?';
        }
    }
}

QString htmlEscaped(const QString &text) { return text.toHtmlEscaped(); }

Sample makeSample(qsizetype targetRtfBytes)
{
    Random random;
    Sample s;
    s.rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1046{\\fonttbl{\\f0\\fnil\\fcharset0 Segoe UI;}"
            "{\\f1\\fnil\\fcharset2 Symbol;}}\r\n{\\colortbl ;\\red192\\green0\\blue0;\\red0\\green112\\blue192;"
            "\\red0\\green176\\blue80;}\r\n{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n";
    s.html = QStringLiteral("<html><body style=\"font-family:'Segoe UI'\">");

    RunFormat current;
    s.rtf += "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang22 ";
    int paragraph = 0;
    while (s.rtf.size() < targetRtfBytes) {
        ++paragraph;
        if (paragraph % 15 == 0) {
            // A list of a few items, bulleted or numbered as WordPad writes them.
            const bool numbered = random.below(2) == 1;
            const int items = 3 + random.below(4);
            s.html += numbered ? u"<ol>" : u"<ul>";
            for (int i = 0; i < items; ++i) {
                QString item;
                const int n = 3 + random.below(6);
                for (int w = 0; w < n; ++w) {
                    if (w)
                        item += u' ';
                    item += QString::fromUtf8(words[random.below(int(std::size(words)))]);
                }
                if (numbered) {
                    s.rtf += "{\\pntext\\f0 " + QByteArray::number(i + 1) +
                             ".\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec{\\pntxta.}}\r\n";
                } else {
                    s.rtf += "{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\r\n";
                }
                s.rtf += "\\fi-360\\li720\\sa200\\sl276\\slmult1 ";
                appendRtfText(s.rtf, item);
                s.rtf += "\\par\r\n";
                s.html += QStringLiteral("<li>") + htmlEscaped(item) + QStringLiteral("</li>");
            }
            s.html += numbered ? u"</ol>" : u"</ul>";
            s.rtf += "\\pard\\sa200\\sl276\\slmult1 ";
            continue;
        }

        const bool centered = paragraph % 7 == 0;
        s.rtf += centered ? "\\qc " : "";
        s.html += centered ? u"<p align=\"center\">" : u"<p>";
        const int runs = 4 + random.below(8);
        for (int r = 0; r < runs; ++r) {
            RunFormat next;
            next.bold = random.below(10) < 3;
            next.italic = random.below(10) < 2;
            next.underline = random.below(10) < 1;
            next.color = random.below(6) < 4 ? 0 : 1 + random.below(3);
            const int sizes[] = {22, 22, 22, 20, 24, 28};
            next.halfPoints = sizes[random.below(6)];

            if (next.bold != current.bold)
                s.rtf += next.bold ? "\\b" : "\\b0";
            if (next.italic != current.italic)
                s.rtf += next.italic ? "\\i" : "\\i0";
            if (next.underline != current.underline)
                s.rtf += next.underline ? "\\ul" : "\\ulnone";
            if (next.color != current.color)
                s.rtf += "\\cf" + QByteArray::number(next.color);
            if (next.halfPoints != current.halfPoints)
                s.rtf += "\\fs" + QByteArray::number(next.halfPoints);
            if (!(next == current))
                s.rtf += ' ';
            current = next;

            QString text;
            const int n = 2 + random.below(8);
            for (int w = 0; w < n; ++w)
                text += QString::fromUtf8(words[random.below(int(std::size(words)))]) + u' ';
            if (r == runs - 1)
                text.chop(1);
            appendRtfText(s.rtf, text);

            QString style = QStringLiteral("font-size:%1pt;").arg(next.halfPoints / 2.0);
            if (next.bold)
                style += u"font-weight:700;";
            if (next.italic)
                style += u"font-style:italic;";
            if (next.underline)
                style += u"text-decoration:underline;";
            if (next.color)
                style += QStringLiteral("color:%1;").arg(QLatin1StringView(colors[next.color]));
            s.html += QStringLiteral("<span style=\"%1\">%2</span>").arg(style, htmlEscaped(text));
        }
        s.rtf += "\\par\r\n";
        if (centered)
            s.rtf += "\\pard\\sa200\\sl276\\slmult1 ";
        s.html += u"</p>";
    }
    s.rtf += "}\r\n";
    s.html += u"</body></html>";
    return s;
}

const Sample &sample()
{
    static const Sample s = makeSample(smokeMode() ? 64 * 1024 : 1024 * 1024);
    return s;
}

void BM_RtfLoadInto(benchmark::State &state)
{
    const Sample &s = sample();
    QTextDocument doc;
    for (auto _ : state) {
        rtf::loadInto(doc, s.rtf);
        benchmark::DoNotOptimize(doc.blockCount());
    }
    state.SetBytesProcessed(state.iterations() * s.rtf.size());
}
BENCHMARK(BM_RtfLoadInto)->Unit(benchmark::kMillisecond);

void BM_QtSetHtml(benchmark::State &state)
{
    const Sample &s = sample();
    QTextDocument doc;
    for (auto _ : state) {
        doc.setHtml(s.html);
        benchmark::DoNotOptimize(doc.blockCount());
    }
}
BENCHMARK(BM_QtSetHtml)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration so the ratio comes from this run.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (!run.error_occurred && run.run_type == Run::RT_Iteration)
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

// The two loaders must show the same text, or the comparison would be unfair.
bool sameContent()
{
    const Sample &s = sample();
    QTextDocument fromRtf;
    QTextDocument fromHtml;
    rtf::loadInto(fromRtf, s.rtf);
    fromHtml.setHtml(s.html);
    if (fromRtf.toPlainText() == fromHtml.toPlainText() && fromRtf.blockCount() == fromHtml.blockCount())
        return true;
    std::fprintf(stderr, "The RTF and HTML documents differ: %d and %d blocks\n", fromRtf.blockCount(),
                 fromHtml.blockCount());
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    std::vector<char *> args(argv, argv + argc);
    std::string minTime = "--benchmark_min_time=0.01";
    if (smokeMode())
        args.insert(args.begin() + 1, minTime.data());
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;

    std::printf("RTF %lld bytes, HTML %lld characters\n", static_cast<long long>(sample().rtf.size()),
                static_cast<long long>(sample().html.size()));
    if (!sameContent())
        return 1;

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto rtfTime = reporter.times.find("BM_RtfLoadInto");
    const auto htmlTime = reporter.times.find("BM_QtSetHtml");
    if (rtfTime == reporter.times.end() || htmlTime == reporter.times.end() || htmlTime->second <= 0) {
        std::printf("ratio reader/setHtml: not measured (both benchmarks must run)\n");
        return 0;
    }
    std::printf("ratio reader/setHtml: %.2f\n", rtfTime->second / htmlTime->second);
    return 0;
}
