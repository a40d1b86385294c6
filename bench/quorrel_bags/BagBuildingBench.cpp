// Cost of showing many devices: the expert's first fill of its bag cache (storage reads, 31
// properties per bag, one open and write of the debug configuration file), and the rebuild of
// one device's bag in a full cache.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "explorer/PropertyTags.h"
#include "explorer/QuorrelExports.h"
#include "explorer/SysExpert.h"
#include "storage/SimStorage.h"
#include "support/ExplorerRegistry.h"

namespace fs = std::filesystem;

namespace {

fs::path appData() { return fs::temp_directory_path() / "quorrel-bags-bench"; }
fs::path configFile() { return appData() / "Orvane" / "Shared" / "Quorrel" / "Quorrel.config"; }

std::string objectId(int n) {
    char text[48];
    std::snprintf(text, sizeof text, "{D1A5%04X-0C2E-4B7A-8E11-5A0000000000}", static_cast<unsigned>(n & 0xFFFF));
    return text;
}

// n supported devices of alternating bus kinds.
std::string description(int n) {
    std::string text =
        R"({"classes": [{"id": "{5C1A0001-7E2B-4D3C-9F10-0A1B2C3D4E01}",
           "attributes": {"10817": "Orvane Digiscan HSDR-5162 Digitizer", "12426": true}}], "objects": [)";
    for (int i = 0; i < n; ++i) {
        if (i > 0) text += ",";
        const bool pcie = i % 2 == 0;
        text += R"({"id": ")" + objectId(i) + R"(", "class": "{5C1A0001-7E2B-4D3C-9F10-0A1B2C3D4E01}",
            "properties": {"9553": "Digiscan)" + std::to_string(i) + R"(", "1585": "HSDR-5162", "8998": )" +
                (pcie ? "12582" : "12586") + R"(}, "attributes": {"8999": 1, "9000": )" + std::to_string(i % 18) +
                R"(, "12116": 0, "12117": )" + std::to_string(i) + "}}";
    }
    return text + "]}";
}

IsvSysExpert2* newExpert() {
    void* made = nullptr;
    if (createDigiscanSysApiExpert(&made) != S_OK) std::abort();
    auto* expert = static_cast<IsvSysExpert2*>(made);
    if (expert->Initialize() != S_OK) std::abort();
    return expert;
}

size_t fill(IsvSysExpert2* expert) {
    IsvSysEnumStringList* ids = nullptr;
    if (expert->GetDeviceIDs(&ids) != S_OK) std::abort();
    size_t count = 0;
    BSTR id = nullptr;
    ULONG fetched = 0;
    while (ids->Next(1, &id, &fetched) == S_OK && fetched == 1) {
        SysFreeString(id);
        ++count;
    }
    ids->Release();
    return count;
}

void prepare(int devices) {
    fs::create_directories(configFile().parent_path());
    if (SimStorage_load(description(devices).c_str()) != 0) std::abort();
}

// Times only the first fill of a new expert; removeFile starts each round without a debug file.
void timeFirstFills(benchmark::State& state, int devices, bool removeFile) {
    for (auto _ : state) {
        state.PauseTiming();
        if (removeFile) fs::remove(configFile());
        IsvSysExpert2* expert = newExpert();
        state.ResumeTiming();
        if (fill(expert) != static_cast<size_t>(devices)) std::abort();
        state.PauseTiming();
        expert->Release();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * devices);
}

// A machine that has never shown the devices: every debug entry is created.
void BM_FirstFillNewDebugFile(benchmark::State& state) {
    const int devices = static_cast<int>(state.range(0));
    prepare(devices);
    timeFirstFills(state, devices, true);
}

// The usual start: every device already has its entry, so the file is read but not written.
void BM_FirstFillExistingDebugFile(benchmark::State& state) {
    const int devices = static_cast<int>(state.range(0));
    prepare(devices);
    fs::remove(configFile());
    IsvSysExpert2* first = newExpert();
    fill(first);  // creates the entries
    first->Release();
    timeFirstFills(state, devices, false);
}

// The host refreshes one device in a full cache.
void BM_RefreshOneDevice(benchmark::State& state) {
    const int devices = static_cast<int>(state.range(0));
    prepare(devices);
    // The debug file then holds exactly these devices, whatever ran before.
    fs::remove(configFile());
    IsvSysExpert2* expert = newExpert();
    fill(expert);
    const std::string id = objectId(devices / 2);
    const std::wstring wide(id.begin(), id.end());
    const ULONG tags[] = {kSvSysTagDebugSessionConfiguration};
    for (auto _ : state) {
        IsvSysPropertyBag* bag = nullptr;
        if (expert->RefreshPropertyBag(wide.c_str(), 1, tags, FALSE, &bag) != S_OK) std::abort();
        bag->Release();
    }
    expert->Release();
}

// 1,000 and 10,000 devices side by side: ten times the devices should cost about ten times the time.
BENCHMARK(BM_FirstFillNewDebugFile)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstFillExistingDebugFile)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshOneDevice)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return runPluginBenchmarks(argc, argv, appData()); }
