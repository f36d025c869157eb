#pragma once
// The hand-over between the thread that reads a batch and its workers: rows
// go out in input order, answers come back in any order and are handed to
// the writer in input order again. The writer keeps at most a fixed number
// of rows in flight, so memory stays flat however long the input.

#include "tools/search-tool/batch_reader.h"

#include <QByteArray>

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>

struct BatchTask {
    qint64 Sequence = 0; // from 0, in input order
    BatchRow Row;
};

struct BatchAnswerText {
    QByteArray Text;
    bool CatalogueFailed = false;
};

class BatchQueue {
public:
    // Pushes a task; the writer calls it only while InFlight() is below its
    // window.
    void Push(BatchTask task);
    // No more tasks will come; workers waiting in Take return false once
    // the queue is empty.
    void Close();
    qint64 InFlight() const;

    // A worker takes the next task, waiting for one; false when closed and
    // empty.
    bool Take(BatchTask& task);
    void Finish(qint64 sequence, BatchAnswerText answer);

    // The answer next in input order: nullopt when it is not ready yet and
    // `wait` is false, or when every pushed task has been handed out after
    // Close().
    std::optional<BatchAnswerText> Next(bool wait);

private:
    mutable std::mutex Mutex;
    std::condition_variable TaskReady;
    std::condition_variable AnswerReady;
    std::deque<BatchTask> Tasks;
    std::map<qint64, BatchAnswerText> Done;
    qint64 Pushed = 0;
    qint64 Written = 0;
    bool Closed = false;
};
