#pragma once
// The expert's task queue: ThreadedTaskQueue runs tasks on its own worker threads,
// AutoTaskQueue owns one and drops tasks once it was shut down.
#include <cstddef>
#include <memory>

#include "quorrel/comsupport/CorvCS.h"
#include "quorrel/sysapicpp/Task.h"
#include "quorrel/sysapicpp/WorkQueue.h"

namespace sysapicpp {

// Name of the expert's worker threads.
inline constexpr const char* kWorkerThreadName = "Quorrel::Worker";

// Owns one task clone; runs it once and deletes itself. A failing task is dropped.
class TaskWorkItem final : public nORVAPAL000::tWorkItemWrapper {
public:
    explicit TaskWorkItem(Task* task) : task_(task) {}
    nORVAPAL000::tWorkItemWrapper* run() override;

private:
    std::unique_ptr<Task> task_;
};

template <std::size_t Workers>
class ThreadedTaskQueue final : public TaskQueue {
public:
    ThreadedTaskQueue() : queue_(kWorkerThreadName, Workers) {}

    void post(Task& task) override {
        Kitbase::CorvCSLock guard(lock_);
        queue_.enqueue(new TaskWorkItem(task.clone()));
    }

private:
    Kitbase::CorvCS lock_;
    nORVAPAL000::tWorkQueue queue_;
};

class AutoTaskQueue final : public TaskQueue {
public:
    AutoTaskQueue();
    AutoTaskQueue(const AutoTaskQueue&) = delete;
    AutoTaskQueue& operator=(const AutoTaskQueue&) = delete;
    ~AutoTaskQueue() override;

    void post(Task& task) override;
    // Runs what is queued, ends the workers and drops every later post.
    void shutdown();

private:
    Kitbase::CorvCS lock_;
    std::unique_ptr<ThreadedTaskQueue<2>> queue_;
};

}  // namespace sysapicpp
