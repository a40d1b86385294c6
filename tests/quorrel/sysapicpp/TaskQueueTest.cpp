// The worker queues and the asynchronous delivery of notifications.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <future>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

#include "common/platform/ThreadName.h"
#include "quorrel/sysapicpp/AsyncNotificationHandler.h"
#include "quorrel/sysapicpp/DeliveryOrder.h"
#include "quorrel/sysapicpp/SyncNotificationHandler.h"
#include "quorrel/sysapicpp/TaskQueues.h"

namespace {

// Opens once; every waiter passes from then on.
class Gate {
public:
    void open() {
        {
            std::lock_guard<std::mutex> guard(lock_);
            open_ = true;
        }
        opened_.notify_all();
    }
    void pass() {
        std::unique_lock<std::mutex> guard(lock_);
        opened_.wait(guard, [&] { return open_; });
    }

private:
    std::mutex lock_;
    std::condition_variable opened_;
    bool open_ = false;
};

template <class Body>
class LambdaTask final : public sysapicpp::Task {
public:
    explicit LambdaTask(Body body) : body_(std::move(body)) {}
    Task* clone() const override { return new LambdaTask(*this); }
    void run() override { body_(); }

private:
    Body body_;
};

template <class Body>
void post(sysapicpp::TaskQueue& queue, Body body) {
    LambdaTask<Body> task(std::move(body));
    queue.post(task);
}

// Records what the host would hear, in order.
class RecordingHandler final : public sysapicpp::NotificationHandler {
public:
    using NotificationHandler::notify;
    void notify(uint32_t kind, const std::vector<std::string>& ids) override {
        if (ids.size() == 1 && ids[0] == "throw") throw std::runtime_error("sink failed");
        std::lock_guard<std::mutex> guard(lock);
        for (const std::string& id : ids) heard.push_back(std::to_string(kind) + ":" + id);
    }
    bool isConnected() override { return connected; }
    std::mutex lock;
    std::vector<std::string> heard;
    std::atomic<bool> connected{true};
};

}  // namespace

TEST(TaskQueue, WorkersAreNamedAndRunEveryQueuedTaskBeforeShutdownEnds) {
    sysapicpp::AutoTaskQueue queue;
    Gate gate;
    std::atomic<int> ran{0};
    std::mutex namesLock;
    std::set<std::string> names;
    // Both workers wait at the gate, so everything after queues up.
    for (int i = 0; i < 2; ++i) post(queue, [&] { gate.pass(); });
    for (int i = 0; i < 100; ++i) {
        post(queue, [&] {
            std::lock_guard<std::mutex> guard(namesLock);
            names.insert(platform::currentThreadName());
            ++ran;
        });
    }
    gate.open();
    queue.shutdown();
    EXPECT_EQ(100, ran.load());
    EXPECT_EQ((std::set<std::string>{"Quorrel::Worker"}), names);

    post(queue, [&] { ++ran; });  // dropped after shutdown
    sysapicpp::NullTask nothing;
    queue.post(nothing);
    EXPECT_EQ(100, ran.load());
}

TEST(TaskQueue, AFailingTaskIsDroppedAndTheWorkersGoOn) {
    sysapicpp::AutoTaskQueue queue;
    std::atomic<int> ran{0};
    for (int i = 0; i < 10; ++i) {
        post(queue, [] { throw std::runtime_error("task failed"); });
        post(queue, [] { throw 42; });
        post(queue, [&] { ++ran; });
    }
    queue.shutdown();
    EXPECT_EQ(10, ran.load());
}

TEST(TaskQueue, ShutdownOnAWorkerDoesNotJoinItself) {
    sysapicpp::AutoTaskQueue queue;
    std::promise<void> shutDown;
    std::atomic<int> ran{0};
    Gate gate;
    post(queue, [&] {
        gate.pass();
        queue.shutdown();
        shutDown.set_value();
    });
    for (int i = 0; i < 20; ++i) post(queue, [&] { ++ran; });
    gate.open();
    shutDown.get_future().wait();
    // The other worker drained what was queued before the shutdown returned.
    EXPECT_EQ(20, ran.load());
}

TEST(TaskQueue, APostFromARunningTaskDuringShutdownIsDropped) {
    sysapicpp::AutoTaskQueue queue;
    Gate started, release;
    std::atomic<int> ran{0};
    post(queue, [&] {
        started.open();
        release.pass();
        post(queue, [&] { ++ran; });
    });
    started.pass();
    std::thread ending([&] { queue.shutdown(); });
    release.open();
    ending.join();
    EXPECT_LE(ran.load(), 1);
}

