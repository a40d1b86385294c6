// How fast the host hears of changes, each beside the bare mechanism underneath it:
//   a storage change of a shown device → the sink, beside a bare hand-off to a worker thread;
//   a hand edit of Quorrel.config written in place → the sink, beside a bare inotify wake-up;
//   the end of an expert with 100 notifications queued (all delivered to the connected sink,
//   workers joined), beside two bare threads that drain 100 items and are joined.
// Every run reports the median, 95th percentile and maximum in milliseconds.
#include <benchmark/benchmark.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "explorer/QuorrelExports.h"
#include "explorer/SysExpert.h"
#include "storage/SimStorage.h"
#include "support/ExplorerRegistry.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

fs::path appData() { return fs::temp_directory_path() / ("quorrel-notifications-bench-" + std::to_string(::getpid())); }
fs::path configFolder() { return appData() / "Orvane" / "Shared" / "Quorrel"; }

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Collects one latency per iteration and reports their distribution.
class Latencies {
public:
    void add(benchmark::State& state, double ms) {
        values_.push_back(ms);
        state.SetIterationTime(ms / 1000.0);
    }
    void report(benchmark::State& state) {
        if (values_.empty()) return;
        std::sort(values_.begin(), values_.end());
        auto at = [&](double q) { return values_[std::min(values_.size() - 1, static_cast<size_t>(q * values_.size()))]; };
        state.counters["p50_ms"] = at(0.50);
        state.counters["p95_ms"] = at(0.95);
        state.counters["max_ms"] = values_.back();
    }

private:
    std::vector<double> values_;
};

// The host's sink: notes when each notification arrived; may hold the first one.
class Sink final : public IsvSysPlugPlaySink {
public:
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT OnDevicesChanged(IUnknown*, ULONG, IsvSysEnumStringList*) override {
        std::unique_lock<std::mutex> guard(lock_);
        const bool first = count_ == 0;
        last_ = Clock::now();
        ++count_;
        arrived_.notify_all();
        if (first) opened_.wait(guard, [&] { return !held_; });
        return S_OK;
    }
    // Waits for the count-th notification; returns when it arrived.
    Clock::time_point await(uint64_t count) {
        std::unique_lock<std::mutex> guard(lock_);
        arrived_.wait(guard, [&] { return count_ >= count; });
        return last_;
    }
    uint64_t count() {
        std::lock_guard<std::mutex> guard(lock_);
        return count_;
    }
    void hold(bool held) {
        {
            std::lock_guard<std::mutex> guard(lock_);
            held_ = held;
        }
        opened_.notify_all();
    }

private:
    std::mutex lock_;
    std::condition_variable arrived_, opened_;
    uint64_t count_ = 0;
    bool held_ = false;
    Clock::time_point last_;
};

// An initialised expert with the sink registered and its devices listed.
IsvSysExpert2* connectedExpert(Sink& sink) {
    void* made = nullptr;
    if (createDigiscanSysApiExpert(&made) != S_OK) std::abort();
    auto* expert = static_cast<IsvSysExpert2*>(made);
    if (expert->Initialize() != S_OK) std::abort();
    IsvSysExpertPlugPlay* plugPlay = nullptr;
    if (expert->QueryInterface(IID_IsvSysExpertPlugPlay, reinterpret_cast<void**>(&plugPlay)) != S_OK) std::abort();
    plugPlay->RegisterSink(&sink);
    plugPlay->Release();
    IsvSysEnumStringList* ids = nullptr;
    if (expert->GetDeviceIDs(&ids) != S_OK) std::abort();
    ids->Release();
    return expert;
}

void prepare() {
    fs::remove_all(appData());
    fs::create_directories(configFolder());
    if (SimStorage_load(nullptr) != 0) std::abort();
}

std::string readText(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeInPlace(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::trunc);
    out << text;
}

void BM_StorageChangeToSink(benchmark::State& state) {
    prepare();
    Sink sink;
    IsvSysExpert2* expert = connectedExpert(sink);
    Latencies latencies;
    uint64_t heard = sink.count();
    int n = 0;
    for (auto _ : state) {
        const std::string object = R"({"id": "{D1A50001-0C2E-4B7A-8E11-5A0000000001}",
            "class": "{5C1A0001-7E2B-4D3C-9F10-0A1B2C3D4E01}",
            "properties": {"9553": "Name)" + std::to_string(++n) + R"(", "1585": "HSDR-5162", "8998": 12582}})";
        const Clock::time_point start = Clock::now();
        if (SimStorage_modifyObject(object.c_str()) != 0) std::abort();
        latencies.add(state, millisecondsBetween(start, sink.await(++heard)));
    }
    latencies.report(state);
    expert->Release();
}

