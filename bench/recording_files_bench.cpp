// Writing 16 channels x 2,000,000 samples in each recording format, next to a plain fwrite of the
// same sample bytes in the same run. Files go to the temporary folder and are removed.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "files/binary_recording_writer.h"
#include "files/expedata_export.h"
#include "files/recording_from_program.h"
#include "files/text_export.h"
#include "state/program.h"

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

Program& bigRun() {
    static std::unique_ptr<Program> p = [] {
        auto run = std::make_unique<Program>();
        run->session.nChan = kChannels;
        run->session.Sample = kSamples;
        run->session.SampleInterval = 0.01f;
        run->store.reserveSlots(SampleStore::slotOf(kChannels, kSamples));
        for (int c = 1; c <= kChannels; ++c) {
            run->channels.setLabel(c, "channel");
            for (int s = 0; s < kSamples; ++s) {
                // Realistic readings: a few significant digits, some negative.
                run->store.at(SampleStore::slotOf(c, s)) =
                    std::round(1000.0f * std::sin(0.001f * static_cast<float>(s) + c)) / 64.0f;
            }
        }
        // One unmeasured write first, so the first benchmark does not pay for warming the cache.
        FILE* warm = std::fopen(benchPath().c_str(), "wb");
        for (int c = 1; c <= kChannels; ++c) {
            std::fwrite(run->store.row(c, kSamples), sizeof(float), kSamples, warm);
        }
        std::fclose(warm);
        std::filesystem::remove(benchPath());
        return run;
    }();
    return *p;
}

template <typename Write>
void runWriter(benchmark::State& state, Write write) {
    Program& p = bigRun();
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
    runWriter(state, [](const Recording& r, ByteSink& s) {
        int64_t calls = 0;
        const bool ok = writeTextExport(r, s, true, [&](int64_t, int64_t) { return ++calls > 0; });
        return ok;
    });
}

// The text export's own bytes, formatted beforehand, written with one plain fwrite.
void BM_PlainFwriteOfTheTextBytes(benchmark::State& state) {
    static const std::vector<uint8_t> text = [] {
        VectorSink sink;
        writeTextExport(chartRecording(bigRun()), sink, true);
        return std::move(sink.bytes);
    }();
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
BENCHMARK(BM_PlainFwriteOfTheTextBytes)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TextExport)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_PlainFwriteOfTheSampleBytes)
    ->Name("BM_PlainFwriteOfTheSampleBytes_again")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
}  // namespace trindel
