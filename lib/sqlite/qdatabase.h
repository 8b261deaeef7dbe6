#pragma once

#include "qtable.h"

#include <json/json.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// One SQLite connection with its own lock. Statements are SQL text with "?" placeholders; element i
// of the parameter list binds to placeholder i + 1. A failed prepare or an unexpected step result
// throws UException with SQLite's error text as the message.
class QDatabase
{
public:
    QDatabase();
    QDatabase(const std::string& pathUtf8, int flags);
    explicit QDatabase(const std::wstring& path);
    ~QDatabase();

    QDatabase(const QDatabase&) = delete;
    QDatabase& operator=(const QDatabase&) = delete;

    bool open(const std::string& pathUtf8, int flags);
    // Read-write, created when missing.
    bool open(const std::wstring& path);
    bool close();
    bool isOpen() const;

    // A statement that returns no rows; the result is the number of rows it changed.
    int execute(const std::wstring& sql, const std::vector<Json::Value>& params);
    // The first row, or an empty row.
    QRow queryRow(const std::wstring& sql, const std::vector<Json::Value>& params);
    QTable query(const std::wstring& sql, const std::vector<Json::Value>& params);
    // Column 0 of the first row; 0 when there is no row or the step fails.
    int queryInt(const std::wstring& sql, const std::vector<Json::Value>& params);

    std::string errorMessage() const;
    std::wstring errorMessage16() const;
    // SQLite's primary result code of the last failed call, e.g. SQLITE_NOTADB.
    int errorCode() const;

    // Integers, reals and strings are bound; null, unsigned, boolean, array and object leave NULL.
    static void bindParams(sqlite3_stmt* stmt, const std::vector<Json::Value>& params);
    static int bindInt(sqlite3_stmt* stmt, int index, int v);
    static int bindInt64(sqlite3_stmt* stmt, int index, std::int64_t v);
    static int bindDouble(sqlite3_stmt* stmt, int index, double v);
    static int bindText(sqlite3_stmt* stmt, int index, const std::string& v);
    static int bindText16(sqlite3_stmt* stmt, int index, const std::wstring& v);
    static int bindBlob(sqlite3_stmt* stmt, int index, const void* data, int bytes);

    // Steps once: true with the row filled, false at the end; throws on an error. Takes no lock.
    bool fetchRow(sqlite3_stmt* stmt, QRow& row);

private:
    // Holds the lock from before the prepare until after the finalize, on every path out.
    template <typename Body>
    auto withStatement(const std::wstring& sql, const std::vector<Json::Value>& params, Body body);

    std::wstring errorText() const;

    sqlite3* m_db = nullptr;
    std::recursive_mutex m_mutex;
    bool m_opened = false;
};