TEST(DeliveryOrder, DeliversInTicketOrderWhateverOrderTheyComplete) {
    struct Case {
        const char* name;
        std::vector<uint64_t> completion;  // order in which tickets 0..n-1 complete
        std::vector<uint64_t> dropped;     // tickets completed without a delivery
    };
    const Case cases[] = {
        {"in order", {0, 1, 2}, {}},
        {"reversed", {2, 1, 0}, {}},
        {"middle first", {1, 0, 2}, {}},
        {"a dropped ticket passes its turn", {2, 1, 0}, {1}},
        {"the first dropped", {0, 2, 1}, {0}},
    };
    for (const Case& c : cases) {
        sysapicpp::DeliveryOrder order;
        for (size_t i = 0; i < c.completion.size(); ++i) order.draw();
        std::vector<uint64_t> delivered;
        for (uint64_t ticket : c.completion) {
            const bool drop = std::find(c.dropped.begin(), c.dropped.end(), ticket) != c.dropped.end();
            order.complete(ticket, drop ? std::function<void()>() : [&delivered, ticket] { delivered.push_back(ticket); });
        }
        std::vector<uint64_t> expected;
        for (uint64_t t = 0; t < c.completion.size(); ++t) {
            if (std::find(c.dropped.begin(), c.dropped.end(), t) == c.dropped.end()) expected.push_back(t);
        }
        EXPECT_EQ(expected, delivered) << c.name;
    }
}

TEST(DeliveryOrder, AThrowingDeliveryDoesNotStopTheNextOnes) {
    sysapicpp::DeliveryOrder order;
    std::vector<int> delivered;
    order.draw();
    order.draw();
    order.complete(1, [&] { delivered.push_back(1); });
    order.complete(0, [] { throw std::runtime_error("sink failed"); });
    EXPECT_EQ((std::vector<int>{1}), delivered);
}

TEST(DeliveryOrder, AfterCloseWaitingDeliveriesAreSkipped) {
    sysapicpp::DeliveryOrder order;
    std::vector<int> delivered;
    for (int i = 0; i < 3; ++i) order.draw();
    order.complete(1, [&] { delivered.push_back(1); });
    order.close();
    order.complete(0, [&] { delivered.push_back(0); });
    order.complete(2, [&] { delivered.push_back(2); });
    EXPECT_TRUE(delivered.empty());
}

TEST(AsyncNotifications, ReachTheSinkInPostingOrderFromTwoWorkers) {
    RecordingHandler sink;
    sysapicpp::AutoTaskQueue queue;
    sysapicpp::AsyncNotificationHandler async(sink, queue);
    std::vector<std::string> expected;
    for (int i = 0; i < 500; ++i) {
        const uint32_t kind = 1 + static_cast<uint32_t>(i % 3);
        async.notify(kind, std::to_string(i));
        expected.push_back(std::to_string(kind) + ":" + std::to_string(i));
        if (i == 250) async.notify(3, std::string("throw"));  // a failing delivery is skipped
    }
    queue.shutdown();
    EXPECT_EQ(expected, sink.heard);
}

TEST(AsyncNotifications, NothingIsPostedWithoutIdsOrWithoutASink) {
    RecordingHandler sink;
    sysapicpp::AutoTaskQueue queue;
    sysapicpp::AsyncNotificationHandler async(sink, queue);
    async.notify(1, std::vector<std::string>{});
    sink.connected = false;
    EXPECT_FALSE(async.isConnected());
    async.notify(1, "{A}");
    sink.connected = true;
    async.notify(2, "{B}");
    queue.shutdown();
    async.notify(3, "{C}");  // after shutdown: dropped
    EXPECT_EQ((std::vector<std::string>{"2:{B}"}), sink.heard);
}

namespace {

// A sink that holds its caller until released.
class BlockingSink final : public IsvSysPlugPlaySink {
public:
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return ++references; }
    ULONG Release() override { return --references; }
    HRESULT OnDevicesChanged(IUnknown*, ULONG, IsvSysEnumStringList*) override {
        entered.open();
        release.pass();
        return S_OK;
    }
    std::atomic<ULONG> references{0};
    Gate entered, release;
};

}  // namespace

TEST(SyncNotifications, IsConnectedAnswersWhileASinkCallIsInProgress) {
    BlockingSink sink;
    {
        sysapicpp::SyncNotificationHandler sync(nullptr);
        EXPECT_FALSE(sync.isConnected());
        sync.connect(&sink);
        std::thread notifying([&] { sync.notify(3, "{A}"); });
        sink.entered.pass();
        EXPECT_TRUE(sync.isConnected());  // would wait for the sink call if it took the sink lock
        sink.release.open();
        notifying.join();
        sync.disconnect();
        EXPECT_FALSE(sync.isConnected());
    }
    EXPECT_EQ(0u, sink.references.load());
}
