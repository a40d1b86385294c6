// Status documents: a raise with four elaborations and the reads a describer makes of it, with the
// in-place writer and reader of orverr beside the same work done through a rapidjson DOM (one
// parse and one write per raise, its best case). Each case reports the peak heap bytes of one run.
//   bench_orverr_documents --benchmark_min_time=1
#include <benchmark/benchmark.h>

#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <cstddef>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "common/orverr/JsonReader.h"
#include "common/orverr/Raise.h"
#include "common/orverr/Status.h"

namespace {

constexpr const char* kFilePath = "/home/user/settings/station-4/digitizer.json";
constexpr const char* kComment = "The document was written for another model.";

void raiseInPlace(orverr::Status& status) {
    ORVERR_RAISE_INTO(status, orverr::codes::kIncompatibleModelNumber)
        .usageInt32("impexp_kUsageTypeAttributeConfigurationModelNumber", 5162)
        .usageInt32("impexp_kUsageTypeExpectedModelNumber", 5164)
        .usage("kUsageTypeFilePath", kFilePath)
        .comment(kComment);
}

std::string raiseThroughRapidjson() {
    rapidjson::Document document;
    document.Parse("{}");
    auto& allocator = document.GetAllocator();
    document.AddMember("error_constant", rapidjson::StringRef(orverr::codes::kIncompatibleModelNumber.constant), allocator);
    document.AddMember("file", rapidjson::StringRef(__FILE__), allocator);
    document.AddMember("line", __LINE__, allocator);
    document.AddMember("component", "Helvar", allocator);
    document.AddMember("translator", rapidjson::StringRef(orverr::kTranslatorName), allocator);
    rapidjson::Value info(rapidjson::kObjectType);
    info.AddMember("is_debug", "0", allocator);
    info.AddMember("version", 1, allocator);
    rapidjson::Value items(rapidjson::kArrayType);
    auto usage = [&](const char* name, rapidjson::Value value, const char* type) {
        rapidjson::Value item(rapidjson::kObjectType);
        item.AddMember("type", "usage", allocator);
        item.AddMember("usage", rapidjson::StringRef(name), allocator);
        item.AddMember("value", value, allocator);
        item.AddMember("value_type", rapidjson::StringRef(type), allocator);
        items.PushBack(item, allocator);
    };
    usage("impexp_kUsageTypeAttributeConfigurationModelNumber", rapidjson::Value(5162), "int32_t");
    usage("impexp_kUsageTypeExpectedModelNumber", rapidjson::Value(5164), "int32_t");
    usage("kUsageTypeFilePath", rapidjson::Value(rapidjson::StringRef(kFilePath)), "string");
    rapidjson::Value comment(rapidjson::kObjectType);
    comment.AddMember("type", "comment", allocator);
    comment.AddMember("comment", rapidjson::StringRef(kComment), allocator);
    items.PushBack(comment, allocator);
    info.AddMember("ordered_data", items, allocator);
    document.AddMember("translator_info", info, allocator);
    rapidjson::StringBuffer text;
    rapidjson::Writer<rapidjson::StringBuffer> writer(text);
    document.Accept(writer);
    return std::string(text.GetString(), text.GetSize());
}

// What a describer reads: the translator, then each item's type, usage and value.
std::size_t readInPlace(const char* document) {
    std::size_t read = orverr::readStringMember(document, "translator").value_or("").size();
    std::vector<orverr::JsonValue> items;
    if (const char* info = orverr::findMember(document, "translator_info")) {
        if (const char* data = orverr::findMember(info, "ordered_data")) orverr::arrayElements(orverr::parseValue(data), items);
    }
    for (const orverr::JsonValue& item : items) {
        read += orverr::readStringMember(item.begin, "type").value_or("").size();
        read += orverr::readStringMember(item.begin, "usage").value_or("").size();
        if (const char* value = orverr::findMember(item.begin, "value")) read += orverr::parseValue(value).end - value;
    }
    return read;
}

std::size_t stringLength(const rapidjson::Value& object, const char* name) {
    const auto member = object.FindMember(name);
    return member != object.MemberEnd() && member->value.IsString() ? member->value.GetStringLength() : 0;
}

std::size_t readThroughRapidjson(const char* text) {
    rapidjson::Document document;
    document.Parse(text);
    if (!document.IsObject()) return 0;
    std::size_t read = stringLength(document, "translator");
    const auto info = document.FindMember("translator_info");
    if (info == document.MemberEnd() || !info->value.IsObject()) return read;
    const auto data = info->value.FindMember("ordered_data");
    if (data == info->value.MemberEnd() || !data->value.IsArray()) return read;
    for (const rapidjson::Value& item : data->value.GetArray()) {
        read += stringLength(item, "type") + stringLength(item, "usage");
        read += item.HasMember("value") ? 1 : 0;
    }
    return read;
}

template <class Work>
void countPeakHeap(benchmark::State& state, Work&& work) {
    bench::startHeapCount();
    work();
    bench::stopHeapCount();
    state.counters["peak_heap_bytes"] = static_cast<double>(bench::heapPeakBytes());
}

void BM_RaiseInPlace(benchmark::State& state) {
    for (auto _ : state) {
        orverr::Status status;
        raiseInPlace(status);
        benchmark::DoNotOptimize(status.json);
    }
    countPeakHeap(state, [] {
        orverr::Status status;
        raiseInPlace(status);
    });
}

void BM_RaiseThroughRapidjson(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(raiseThroughRapidjson());
    countPeakHeap(state, [] { benchmark::DoNotOptimize(raiseThroughRapidjson()); });
}

std::string raisedDocument() {
    orverr::Status status;
    raiseInPlace(status);
    return status.text();
}

void BM_ReadInPlace(benchmark::State& state) {
    const std::string document = raisedDocument();
    for (auto _ : state) benchmark::DoNotOptimize(readInPlace(document.c_str()));
    countPeakHeap(state, [&] { benchmark::DoNotOptimize(readInPlace(document.c_str())); });
}

void BM_ReadThroughRapidjson(benchmark::State& state) {
    const std::string document = raisedDocument();
    for (auto _ : state) benchmark::DoNotOptimize(readThroughRapidjson(document.c_str()));
    countPeakHeap(state, [&] { benchmark::DoNotOptimize(readThroughRapidjson(document.c_str())); });
}

}  // namespace

BENCHMARK(BM_RaiseInPlace);
BENCHMARK(BM_RaiseThroughRapidjson);
BENCHMARK(BM_ReadInPlace);
BENCHMARK(BM_ReadThroughRapidjson);
BENCHMARK_MAIN();
