#include "qhttpclient.h"

QHttpClient* QHttpClient::Instance()
{
    static QHttpClient client;
    return &client;
}

QHttpClient::~QHttpClient()
{
    close();
}

void QHttpClient::start(int workers)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_workers.empty())
        return;
    m_stopping = false;
    for (int i = 0; i < workers; ++i)
        m_workers.emplace_back(&QHttpClient::workerLoop, this);
}

void QHttpClient::close()
{
    std::vector<std::thread> workers;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
        m_tasks.clear();
        workers.swap(m_workers);
    }
    m_wake.notify_all();
    for (std::thread& worker : workers)
        worker.join();
}

void QHttpClient::post(std::function<void()> task)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_workers.empty() || m_stopping)
            return;
        m_tasks.push_back(std::move(task));
    }
    m_wake.notify_one();
}

int QHttpClient::workerCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return int(m_workers.size());
}

void QHttpClient::workerLoop()
{
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_tasks.empty(); });
            if (m_stopping)
                return;
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        task();
    }
}
