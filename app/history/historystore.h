#pragma once

#include "qdatabase.h"

#include <QString>

#include <memory>
#include <string>

// The recently edited files, one row per path in the table "history" of "history.db" in the
// application data folder. The four single-file operations report database failures as false;
// recent() and clear() let the UException through.
class HistoryStore
{
public:
    // The process-wide store on <app data>/history.db, created on first call. When creation throws,
    // the next call tries again.
    static HistoryStore* instance();
    // Whether anything was ever recorded here: the process-wide store is made or its file exists.
    // Before the first record there is nothing to list, and the start need not create the file.
    static bool hasDatabase();

    // A store on the given file. A file that SQLite finds is not a database or is damaged is moved
    // aside (never deleted) and replaced by a new one; any other failure throws UException.
    explicit HistoryStore(const QString& dbPath);

    bool exists(const std::wstring& path);
    bool add(const std::wstring& path);
    bool touch(const std::wstring& path);
    bool remove(const std::wstring& path);
    // The ten most recently activated records, newest first.
    QTable recent();
    void clear();
    // The connection, for tables of their own kept in the same file.
    QDatabase& database() { return *m_db; }

private:
    friend class TestHistoryStore;

    std::wstring openDatabase(const QString& dbPath);

    std::unique_ptr<QDatabase> m_db;
};
