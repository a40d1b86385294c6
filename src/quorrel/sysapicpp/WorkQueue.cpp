#include "quorrel/sysapicpp/WorkQueue.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>

#include "common/orverr/Raise.h"
#include "common/platform/ThreadName.h"

namespace nORVAPAL000 {

// Shared with every worker, so that a worker left to end by itself never outlives it.
struct tWorkQueue::State {
    std::mutex lock;
    std::condition_variable workAvailable;
    std::condition_variable allEnded;
    std::deque<tWorkItemWrapper*> fifo;
    bool quit = false;
    std::size_t running = 0;
    std::string threadName;

    void work() {
        platform::setCurrentThreadName(threadName);
        std::unique_lock<std::mutex> guard(lock);
        for (;;) {
            if (fifo.empty()) {
                // The quit flag counts only once the FIFO is empty: queued items still run.
                if (quit) break;
                workAvailable.wait(guard);
                continue;
            }
            tWorkItemWrapper* item = fifo.front();
            fifo.pop_front();
            item->queued_ = false;
            item->onDequeued();
            const bool more = !fifo.empty();
            guard.unlock();
            if (more) workAvailable.notify_one();
            while (item != nullptr) {
                try {
                    item = item->run();
                } catch (...) {
                    item = nullptr;  // a failing item is dropped; the worker goes on
                }
            }
            guard.lock();
        }
        --running;
        guard.unlock();
        workAvailable.notify_all();
        allEnded.notify_all();
    }
};

tWorkQueue::tWorkQueue(const std::string& threadName, std::size_t workers) : state_(std::make_shared<State>()) {
    state_->threadName = threadName;
    threads_.reserve(workers);
    try {
        for (std::size_t i = 0; i < workers; ++i) {
            {
                std::lock_guard<std::mutex> guard(state_->lock);
                ++state_->running;
            }
            try {
                std::shared_ptr<State> state = state_;
                threads_.emplace_back([state] { state->work(); });
            } catch (...) {
                std::lock_guard<std::mutex> guard(state_->lock);
                --state_->running;
                throw;
            }
        }
    } catch (const std::system_error& e) {
        shutDown();
        ORVERR_THROW(orverr::codes::kPlatformOSFault).comment(e.what()).raise();
    }
}

tWorkQueue::~tWorkQueue() { shutDown(); }

void tWorkQueue::shutDown() {
    const std::thread::id self = std::this_thread::get_id();
    std::size_t ownThreads = 0;
    for (const std::thread& t : threads_) {
        if (t.get_id() == self) ++ownThreads;
    }
    {
        std::unique_lock<std::mutex> guard(state_->lock);
        state_->quit = true;
        state_->workAvailable.notify_all();
        state_->allEnded.wait(guard, [&] { return state_->running <= ownThreads; });
    }
    for (std::thread& t : threads_) {
        if (!t.joinable()) continue;
        if (t.get_id() == self) {
            t.detach();  // a worker never joins itself; it ends when its item returns
        } else {
            t.join();
        }
    }
    threads_.clear();
}

void tWorkQueue::enqueue(tWorkItemWrapper* item) {
    if (item == nullptr) return;
    {
        std::lock_guard<std::mutex> guard(state_->lock);
        if (item->queued_) return;
        item->queued_ = true;
        state_->fifo.push_back(item);
    }
    state_->workAvailable.notify_one();
}

}  // namespace nORVAPAL000
