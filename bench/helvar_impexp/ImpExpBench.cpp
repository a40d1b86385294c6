// Export to a buffer and import from a buffer against baselines that make the same engine calls
// and write, or parse and validate, the same document with rapidjson directly.
// Two engines: the simulated engine and driver libraries (the path the exports take) and the
// in-memory engine of the tests (where nearly all time is the import/export code's own).
// The peak heap of one import, over what was live before it, is measured beside its baseline's.
// The wall clock is read in rounds where library and baseline take turns (interleaved*), so that
// the machine's load falls on both alike; the simulated engine keeps no books of its own meanwhile.
//   LD_LIBRARY_PATH=<build>/out/lib bench_helvar_impexp --benchmark_min_time=0.3
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <rapidjson/document.h>
#include <rapidjson/prettywriter.h>
#include <rapidjson/schema.h>
#include <rapidjson/stringbuffer.h>

#include "AllocationCounter.h"
#include "support/FakeIviSession.h"
#include "SimIvi.h"
#include "helvar/impexp/AttributeFacadeFactory.h"
#include "helvar/impexp/GetDesiredAttributeHelper.h"
#include "helvar/impexp/ImporterExporter.h"
#include "helvar/miivi/IviWrapper.h"
#include "helvar/impexp/document/Schema.h"

using impexp_test::FakeIviSession;

namespace {

constexpr ViAttr kFirstId = 1300000;
constexpr int32_t kModel = 5122;
const ViInt32 kTypes[] = {IVI_VAL_INT32, IVI_VAL_INT64, IVI_VAL_REAL64, IVI_VAL_STRING, IVI_VAL_SESSION, IVI_VAL_BOOLEAN};

// n user-set values of mixed types; every fourth attribute is channel-based and set on one of its
// two channels.
struct Planned {
    ViAttr id;
    ViInt32 type;
    bool perChannel;
    std::string channel;  // the one that is set
    std::string name;
    int64_t integer;
    double real;
    std::string text;
};

std::vector<Planned> plan(int n) {
    std::vector<Planned> planned;
    for (int i = 0; i < n; ++i) {
        const bool perChannel = i % 4 == 0;
        planned.push_back({kFirstId + static_cast<ViAttr>(i), kTypes[i % 6], perChannel,
                           perChannel ? std::to_string(i / 4 % 2) : "", "BENCH_ATTRIBUTE_" + std::to_string(i),
                           i * 7 - 3, i * 0.001 + 0.5, "value-" + std::to_string(i)});
    }
    return planned;
}

// One benchmarked session: its wrapper and desired-value reader, the keys an export walks, and the
// engine under test.
struct BenchSession {
    virtual ~BenchSession() = default;
    void start(int n) {
        for (const Planned& p : plan(n)) {
            if (p.perChannel) {
                keys.emplace_back(p.id, "0");
                keys.emplace_back(p.id, "1");
            } else {
                keys.emplace_back(p.id, "");
            }
        }
        factory = std::make_unique<impexp::AttributeFacadeFactory>(wrapper(), reader());
        info.modelNumber = kModel;
        engine = std::make_unique<impexp::ImporterExporter>(wrapper(), *factory, &info);
    }
    virtual miivi::IviWrapperInterface& wrapper() = 0;
    virtual impexp::GetAttributeHelperInterface& reader() = 0;