void BM_BaselineHandOffToWorker(benchmark::State& state) {
    std::mutex lock;
    std::condition_variable posted, done;
    std::deque<int> items;
    Clock::time_point received;
    bool quit = false, handled = false;
    std::thread worker([&] {
        std::unique_lock<std::mutex> guard(lock);
        for (;;) {
            posted.wait(guard, [&] { return quit || !items.empty(); });
            if (quit) return;
            items.pop_front();
            received = Clock::now();
            handled = true;
            done.notify_all();
        }
    });
    Latencies latencies;
    for (auto _ : state) {
        std::unique_lock<std::mutex> guard(lock);
        handled = false;
        const Clock::time_point start = Clock::now();
        items.push_back(1);
        posted.notify_one();
        done.wait(guard, [&] { return handled; });
        latencies.add(state, millisecondsBetween(start, received));
    }
    {
        std::lock_guard<std::mutex> guard(lock);
        quit = true;
    }
    posted.notify_all();
    worker.join();
    latencies.report(state);
}

void BM_HandEditToSink(benchmark::State& state) {
    prepare();
    Sink sink;
    IsvSysExpert2* expert = connectedExpert(sink);
    const fs::path file = configFolder() / "Quorrel.config";
    // Let the monitor settle after the plug-in's own first write.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const std::string text = readText(file);
    const size_t entry = text.find("{D1A50002-0C2E-4B7A-8E11-5A0000000002}");
    const size_t flag = text.find("false", entry);
    if (entry == std::string::npos || flag == std::string::npos) std::abort();
    std::string edited = text;
    edited.replace(flag, 5, "true");
    Latencies latencies;
    uint64_t heard = sink.count();
    bool toggle = true;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        writeInPlace(file, toggle ? edited : text);
        toggle = !toggle;
        latencies.add(state, millisecondsBetween(start, sink.await(++heard)));
    }
    latencies.report(state);
    expert->Release();
}

void BM_BaselineInotifyWakeUp(benchmark::State& state) {
    prepare();
    const fs::path file = configFolder() / "Quorrel.config";
    const int fd = inotify_init1(IN_CLOEXEC);
    if (fd < 0 || inotify_add_watch(fd, configFolder().c_str(), IN_MODIFY | IN_ATTRIB | IN_CREATE | IN_DELETE |
                                                                     IN_MOVED_FROM | IN_MOVED_TO) < 0)
        std::abort();
    Latencies latencies;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        writeInPlace(file, "{\"version\": 1, \"devices\": {}}\n");
        char buffer[4096];
        if (read(fd, buffer, sizeof buffer) <= 0) std::abort();
        latencies.add(state, millisecondsBetween(start, Clock::now()));
    }
    close(fd);
    latencies.report(state);
}

void BM_ShutdownWith100Queued(benchmark::State& state) {
    prepare();
    Latencies latencies;
    const std::wstring id = L"{D1A50001-0C2E-4B7A-8E11-5A0000000001}";
    const ULONG none[] = {0};
    for (auto _ : state) {
        Sink sink;
        IsvSysExpert2* expert = connectedExpert(sink);
        sink.hold(true);
        // The first notification holds a worker in the sink; the next 100 queue up behind it.
        for (int i = 0; i < 101; ++i) {
            IsvSysPropertyBag* bag = nullptr;
            if (expert->RefreshPropertyBag(id.c_str(), 0, none, FALSE, &bag) != S_OK) std::abort();
            bag->Release();
        }
        sink.await(1);
        const Clock::time_point start = Clock::now();
        sink.hold(false);
        expert->Release();  // the last reference, with the sink still registered
        latencies.add(state, millisecondsBetween(start, Clock::now()));
        if (sink.count() < 101) std::abort();
    }
    latencies.report(state);
}

void BM_BaselineDrainAndJoin100(benchmark::State& state) {
    Latencies latencies;
    for (auto _ : state) {
        std::mutex lock;
        std::condition_variable available;
        std::deque<int> items;
        bool quit = false;
        int ran = 0;
        auto work = [&] {
            std::unique_lock<std::mutex> guard(lock);
            for (;;) {
                available.wait(guard, [&] { return quit || !items.empty(); });
                if (items.empty()) return;
                items.pop_front();
                ++ran;
            }
        };
        std::thread a(work), b(work);
        {
            std::lock_guard<std::mutex> guard(lock);
            items.assign(100, 1);
        }
        const Clock::time_point start = Clock::now();
        {
            std::lock_guard<std::mutex> guard(lock);
            quit = true;
        }
        available.notify_all();
        a.join();
        b.join();
        latencies.add(state, millisecondsBetween(start, Clock::now()));
        if (ran != 100) std::abort();
    }
    latencies.report(state);
}

BENCHMARK(BM_StorageChangeToSink)->Iterations(300)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineHandOffToWorker)->Iterations(300)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HandEditToSink)->Iterations(100)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineInotifyWakeUp)->Iterations(100)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShutdownWith100Queued)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineDrainAndJoin100)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return runPluginBenchmarks(argc, argv, appData()); }
