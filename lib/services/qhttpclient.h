#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A pool of worker threads for background requests of the services library.
class QHttpClient
{
public:
    static QHttpClient* Instance();

    void start(int workers);
    void close();
    void post(std::function<void()> task);
    int workerCount() const;

private:
    QHttpClient() = default;
    ~QHttpClient();
    void workerLoop();

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_tasks;
    std::vector<std::thread> m_workers;
    bool m_stopping = false;
};
