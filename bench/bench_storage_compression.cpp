// CompactarStream and DescompactarStream on 1 MiB and 256 MiB of mixed data,
// from one QByteArray into another: through QBuffers (which they work on in
// place) and through other devices (which they go through their own buffers
// for), against zlib called directly with the same settings on the same
// arrays in the same run. Prints the throughput ratio ours/zlib of each case
// (aim: at least 0.95) and the peak heap each of our calls takes beyond its
// two arrays (bound: 2 MiB).
//
// ORBILANE_BENCH_SMOKE=1 runs a short version: 1 MiB and 8 MiB instead of
// 256 MiB, one iteration each. Either way the program checks its results
// (round trip, output identical to zlib's, memory within the bound) and exits
// non-zero when one is wrong; the timings themselves are only reported.

#include "storage/compression.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QByteArray>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <malloc.h>
#include <time.h>
#include <zlib.h>

// ---- Heap accounting -------------------------------------------------------
// Every malloc-family call of the process (operator new, Qt and zlib included)
// goes through these, so the peak of live heap bytes during one call is known.

extern "C" {
void *__libc_malloc(size_t);
void __libc_free(void *);
void *__libc_calloc(size_t, size_t);
void *__libc_realloc(void *, size_t);
void *__libc_memalign(size_t, size_t);
}

namespace {

std::atomic<long long> g_liveBytes{0};
std::atomic<long long> g_peakBytes{0};

void addLive(long long delta)
{
    const long long now = g_liveBytes.fetch_add(delta, std::memory_order_relaxed) + delta;
    long long peak = g_peakBytes.load(std::memory_order_relaxed);
    while (now > peak && !g_peakBytes.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
    }
}

void *noteAllocated(void *p)
{
    if (p)
        addLive(static_cast<long long>(malloc_usable_size(p)));
    return p;
}

} // namespace

extern "C" {
void *malloc(size_t size) { return noteAllocated(__libc_malloc(size)); }
void *calloc(size_t count, size_t size) { return noteAllocated(__libc_calloc(count, size)); }
void *memalign(size_t alignment, size_t size) { return noteAllocated(__libc_memalign(alignment, size)); }
void *aligned_alloc(size_t alignment, size_t size) { return memalign(alignment, size); }
void *valloc(size_t size) { return memalign(4096, size); }
void *pvalloc(size_t size) { return memalign(4096, (size + 4095) & ~size_t(4095)); }
int posix_memalign(void **out, size_t alignment, size_t size)
{
    void *p = memalign(alignment, size);
    if (!p)
        return 12;  // ENOMEM
    *out = p;
    return 0;
}
void free(void *p)
{
    if (p)
        addLive(-static_cast<long long>(malloc_usable_size(p)));
    __libc_free(p);
}
void *realloc(void *p, size_t size)
{
    const long long before = p ? static_cast<long long>(malloc_usable_size(p)) : 0;
    void *q = __libc_realloc(p, size);
    if (q)
        addLive(static_cast<long long>(malloc_usable_size(q)) - before);
    else if (p && size == 0)
        addLive(-before);
    return q;
}
}

namespace {

// Peak of live heap bytes, above the level at the start, while it is in scope.
class HeapPeak
{
public:
    HeapPeak() : m_start(g_liveBytes.load()) { g_peakBytes.store(m_start); }
    long long bytes() const { return g_peakBytes.load() - m_start; }

private:
    long long m_start;
};

constexpr long long kMiB = 1024 * 1024;
constexpr long long kMemoryBound = 2 * kMiB;

bool smokeMode()
{
    const char *v = std::getenv("ORBILANE_BENCH_SMOKE");
    return v && *v && std::string(v) != "0";
}

// Text-like runs (words of task descriptions, RTF control words) mixed with
// runs of random bytes; the same for the same size.
QByteArray mixedData(qsizetype size)
{
    static const char *const words[] = {"tarefa ", "prazo ", "concluída ", "reunião ", "relatório ",
                                        "cliente ", "urgente ", "\r\n", "{\\rtf1 ", "\\par "};
    quint32 state = 0x9E3779B9u;
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    QByteArray data(size, Qt::Uninitialized);
    char *out = data.data();
    qsizetype filled = 0;
    while (filled < size) {
        qsizetype run = std::min<qsizetype>(64 + next() % 4096, size - filled);
        if (next() % 3 == 0) {
            for (; run > 0; --run)
                out[filled++] = char(next() >> 24);
        } else {
            while (run > 0) {
                const char *w = words[next() % std::size(words)];
                for (; *w && run > 0; ++w, --run)
                    out[filled++] = *w;
            }
        }
    }
    return data;
}

// zlib driven directly: the whole input and the whole (pre-sized) output
// handed over at once, no devices, no intermediate buffers.
qsizetype zlibDeflate(const QByteArray &in, QByteArray &out)
{
    z_stream zs{};
    deflateInit2(&zs, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY);
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in.constData()));
    zs.avail_in = uInt(in.size());
    zs.next_out = reinterpret_cast<Bytef *>(out.data());
    zs.avail_out = uInt(out.size());
    const int rc = deflate(&zs, Z_FINISH);
    const qsizetype produced = qsizetype(zs.total_out);
    deflateEnd(&zs);
    return rc == Z_STREAM_END ? produced : -1;
}