    std::vector<std::pair<ViAttr, std::string>> keys;
    std::unique_ptr<impexp::AttributeFacadeFactory> factory;
    impexp::SessionInformation info;
    std::unique_ptr<impexp::ImporterExporter> engine;
};

// The in-memory engine of the tests: what remains is almost only the import/export code itself.
struct InMemorySession : BenchSession {
    explicit InMemorySession(int n) : desired(session) {
        session.logSets = false;
        session.repCaps["Channel"] = {"0", "1"};
        for (const Planned& p : plan(n)) {
            session.add(p.id, p.name, p.type, p.perChannel ? "Channel" : "");
            impexp_test::FakeValue& v = session.value(p.id, p.channel);
            v.integer = p.integer;
            v.real = p.real;
            v.text = p.text;
        }
        start(n);
    }
    miivi::IviWrapperInterface& wrapper() override { return session; }
    impexp::GetAttributeHelperInterface& reader() override { return desired; }
    FakeIviSession session;
    impexp_test::FakeDesiredReader desired;
};

// The simulated engine and driver libraries, reached the way the exports reach them.
struct SimulatedSession : BenchSession {
    explicit SimulatedSession(int n) {
        SimIvi_CreateSession(nullptr, &vi);
        SimIvi_BuildRepCap(vi, "Channel", "0,1");
        for (const Planned& p : plan(n)) {
            SimIvi_AddAttribute(vi, p.perChannel ? "Channel" : nullptr, p.id, p.name.c_str(), p.type, 0);
            SimIvi_Value v{};
            v.type = p.type;
            v.int32Value = static_cast<ViInt32>(p.integer);
            v.int64Value = p.integer;
            v.real64Value = p.real;
            v.booleanValue = static_cast<ViBoolean>(p.integer & 1);
            v.sessionValue = static_cast<ViSession>(p.integer);
            v.stringValue = p.text.c_str();
            SimIvi_SetAttribute(vi, p.channel.c_str(), p.id, IVI_VAL_DIRECT_USER_CALL, &v);
        }
        ivi = std::make_unique<miivi::IviWrapper>(vi);
        start(n);
        // Call counting and injection lookups would add the same cost to library and baseline.
        SimIvi_SetBookkeeping(VI_FALSE);
    }
    ~SimulatedSession() override { SimIvi_DestroySession(vi); }
    miivi::IviWrapperInterface& wrapper() override { return *ivi; }
    impexp::GetAttributeHelperInterface& reader() override { return desired; }
    ViSession vi = 0;
    std::unique_ptr<miivi::IviWrapper> ivi;
    impexp::GetDesiredAttributeHelper desired;
};

template <class Session>
BenchSession& sessionOf(int n) {
    static std::map<int, std::unique_ptr<BenchSession>> sessions;
    auto& s = sessions[n];
    if (!s) s = std::make_unique<Session>(n);
    return *s;
}

// The same engine reads as an export, written straight into the same document with rapidjson,
// then copied out with its NUL. Functions of their own (never inlined), so that callgrind can count
// one operation: --toggle-collect='*baselineExport*' and so on.
__attribute__((noinline)) void baselineExport(BenchSession& s, std::vector<char>& buffer) {
    miivi::IviWrapperInterface& e = s.wrapper();
    impexp::GetAttributeHelperInterface& reader = s.reader();
    rapidjson::StringBuffer out;
    rapidjson::PrettyWriter<rapidjson::StringBuffer> w(out);
    w.SetIndent(' ', 3);
    w.StartObject();
    w.Key("formatVersion"); w.Int(1);
    w.Key("oldestCompatibleFormatVersion"); w.Int(1);
    w.Key("timeStamp"); w.String("2026-12-07T14:45:03.120000");
    w.Key("session"); w.StartObject();
    w.Key("channels"); w.String(""); w.Key("optionString"); w.String(""); w.EndObject();
    w.Key("generatedBy"); w.StartObject();
    w.Key("name"); w.String("Helvar.dll"); w.Key("version"); w.String("4.5.5f0"); w.EndObject();
    w.Key("devices"); w.StartArray(); w.StartObject(); w.Key("modelNumber"); w.Int(kModel); w.EndObject(); w.EndArray();
    w.Key("attributes"); w.StartArray();
    for (const auto& k : s.keys) {
        const char* ch = k.second.c_str();
        if (e.Ivi_AttributeWasSetByUser(ch, k.first) != 1) continue;
        ViInt32 type = 0;
        e.Ivi_GetAttributeType(k.first, &type);
        char name[256] = {0};
        e.Ivi_GetAttributeName(k.first, 256, name);
        w.StartObject();
        w.Key("id"); w.Uint(k.first);
        w.Key("name"); w.String(name);
        w.Key("channel"); w.String(ch);
        w.Key("value");
        switch (type) {
        case IVI_VAL_INT32: { ViInt32 v; reader.getAttributeViInt32(e, ch, k.first, &v); w.Int(v); break; }
        case IVI_VAL_INT64: { ViInt64 v; reader.getAttributeViInt64(e, ch, k.first, &v); w.Int64(v); break; }
        case IVI_VAL_REAL64: { ViReal64 v; reader.getAttributeViReal64(e, ch, k.first, &v); w.Double(v); break; }
        case IVI_VAL_STRING: { std::string v; reader.getAttributeViString(e, ch, k.first, v); w.String(v); break; }
        case IVI_VAL_SESSION: { ViSession v; reader.getAttributeViSession(e, ch, k.first, &v); w.Uint(v); break; }
        default: { ViBoolean v; reader.getAttributeViBoolean(e, ch, k.first, &v); w.Bool(v != 0); break; }
        }
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    buffer.assign(out.GetString(), out.GetString() + out.GetSize() + 1);
}

__attribute__((noinline)) void productExport(BenchSession& s, std::vector<char>& buffer) {
    s.engine->exportBuffer(static_cast<uint32_t>(buffer.size()), buffer.data());
}

template <class Session>
void exportBuffer(benchmark::State& state) {
    BenchSession& s = sessionOf<Session>(static_cast<int>(state.range(0)));
    std::vector<char> buffer(s.engine->exportBuffer(0, nullptr) + 64);
    productExport(s, buffer);  // one run before, as for every operation here
    for (auto _ : state) {
        productExport(s, buffer);
        benchmark::DoNotOptimize(buffer.data());
    }
}

template <class Session>
void exportBaseline(benchmark::State& state) {
    BenchSession& s = sessionOf<Session>(static_cast<int>(state.range(0)));
    std::vector<char> buffer;
    baselineExport(s, buffer);  // one run before: the driver library is loaded, as for the export
    for (auto _ : state) {
        baselineExport(s, buffer);
        benchmark::DoNotOptimize(buffer.data());
    }
}

// Parse and schema validation of the document with rapidjson, then, per entry, the session's type,
// availability and channel checks and the write: the work an import cannot avoid.
__attribute__((noinline)) void baselineImport(BenchSession& s, const std::string& document) {
    miivi::IviWrapperInterface& e = s.wrapper();
    rapidjson::Document schemaDom;
    schemaDom.Parse(impexp::document::attributeConfigurationSchema());
    rapidjson::SchemaDocument schema(schemaDom);
    rapidjson::Document d;
    d.Parse(document.c_str());
    rapidjson::SchemaValidator validator(schema);
    if (!d.Accept(validator)) std::abort();
    for (const auto& entry : d["attributes"].GetArray()) {
        const ViAttr id = entry["id"].GetUint();
        const char* ch = entry["channel"].GetString();
        const auto& v = entry["value"];
        ViInt32 type = 0;
        e.Ivi_GetAttributeType(id, &type);
        e.Ivi_AttributeIsAvailable(id);
        e.Ivi_ValidateAttrForRepCapName(ch, id);
        switch (type) {
        case IVI_VAL_INT32: e.Ivi_SetAttributeViInt32(ch, id, 1, v.GetInt()); break;
        case IVI_VAL_INT64: e.Ivi_SetAttributeViInt64(ch, id, 1, v.GetInt64()); break;
        case IVI_VAL_REAL64: e.Ivi_SetAttributeViReal64(ch, id, 1, v.GetDouble()); break;
        case IVI_VAL_STRING: e.Ivi_SetAttributeViString(ch, id, 1, v.GetString()); break;
        case IVI_VAL_SESSION: e.Ivi_SetAttributeViSession(ch, id, 1, v.GetUint()); break;
        default: e.Ivi_SetAttributeViBoolean(ch, id, 1, v.IsTrue() ? 1 : 0); break;
        }
    }
}

__attribute__((noinline)) void productImport(BenchSession& s, const std::string& document) {
    s.engine->importBuffer(static_cast<uint32_t>(document.size() + 1), document.c_str());
}

template <class Session>
void importBuffer(benchmark::State& state) {
    BenchSession& s = sessionOf<Session>(static_cast<int>(state.range(0)));
    const std::string document = s.engine->exportText();
    productImport(s, document);  // one run before, as for every operation here
    for (auto _ : state) productImport(s, document);
}

template <class Session>
void importBaseline(benchmark::State& state) {
    BenchSession& s = sessionOf<Session>(static_cast<int>(state.range(0)));
    const std::string document = s.engine->exportText();
    baselineImport(s, document);  // one run before, as for every operation here
    for (auto _ : state) baselineImport(s, document);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double secondsOf(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// range(0) attributes, range(1) rounds; each round times the library once and the baseline once,
// the one starting that went second the round before. Reported: the medians of each, in ms, and
// of the per-round ratio.
void interleavedRounds(benchmark::State& state, const std::function<void()>& product,
                       const std::function<void()>& baseline) {
    std::vector<double> library, base, ratio;
    for (auto _ : state) {
        for (int64_t round = 0; round < state.range(1); ++round) {
            double p = 0, b = 0;
            if (round % 2 == 0) {
                p = secondsOf(product);
                b = secondsOf(baseline);
            } else {
                b = secondsOf(baseline);
                p = secondsOf(product);
            }
            library.push_back(p);
            base.push_back(b);
            ratio.push_back(p / b);
        }
    }
    state.counters["library_ms"] = median(library) * 1e3;
    state.counters["baseline_ms"] = median(base) * 1e3;
    state.counters["ratio"] = median(ratio);
}

template <class Session>
void interleavedExport(benchmark::State& state) {
    BenchSession& s = sessionOf<Session>(static_cast<int>(state.range(0)));
    std::vector<char> buffer(s.engine->exportBuffer(0, nullptr) + 64);
    std::vector<char> baselineBuffer;
    productExport(s, buffer);
    baselineExport(s, baselineBuffer);
    interleavedRounds(state, [&] { productExport(s, buffer); }, [&] { baselineExport(s, baselineBuffer); });
}

template <class Session>
void interleavedImport(benchmark::State& state) {
    BenchSession& s = sessionOf<Session>(static_cast<int>(state.range(0)));
    const std::string document = s.engine->exportText();
    productImport(s, document);
    baselineImport(s, document);
    interleavedRounds(state, [&] { productImport(s, document); }, [&] { baselineImport(s, document); });
}

// Heap bytes at the highest point of one import over those live before it (the document text
// and the session are already there).
void peakOfImport(benchmark::State& state, void (*run)(BenchSession&, const std::string&)) {
    BenchSession& s = sessionOf<SimulatedSession>(static_cast<int>(state.range(0)));
    const std::string document = s.engine->exportText();
    std::size_t peak = 0;
    for (auto _ : state) {
        bench::startHeapCount();
        run(s, document);
        bench::stopHeapCount();
        peak = bench::heapPeakBytes();
    }
    state.counters["peak_MiB"] = static_cast<double>(peak) / (1024.0 * 1024.0);
    state.counters["document_MiB"] = static_cast<double>(document.size()) / (1024.0 * 1024.0);
}

void importPeakMemory(benchmark::State& state) { peakOfImport(state, productImport); }
void importBaselinePeakMemory(benchmark::State& state) { peakOfImport(state, baselineImport); }

}  // namespace

// Each operation beside its baseline: the simulated engine up to 100,000 attributes, the in-memory
// one up to 10,000.
#define IMPEXP_SIM_BENCH(function) \
    BENCHMARK_TEMPLATE(function, SimulatedSession)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond)
#define IMPEXP_IN_MEMORY_BENCH(function) \
    BENCHMARK_TEMPLATE(function, InMemorySession)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond)
IMPEXP_SIM_BENCH(exportBuffer);
IMPEXP_SIM_BENCH(exportBaseline);
IMPEXP_SIM_BENCH(importBuffer);
IMPEXP_SIM_BENCH(importBaseline);
IMPEXP_IN_MEMORY_BENCH(exportBuffer);
IMPEXP_IN_MEMORY_BENCH(exportBaseline);
IMPEXP_IN_MEMORY_BENCH(importBuffer);
IMPEXP_IN_MEMORY_BENCH(importBaseline);
#define IMPEXP_INTERLEAVED_BENCH(function)                                                          \
    BENCHMARK_TEMPLATE(function, SimulatedSession)->Args({1000, 41})->Args({10000, 21})->Args({100000, 9}) \
        ->Iterations(1)->Unit(benchmark::kMillisecond)
IMPEXP_INTERLEAVED_BENCH(interleavedExport);
IMPEXP_INTERLEAVED_BENCH(interleavedImport);
BENCHMARK(importPeakMemory)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(importBaselinePeakMemory)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
