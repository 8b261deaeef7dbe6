#include "qdatabase.h"

#include "scopeguard.h"
#include "textconv.h"
#include "uexception.h"

#include <QString>

#include <sqlite3.h>

namespace {

// wchar_t is 32 bits here; SQLite's "16" calls want UTF-16.
std::u16string toUtf16(const std::wstring& text)
{
    return QString::fromStdWString(text).toStdU16String();
}

std::wstring fromUtf16(const void* text)
{
    if (!text)
        return std::wstring();
    return QString::fromUtf16(static_cast<const char16_t*>(text)).toStdWString();
}

Json::Value readCell(sqlite3_stmt* stmt, int column)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return Json::Value(sqlite3_column_int(stmt, column));
    case SQLITE_FLOAT:
        return Json::Value(sqlite3_column_double(stmt, column));
    case SQLITE_TEXT: {
        const unsigned char* text = sqlite3_column_text(stmt, column);
        if (text && sqlite3_column_bytes(stmt, column) > 0)
            return Json::Value(std::string(reinterpret_cast<const char*>(text)));
        return Json::Value(std::string());
    }
    default:
        return Json::Value(Json::nullValue);
    }
}

} // namespace

QDatabase::QDatabase() = default;

QDatabase::QDatabase(const std::string& pathUtf8, int flags)
{
    open(pathUtf8, flags);
}

QDatabase::QDatabase(const std::wstring& path)
{
    open(path);
}

QDatabase::~QDatabase()
{
    close();
}

bool QDatabase::open(const std::string& pathUtf8, int flags)
{
    close();
    m_opened = sqlite3_open_v2(pathUtf8.c_str(), &m_db, flags, nullptr) == SQLITE_OK;
    return m_opened;
}

bool QDatabase::open(const std::wstring& path)
{
    close();
    m_opened = sqlite3_open16(toUtf16(path).c_str(), &m_db) == SQLITE_OK;
    return m_opened;
}

bool QDatabase::close()
{
    m_opened = false;
    const bool closed = sqlite3_close(m_db) == SQLITE_OK;
    // A closed handle must not be used or closed again.
    if (closed)
        m_db = nullptr;
    return closed;
}

bool QDatabase::isOpen() const
{
    return m_opened;
}

template <typename Body>
auto QDatabase::withStatement(const std::wstring& sql, const std::vector<Json::Value>& params, Body body)
{
    m_mutex.lock();
    ScopeGuard unlock([this] { m_mutex.unlock(); });

    const std::u16string text = toUtf16(sql);
    sqlite3_stmt* pStmt = nullptr;
    const int iRet = sqlite3_prepare16_v2(m_db, text.data(), int(text.size() * sizeof(char16_t)), &pStmt, nullptr);
    U_ASSERT_MSG(SQLITE_OK == iRet && nullptr != pStmt, errorText());
    ScopeGuard finalize([pStmt] { sqlite3_finalize(pStmt); });

    bindParams(pStmt, params);
    return body(pStmt);
}

int QDatabase::execute(const std::wstring& sql, const std::vector<Json::Value>& params)
{
    return withStatement(sql, params, [this](sqlite3_stmt* pStmt) {
        const int iRet = sqlite3_step(pStmt);
        U_ASSERT_MSG(SQLITE_DONE == iRet, errorText());
        return sqlite3_changes(m_db);
    });
}

QRow QDatabase::queryRow(const std::wstring& sql, const std::vector<Json::Value>& params)
{
    QRow row;
    withStatement(sql, params, [this, &row](sqlite3_stmt* pStmt) { return fetchRow(pStmt, row); });
    return row;
}

QTable QDatabase::query(const std::wstring& sql, const std::vector<Json::Value>& params)
{
    QTable table;
    withStatement(sql, params, [this, &table](sqlite3_stmt* pStmt) {
        for (;;) {
            QRow row;
            if (!fetchRow(pStmt, row))
                return;
            table.append(std::move(row));
        }
    });
    return table;
}

int QDatabase::queryInt(const std::wstring& sql, const std::vector<Json::Value>& params)
{
    return withStatement(sql, params, [](sqlite3_stmt* pStmt) {
        return sqlite3_step(pStmt) == SQLITE_ROW ? sqlite3_column_int(pStmt, 0) : 0;
    });
}

std::string QDatabase::errorMessage() const
{
    // With no handle SQLite would say "out of memory", which misleads.
    if (!m_db)
        return "database is not open";
    const char* text = sqlite3_errmsg(m_db);
    return text ? std::string(text) : std::string();
}

std::wstring QDatabase::errorMessage16() const
{
    if (!m_db)
        return L"database is not open";
    return fromUtf16(sqlite3_errmsg16(m_db));
}

int QDatabase::errorCode() const
{
    return m_db ? sqlite3_errcode(m_db) : SQLITE_MISUSE;
}

std::wstring QDatabase::errorText() const
{
    return utf8ToWide(errorMessage());
}

void QDatabase::bindParams(sqlite3_stmt* stmt, const std::vector<Json::Value>& params)
{
    for (std::size_t i = 0; i < params.size(); ++i) {
        const Json::Value& value = params[i];
        const int index = int(i) + 1;
        switch (value.type()) {
        case Json::intValue:
            bindInt(stmt, index, value.asInt());
            break;
        case Json::realValue:
            bindDouble(stmt, index, value.asDouble());
            break;
        case Json::stringValue:
            bindText(stmt, index, value.asString());
            break;
        default:
            break;
        }
    }
}

int QDatabase::bindInt(sqlite3_stmt* stmt, int index, int v)
{
    return sqlite3_bind_int(stmt, index, v);
}

int QDatabase::bindInt64(sqlite3_stmt* stmt, int index, std::int64_t v)
{
    return sqlite3_bind_int64(stmt, index, sqlite3_int64(v));
}

int QDatabase::bindDouble(sqlite3_stmt* stmt, int index, double v)
{
    return sqlite3_bind_double(stmt, index, v);
}

int QDatabase::bindText(sqlite3_stmt* stmt, int index, const std::string& v)
{
    return sqlite3_bind_text(stmt, index, v.data(), int(v.size()), SQLITE_TRANSIENT);
}

int QDatabase::bindText16(sqlite3_stmt* stmt, int index, const std::wstring& v)
{
    const std::u16string text = toUtf16(v);
    return sqlite3_bind_text16(stmt, index, text.data(), int(text.size() * sizeof(char16_t)), SQLITE_TRANSIENT);
}

int QDatabase::bindBlob(sqlite3_stmt* stmt, int index, const void* data, int bytes)
{
    return sqlite3_bind_blob(stmt, index, data, bytes, SQLITE_TRANSIENT);
}

bool QDatabase::fetchRow(sqlite3_stmt* stmt, QRow& row)
{
    const int iRet = sqlite3_step(stmt);
    if (iRet == SQLITE_ROW) {
        const int count = sqlite3_column_count(stmt);
        for (int column = 0; column < count; ++column) {
            const std::wstring name = fromUtf16(sqlite3_column_name16(stmt, column));
            if (sqlite3_column_type(stmt, column) != SQLITE_BLOB)
                row.set(name, readCell(stmt, column));
        }
        return true;
    }
    if (iRet == SQLITE_DONE)
        return false;
    U_ASSERT_MSG(iRet == SQLITE_DONE, errorText());
    return false;
}