qsizetype zlibInflate(const QByteArray &in, QByteArray &out)
{
    z_stream zs{};
    inflateInit2(&zs, 15);
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in.constData()));
    zs.avail_in = uInt(in.size());
    zs.next_out = reinterpret_cast<Bytef *>(out.data());
    zs.avail_out = uInt(out.size());
    const int rc = inflate(&zs, Z_FINISH);
    const qsizetype produced = qsizetype(zs.total_out);
    inflateEnd(&zs);
    return rc == Z_STREAM_END ? produced : -1;
}

double threadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// The quickest of the calls timed so far, in CPU time of this thread: the
// machine is shared, and the best run is the one least disturbed by others.
struct Best
{
    double seconds = 1e300;
    void add(double s) { seconds = std::min(seconds, s); }
};

// A random-access device over a QByteArray that is not a QBuffer, standing
// for a file: the functions work on it through buffers of their own.
class ArrayDevice : public QIODevice
{
public:
    ArrayDevice(QByteArray *data, OpenMode mode) : m_data(data) { open(mode | QIODevice::Unbuffered); }
    qint64 size() const override { return m_data->size(); }

protected:
    qint64 readData(char *out, qint64 maxSize) override
    {
        const qint64 n = std::min(maxSize, size() - pos());
        std::memcpy(out, m_data->constData() + pos(), size_t(n));
        return n;
    }
    qint64 writeData(const char *in, qint64 size) override
    {
        if (pos() + size > m_data->size())
            m_data->resize(pos() + size);
        std::memcpy(m_data->data() + pos(), in, size_t(size));
        return size;
    }

private:
    QByteArray *m_data;
};

// How our functions are handed the two arrays.
enum Devices { Buffers, OtherDevices, kDeviceKinds };
const char *const kDevicesName[] = {"QBuffer", "other devices"};

struct Measure
{
    Best best;
    long long heapPeak = 0;
};

// Ours on `in` and `out`; `out` keeps its capacity, so the dest never
// reallocates and the heap peak is the call's own.
void runOurs(bool compress, Devices devices, QByteArray &in, QByteArray &out, Measure *measure)
{
    out.resize(0);
    QBuffer bufferSource(&in);
    QBuffer bufferDest(&out);
    ArrayDevice otherSource(&in, QIODevice::ReadOnly);
    ArrayDevice otherDest(&out, QIODevice::WriteOnly);
    QIODevice *source = &otherSource;
    QIODevice *dest = &otherDest;
    if (devices == Buffers) {
        bufferSource.open(QIODevice::ReadOnly);
        bufferDest.open(QIODevice::WriteOnly);
        source = &bufferSource;
        dest = &bufferDest;
    }
    HeapPeak heap;
    const double start = threadCpuSeconds();
    (compress ? CompactarStream : DescompactarStream)(*source, *dest);
    if (measure) {
        measure->best.add(threadCpuSeconds() - start);
        measure->heapPeak = std::max(measure->heapPeak, heap.bytes());
    }
}

struct Case
{
    std::string name;  // "compress 1 MiB"
    bool compress = true;
    qsizetype size = 0;
    QByteArray plain;
    QByteArray blob;
    QByteArray out;
    Measure ours[kDeviceKinds];
    Measure zlib;
};

std::vector<Case> g_cases;
bool g_failed = false;

void fail(const std::string &what)
{
    std::fprintf(stderr, "FAILED: %s\n", what.c_str());
    g_failed = true;
}

// Makes the content and its zlib stream for one size.
bool makeData(qsizetype size, QByteArray &plain, QByteArray &blob)
{
    plain = mixedData(size);
    blob.resize(qsizetype(compressBound(uLong(size))));
    const qsizetype n = zlibDeflate(plain, blob);
    if (n < 0)
        return false;
    blob.truncate(n);
    return true;
}

// Checks our calls of the case once before they are timed; this also brings
// in the pages of the dest's reserved capacity, for ours and zlib alike.
void check(Case &c)
{
    c.out.reserve(c.compress ? c.blob.size() + 1024 : c.size);
    for (const Devices devices : {Buffers, OtherDevices}) {
        const std::string what = c.name + " (" + kDevicesName[devices] + ")";
        try {
            runOurs(c.compress, devices, c.compress ? c.plain : c.blob, c.out, nullptr);
            if (c.out != (c.compress ? c.blob : c.plain))
                fail(what + (c.compress ? ": CompactarStream differs from zlib"
                                        : ": DescompactarStream did not give the content back"));
        } catch (const AppError &e) {
            fail(what + ": " + e.message().toStdString());
        }
    }
}

