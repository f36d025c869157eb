#include "tools/search-tool/batch_queue.h"

void BatchQueue::Push(BatchTask task) {
    {
        std::lock_guard lock(Mutex);
        Tasks.push_back(std::move(task));
        ++Pushed;
    }
    TaskReady.notify_one();
}

void BatchQueue::Close() {
    {
        std::lock_guard lock(Mutex);
        Closed = true;
    }
    TaskReady.notify_all();
    AnswerReady.notify_all();
}

qint64 BatchQueue::InFlight() const {
    std::lock_guard lock(Mutex);
    return Pushed - Written;
}

bool BatchQueue::Take(BatchTask& task) {
    std::unique_lock lock(Mutex);
    TaskReady.wait(lock, [this] { return !Tasks.empty() || Closed; });
    if (Tasks.empty())
        return false;
    task = std::move(Tasks.front());
    Tasks.pop_front();
    return true;
}

void BatchQueue::Finish(qint64 sequence, BatchAnswerText answer) {
    bool next = false;
    {
        std::lock_guard lock(Mutex);
        Done.emplace(sequence, std::move(answer));
        next = sequence == Written;
    }
    if (next)
        AnswerReady.notify_one();
}

std::optional<BatchAnswerText> BatchQueue::Next(bool wait) {
    std::unique_lock lock(Mutex);
    const auto ready = [this] {
        return (!Done.empty() && Done.begin()->first == Written) || (Closed && Written == Pushed);
    };
    if (wait)
        AnswerReady.wait(lock, ready);
    if (Done.empty() || Done.begin()->first != Written)
        return std::nullopt;
    BatchAnswerText answer = std::move(Done.begin()->second);
    Done.erase(Done.begin());
    ++Written;
    return answer;
}
