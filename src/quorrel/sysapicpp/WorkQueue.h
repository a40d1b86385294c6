#pragma once
// A FIFO of work items drained by a fixed set of named worker threads. Items still queued when
// the queue is destroyed are run before the workers end.
#include <cstddef>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace nORVAPAL000 {

class tWorkItemWrapper {
public:
    virtual ~tWorkItemWrapper() = default;
    // Runs the item; returns the next item to run on this thread, or null. An item that is done
    // deletes itself. Must not throw.
    virtual tWorkItemWrapper* run() = 0;
    // Called under the queue's lock when the item leaves the FIFO.
    virtual void onDequeued() {}

private:
    friend class tWorkQueue;
    bool queued_ = false;
};

class tWorkQueue {
public:
    // Starts the workers; a thread that cannot be started raises the platform's OS fault status.
    tWorkQueue(const std::string& threadName, std::size_t workers);
    tWorkQueue(const tWorkQueue&) = delete;
    tWorkQueue& operator=(const tWorkQueue&) = delete;
    // Lets the workers drain the FIFO and joins them. Called on a worker itself (a task that ends
    // the queue), it waits for the other workers and leaves its own thread to end by itself.
    ~tWorkQueue();

    // Appends the item unless it is queued already; the queue does not own it.
    void enqueue(tWorkItemWrapper* item);

    struct State;

private:
    void shutDown();

    std::shared_ptr<State> state_;
    std::vector<std::thread> threads_;
};

}  // namespace nORVAPAL000