void benchOurs(benchmark::State &state, Case *c, Devices devices)
{
    QByteArray &in = c->compress ? c->plain : c->blob;
    Measure &measure = c->ours[devices];
    for (auto _ : state) {
        runOurs(c->compress, devices, in, c->out, &measure);
        benchmark::DoNotOptimize(c->out.constData());
    }
    state.SetBytesProcessed(state.iterations() * c->size);
    state.counters["heap_peak_KiB"] = double(measure.heapPeak) / 1024;
}

void benchZlib(benchmark::State &state, Case *c)
{
    const QByteArray &in = c->compress ? c->plain : c->blob;
    const qsizetype capacity = c->out.capacity();
    for (auto _ : state) {
        c->out.resize(capacity);
        HeapPeak heap;
        const double start = threadCpuSeconds();
        const qsizetype n = c->compress ? zlibDeflate(in, c->out) : zlibInflate(in, c->out);
        c->zlib.best.add(threadCpuSeconds() - start);
        c->zlib.heapPeak = std::max(c->zlib.heapPeak, heap.bytes());
        if (n < 0)
            state.SkipWithError("zlib failed");
        benchmark::DoNotOptimize(c->out.constData());
    }
    state.SetBytesProcessed(state.iterations() * c->size);
    state.counters["heap_peak_KiB"] = double(c->zlib.heapPeak) / 1024;
}

// Several repetitions, run interleaved with those of the other benchmarks
// (see main), so that ours and zlib meet the same load on a shared machine.
void configure(benchmark::internal::Benchmark *b, bool smoke, const Case &c)
{
    b->Unit(benchmark::kMillisecond);
    if (smoke)
        b->Iterations(1);
    else if (c.size > kMiB)
        b->Iterations(1)->Repetitions(c.compress ? 5 : 7);
    else
        b->MinTime(0.2)->Repetitions(7);
}

} // namespace

int main(int argc, char **argv)
{
    const bool smoke = smokeMode();
    const qsizetype large = smoke ? 8 * kMiB : 256 * kMiB;
    for (const qsizetype size : {qsizetype(kMiB), large}) {
        for (const bool compress : {true, false}) {
            Case c;
            c.name = std::string(compress ? "compress " : "decompress ") + std::to_string(size / kMiB) + " MiB";
            c.compress = compress;
            c.size = size;
            g_cases.push_back(c);
        }
    }
    // The two directions of one size share their data.
    for (std::size_t i = 0; i < g_cases.size(); i += 2) {
        if (!makeData(g_cases[i].size, g_cases[i].plain, g_cases[i].blob)) {
            fail(g_cases[i].name + ": zlib could not compress the data");
            return 1;
        }
        g_cases[i + 1].plain = g_cases[i].plain;
        g_cases[i + 1].blob = g_cases[i].blob;
    }
    for (Case &c : g_cases)
        check(c);

    for (Case &c : g_cases) {
        for (const Devices devices : {Buffers, OtherDevices}) {
            const std::string name = c.name + " / ours, " + kDevicesName[devices];
            configure(benchmark::RegisterBenchmark(name.c_str(), benchOurs, &c, devices), smoke, c);
        }
        configure(benchmark::RegisterBenchmark((c.name + " / zlib").c_str(), benchZlib, &c), smoke, c);
    }

    std::vector<char *> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);  // flags given on the command line still win
    int argCount = int(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&argCount, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("\nBest call of each, in CPU time of the calling thread; heap peak beyond the two arrays:\n");
    std::printf("%-20s %-14s %10s %10s %9s %15s %15s\n", "case", "ours on", "ours MB/s", "zlib MB/s", "ours/zlib",
                "ours heap peak", "zlib heap peak");
    for (const Case &c : g_cases) {
        for (const Devices devices : {Buffers, OtherDevices}) {
            const Measure &ours = c.ours[devices];
            if (ours.best.seconds > 1e299 || c.zlib.best.seconds > 1e299)
                continue;  // left out by --benchmark_filter
            const double oursMBs = double(c.size) / 1e6 / ours.best.seconds;
            const double zlibMBs = double(c.size) / 1e6 / c.zlib.best.seconds;
            const bool over = ours.heapPeak > kMemoryBound;
            std::printf("%-20s %-14s %10.1f %10.1f %9.3f %11.1f KiB %11.1f KiB%s\n", c.name.c_str(),
                        kDevicesName[devices], oursMBs, zlibMBs, oursMBs / zlibMBs, double(ours.heapPeak) / 1024,
                        double(c.zlib.heapPeak) / 1024, over ? "  OVER THE 2 MiB BOUND" : "");
            if (over)
                fail(c.name + " (" + kDevicesName[devices] + "): heap peak over 2 MiB");
        }
    }
    std::printf("target: ours/zlib >= 0.95; heap bound: %lld KiB\n", kMemoryBound / 1024);
    return g_failed ? 1 : 0;
}
