#include "quorrel/sysapicpp/TaskQueues.h"

namespace sysapicpp {

nORVAPAL000::tWorkItemWrapper* TaskWorkItem::run() {
    try {
        task_->run();
    } catch (...) {
        // Nothing on a worker thread may end it: the task is dropped.
    }
    delete this;
    return nullptr;
}

AutoTaskQueue::AutoTaskQueue() : queue_(std::make_unique<ThreadedTaskQueue<2>>()) {}

AutoTaskQueue::~AutoTaskQueue() { shutdown(); }

void AutoTaskQueue::post(Task& task) {
    Kitbase::CorvCSLock guard(lock_);
    if (queue_) queue_->post(task);
}

void AutoTaskQueue::shutdown() {
    std::unique_ptr<ThreadedTaskQueue<2>> ending;
    {
        Kitbase::CorvCSLock guard(lock_);
        ending.swap(queue_);
    }
    // Joined outside the lock: a queued task may post again (it is dropped, not deadlocked).
    ending.reset();
}

}  // namespace sysapicpp
