// Descriptions as the exports and a driver's error query produce them: translateStatus on the
// export path (Dynamic | Nested | LocalCodePage) of a status with one usage item, in English and
// in Japanese, describeCode through the native translator and the explanation files, and the
// export Helvar_DescribeStatus of libHelvar.so.
//   bench_helvar_xlator --benchmark_min_time=1
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "Helvar.h"
#include "common/orverr/Raise.h"
#include "helvar/miivi/ErrorAccessor.h"
#include "helvar/miivi/MxlWrapper.h"
#include "helvar/orvmxl/TranslateStatus.h"

namespace {

constexpr uint32_t kExportFlags = orvmxl::kDynamic | orvmxl::kNested | orvmxl::kLocalCodePage;

void useBuildRegistry() {
    if (!std::getenv("ORV_REGISTRY_FILE")) ::setenv("ORV_REGISTRY_FILE", ORV_BENCH_REGISTRY_FILE, 1);
}

void exportPath(benchmark::State& state, uint32_t language) {
    useBuildRegistry();
    orverr::Status in;
    ORVERR_RAISE_INTO(in, orverr::codes::kErrReadingFile).usage("kUsageTypeFilePath", "/home/user/settings.json");
    for (auto _ : state) {
        orverr::Status out;
        std::string text;
        orvmxl::translateStatus(in, language, kExportFlags, text, out);
        if (out.isError() || text.empty()) state.SkipWithError("no description");
        benchmark::DoNotOptimize(text);
    }
}

void BM_TranslateStatusExportPathEnglish(benchmark::State& state) { exportPath(state, 0); }
void BM_TranslateStatusExportPathJapanese(benchmark::State& state) { exportPath(state, 3); }

void BM_DescribeCodeNative(benchmark::State& state) {
    useBuildRegistry();
    miivi::MxlWrapper translator;
    miivi::ErrorAccessor accessor(translator);
    char buffer[miivi::ErrorAccessor::kDescriptionSize];
    for (auto _ : state) {
        accessor.describeCode(0, orverr::codes::kCorruptedFormat.code, buffer, 0);
        benchmark::DoNotOptimize(buffer);
    }
}

// One call into a buffer large enough for any explanation, as a caller that keeps one does.
void describeStatus(benchmark::State& state, ViInt32 language, ViStatus code, ViStatus expected) {
    useBuildRegistry();
    char buffer[1024];
    for (auto _ : state) {
        if (Helvar_DescribeStatus(language, code, sizeof buffer, buffer) != expected) state.SkipWithError("no description");
        benchmark::DoNotOptimize(buffer);
    }
}

void BM_DescribeStatusEnglish(benchmark::State& state) {
    describeStatus(state, HELVAR_LANGUAGE_ENGLISH, orverr::codes::kCorruptedFormat.code, VI_SUCCESS);
}
void BM_DescribeStatusJapanese(benchmark::State& state) {
    describeStatus(state, HELVAR_LANGUAGE_JAPANESE, orverr::codes::kCorruptedFormat.code, VI_SUCCESS);
}
void BM_DescribeStatusUnknownCode(benchmark::State& state) {
    describeStatus(state, HELVAR_LANGUAGE_ENGLISH, 12345, HELVAR_WARN_UNKNOWN_STATUS);
}

// The size query and then the copy, as Helvar.h shows it: two lookups.
void BM_DescribeStatusSizeThenCopy(benchmark::State& state) {
    useBuildRegistry();
    char buffer[1024];
    const ViStatus code = orverr::codes::kCorruptedFormat.code;
    for (auto _ : state) {
        const ViStatus needed = Helvar_DescribeStatus(HELVAR_LANGUAGE_ENGLISH, code, 0, nullptr);
        if (needed <= 0 || needed > static_cast<ViStatus>(sizeof buffer) ||
            Helvar_DescribeStatus(HELVAR_LANGUAGE_ENGLISH, code, needed, buffer) != VI_SUCCESS)
            state.SkipWithError("no description");
        benchmark::DoNotOptimize(buffer);
    }
}

BENCHMARK(BM_TranslateStatusExportPathEnglish)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TranslateStatusExportPathJapanese)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DescribeCodeNative)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DescribeStatusEnglish)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DescribeStatusJapanese)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DescribeStatusUnknownCode)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DescribeStatusSizeThenCopy)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
