// Writing 16 channels x 2,000,000 samples in each recording format, next to a plain fwrite of the
// same sample bytes in the same run; the text export also next to a plain fwrite of its own text
// and to the same export made the way it was before (std::to_chars digits, one thread). Files go
// to the temporary folder and are removed. Times are wall-clock, CPU times those of the process.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "files/binary_recording_writer.h"
#include "files/expedata_export.h"
#include "files/recording_from_program.h"
#include "files/text_export.h"
#include "state/program.h"
#include "text/export_number.h"
#include "text/number_text.h"

namespace trindel {
namespace {

constexpr int kChannels = 16;
constexpr int kSamples = 2000000;

class StdioSink final : public ByteSink {
  public:
    explicit StdioSink(FILE* file) : file_(file) {}
    bool write(const void* data, size_t size) override {
        return std::fwrite(data, 1, size, file_) == size;
    }

  private:
    FILE* file_;
};

std::string benchPath() {
    return (std::filesystem::temp_directory_path() / "trindel-bench-recording").string();
}

// Every run starts without an old file to truncate, so no writer pays for freeing another's pages.
FILE* freshFile(benchmark::State& state) {
    state.PauseTiming();
    std::filesystem::remove(benchPath());
    state.ResumeTiming();
    return std::fopen(benchPath().c_str(), "wb");
}

// Rounded: readings of a few significant digits, as a converter gives them (they repeat).
// Unrounded: every value different, the export's worst case.
enum class Readings { Rounded, Unrounded };

Program& bigRun(Readings kind = Readings::Rounded) {
    static std::unique_ptr<Program> runs[2];
    auto& run = runs[static_cast<int>(kind)];
    if (run) {
        return *run;
    }
    run = std::make_unique<Program>();
    run->session.nChan = kChannels;
    run->session.Sample = kSamples;
    run->session.SampleInterval = 0.01f;
    run->store.reserveSlots(SampleStore::slotOf(kChannels, kSamples));
    for (int c = 1; c <= kChannels; ++c) {
        run->channels.setLabel(c, "channel");
        for (int s = 0; s < kSamples; ++s) {
            const float wave = 1000.0f * std::sin(0.001f * static_cast<float>(s) + c);
            // Some negative; rounded ones have a few significant digits.
            run->store.at(SampleStore::slotOf(c, s)) =
                kind == Readings::Rounded ? std::round(wave) / 64.0f : wave / 64.0f;
        }
    }
    // One unmeasured write first, so the first benchmark does not pay for warming the cache.
    FILE* warm = std::fopen(benchPath().c_str(), "wb");
    for (int c = 1; c <= kChannels; ++c) {
        std::fwrite(run->store.row(c, kSamples), sizeof(float), kSamples, warm);
    }
    std::fclose(warm);
    std::filesystem::remove(benchPath());
    return *run;
}

template <typename Write>
void runWriter(benchmark::State& state, Write write, Readings kind = Readings::Rounded) {
    Program& p = bigRun(kind);
    const Recording r = chartRecording(p);
    int64_t bytes = 0;
    for (auto _ : state) {
        FILE* file = freshFile(state);
        StdioSink sink(file);
        if (!write(r, sink)) {
            state.SkipWithError("write failed");
        }
        bytes += std::ftell(file);
        std::fclose(file);
    }
    std::filesystem::remove(benchPath());
    state.SetBytesProcessed(bytes);
}

void BM_PlainFwriteOfTheSampleBytes(benchmark::State& state) {
    Program& p = bigRun();
    int64_t bytes = 0;
    for (auto _ : state) {
        FILE* file = freshFile(state);
        for (int c = 1; c <= kChannels; ++c) {
            std::fwrite(p.store.row(c, kSamples), sizeof(float), kSamples, file);
        }
        bytes += std::ftell(file);
        std::fclose(file);
    }
    std::filesystem::remove(benchPath());
    state.SetBytesProcessed(bytes);
}

void BM_BinaryChartFile(benchmark::State& state) {
    runWriter(state, [](const Recording& r, ByteSink& s) { return writeBinaryRecording(r, s); });
}

// The scope variant with the same amount of data: sixteen sweeps of 2,000,000 values.
void BM_BinaryScopeFile(benchmark::State& state) {
    Program& p = bigRun();
    int64_t bytes = 0;
    for (auto _ : state) {
        FILE* file = freshFile(state);
        StdioSink sink(file);
        for (int c = 1; c <= kChannels; ++c) {
            const std::span<const float> sweep(p.store.row(c, kSamples), kSamples);
            writeBinaryRecording(scopeRecording(p, sweep, 0.01f, "12:00:00"), sink);
        }
        bytes += std::ftell(file);
        std::fclose(file);
    }
    std::filesystem::remove(benchPath());
    state.SetBytesProcessed(bytes);
}

void BM_ExpeDataExport(benchmark::State& state) {
    runWriter(state, [](const Recording& r, ByteSink& s) { return writeExpeData(r, s); });
}

void BM_TextExport(benchmark::State& state) {
    runWriter(
        state,
        [](const Recording& r, ByteSink& s) {
            int64_t calls = 0;
            return writeTextExport(r, s, true, [&](int64_t, int64_t) { return ++calls > 0; });
        },
        static_cast<Readings>(state.range(0)));
}

// The text export as it was made before: each number through std::to_chars (floatText for the
// rest), line after line on one thread, into the same chunk buffer.
char* previousExportNumber(char* out, float value) {
    const float magnitude = std::fabs(value);
    if (magnitude >= 1e-5f && magnitude < 16777216.0f) {
        *out = std::signbit(value) ? '-' : ' ';
        char* const end = std::to_chars(out + 1, out + 20, magnitude).ptr;
        if (std::find(out + 1, end, 'e') == end) {
            return end;
        }
    }
    return floatText(out, value);
}

bool previousTextExport(const Recording& r, ByteSink& sink) {
    ByteWriter out(sink);
    out.bytes("Time (sec)\t", 11);
    for (size_t c = 0; c < r.writtenCount(); ++c) {
        out.bytes(r.written(c).label);
        out.byte(c + 1 == r.writtenCount() ? '\r' : '\t');
    }
    const size_t lineRoom = (r.writtenCount() + 1) * (kNumberTextCapacity + 1) + 1;
    for (int64_t i = 0; i < r.sampleCount; ++i) {
        char* const start = reinterpret_cast<char*>(out.reserve(lineRoom));
        char* p = previousExportNumber(start, static_cast<float>(i + 1) * r.sampleInterval);
        *p++ = '\t';
        for (size_t c = 0; c < r.writtenCount(); ++c) {
            p = previousExportNumber(p, r.data[c][static_cast<size_t>(i)]);
            *p++ = '\t';
        }
        *p++ = '\r';
        out.commit(static_cast<size_t>(p - start));
    }
    return out.flush();
}

void BM_TextExportAsBefore(benchmark::State& state) {
    runWriter(
        state, [](const Recording& r, ByteSink& s) { return previousTextExport(r, s); },
        static_cast<Readings>(state.range(0)));
}

// The text export's own bytes, formatted beforehand, written with one plain fwrite.
void BM_PlainFwriteOfTheTextBytes(benchmark::State& state) {
    static std::vector<uint8_t> texts[2];
    std::vector<uint8_t>& text = texts[state.range(0)];
    if (text.empty()) {
        VectorSink sink;
        writeTextExport(chartRecording(bigRun(static_cast<Readings>(state.range(0)))), sink, true);
        text = std::move(sink.bytes);
    }
    int64_t bytes = 0;
    for (auto _ : state) {
        FILE* file = freshFile(state);
        std::fwrite(text.data(), 1, text.size(), file);
        bytes += std::ftell(file);
        std::fclose(file);
    }
    std::filesystem::remove(benchPath());
    state.SetBytesProcessed(bytes);
}

BENCHMARK(BM_PlainFwriteOfTheSampleBytes)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BinaryChartFile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BinaryScopeFile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExpeDataExport)->Unit(benchmark::kMillisecond)->Iterations(3);
// Side by side, for rounded (0) and unrounded (1) readings: the plain write of the text, the
// export, the export as before, the plain write again.
void textBenchmarks(benchmark::internal::Benchmark* b, int iterations) {
    b->ArgName("unrounded")
        ->Unit(benchmark::kMillisecond)
        ->Iterations(iterations)
        ->UseRealTime()
        ->MeasureProcessCPUTime();
}
BENCHMARK(BM_PlainFwriteOfTheTextBytes)->Apply([](auto* b) { textBenchmarks(b->Arg(0), 3); });
BENCHMARK(BM_TextExport)->Apply([](auto* b) { textBenchmarks(b->Arg(0), 3); });
BENCHMARK(BM_TextExportAsBefore)->Apply([](auto* b) { textBenchmarks(b->Arg(0), 2); });
BENCHMARK(BM_PlainFwriteOfTheTextBytes)->Apply([](auto* b) { textBenchmarks(b->Arg(1), 3); });
BENCHMARK(BM_TextExport)->Apply([](auto* b) { textBenchmarks(b->Arg(1), 3); });
BENCHMARK(BM_TextExportAsBefore)->Apply([](auto* b) { textBenchmarks(b->Arg(1), 2); });
BENCHMARK(BM_PlainFwriteOfTheTextBytes)
    ->Name("BM_PlainFwriteOfTheTextBytes_again")
    ->Apply([](auto* b) { textBenchmarks(b->Arg(0), 3); });
BENCHMARK(BM_PlainFwriteOfTheSampleBytes)
    ->Name("BM_PlainFwriteOfTheSampleBytes_again")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
}  // namespace trindel
