#pragma once
// Units of work for the expert's worker threads, and the queues that take them.
#include <utility>

namespace sysapicpp {

class Task {
public:
    virtual ~Task() = default;
    // A heap copy the queue keeps; the caller's task stays the caller's.
    virtual Task* clone() const = 0;
    virtual void reserved() {}
    virtual void run() = 0;
};

class NullTask final : public Task {
public:
    Task* clone() const override { return new NullTask(*this); }
    void run() override {}
};

// A task that runs a copyable work item (its operator()).
template <class WorkItem>
class FunctorTask final : public Task {
public:
    explicit FunctorTask(WorkItem item) : item_(std::move(item)) {}
    Task* clone() const override { return new FunctorTask(*this); }
    void run() override { item_(); }

private:
    WorkItem item_;
};

class TaskQueue {
public:
    virtual ~TaskQueue() = default;
    // Queues a clone of task; dropped silently once the queue is shut down.
    virtual void post(Task& task) = 0;
};

}  // namespace sysapicpp
