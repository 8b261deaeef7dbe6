#include "historystore.h"

#include "cglobal.h"
#include "logger.h"
#include "textconv.h"
#include "uexception.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <stdexcept>

namespace {

std::unique_ptr<HistoryStore> s_instance;

const wchar_t* const kCreateTable =
    L"CREATE TABLE IF NOT EXISTS history(Id INTEGER NOT NULL PRIMARY KEY AUTOINCREMENT, "
    L"filePath VARCHAR(255), fileName VARCHAR(255), ctime DOUBLE NOT NULL)";
// The table only grows, so every lookup and the newest-first listing go through an index.
const wchar_t* const kCreatePathIndex = L"CREATE INDEX IF NOT EXISTS history_filePath ON history(filePath)";
const wchar_t* const kCreateTimeIndex = L"CREATE INDEX IF NOT EXISTS history_ctime ON history(ctime)";

Json::Value utf8Param(const std::wstring& text)
{
    return Json::Value(wideToUtf8(text));
}

Json::Value nowParam()
{
    return Json::Value(double(QDateTime::currentSecsSinceEpoch()));
}

// A single-file operation: a database failure, or a path that cannot be written as UTF-8 (and so
// cannot have been recorded), is reported as false.
template <typename Operation>
bool succeeded(Operation operation)
{
    try {
        return operation();
    } catch (const UException&) {
        return false;
    } catch (const std::range_error&) {
        return false;
    }
}

// SQLite keeps a rollback journal or write-ahead log beside the file; they belong to it.
const char* const kSidecars[] = {"", "-journal", "-wal", "-shm"};

// Moves the file and its sidecars to "<file>.broken-YYYYMMDD-HHMMSS[-n]" and returns the new name.
QString moveAside(const QString& dbPath)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = dbPath + QStringLiteral(".broken-") + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = dbPath + QStringLiteral(".broken-") + stamp + QLatin1Char('-') + QString::number(n);

    for (const char* suffix : kSidecars) {
        const QString from = dbPath + QLatin1String(suffix);
        if (!QFileInfo::exists(from))
            continue;
        const QString to = target + QLatin1String(suffix);
        U_ASSERT_MSG(QFile::rename(from, to),
                     QStringLiteral("cannot move the damaged history database %1 to %2").arg(from, to));
    }
    return target;
}

QString instancePath()
{
    return CGlobal::getAppDataPath() + QStringLiteral("history.db");
}

} // namespace

HistoryStore* HistoryStore::instance()
{
    if (!s_instance)
        s_instance = std::make_unique<HistoryStore>(instancePath());
    return s_instance.get();
}

bool HistoryStore::hasDatabase()
{
    return s_instance || QFileInfo::exists(instancePath());
}

HistoryStore::HistoryStore(const QString& dbPath)
{
    const std::wstring damage = openDatabase(dbPath);
    if (damage.empty())
        return;

    m_db.reset();
    const QString movedTo = moveAside(dbPath);
    sth::logger::log(1, __FILE__, __LINE__,
                     L"history database " + dbPath.toStdWString() + L" is damaged (" + damage + L"); moved to "
                         + movedTo.toStdWString() + L" and started a new one");

    const std::wstring freshDamage = openDatabase(dbPath);
    U_ASSERT_MSG(freshDamage.empty(), freshDamage);
}

// Opens the file and makes sure the table and its indexes exist. Returns what is wrong when SQLite
// finds that the file is not a database or is damaged, else nothing; any other failure throws.
std::wstring HistoryStore::openDatabase(const QString& dbPath)
{
    m_db = std::make_unique<QDatabase>(dbPath.toStdWString());
    try {
        // Another process writing the file (or holding it in a transaction) makes SQLite wait this
        // long before it gives up with "database is locked": long enough for an ordinary write of
        // another program to end, short enough not to freeze the window. A call that gives up
        // fails like any other, and the next one tries again.
        m_db->queryRow(L"PRAGMA busy_timeout=1000", {});
        // A commit then costs one sync of the log instead of several of the file and its journal.
        m_db->queryRow(L"PRAGMA journal_mode=WAL", {});
        // With the write-ahead log, NORMAL syncs only at checkpoints: a power failure can lose the
        // last few commits but never damages the file, the right trade for a recent-files list.
        // An application crash loses nothing.
        m_db->execute(L"PRAGMA synchronous=NORMAL", {});
        m_db->execute(kCreateTable, {});
        m_db->execute(kCreatePathIndex, {});
        m_db->execute(kCreateTimeIndex, {});
        QRow check = m_db->queryRow(L"PRAGMA quick_check(1)", {});
        const std::string verdict = check[L"quick_check"].asString();
        return verdict == "ok" ? std::wstring() : utf8ToWide(verdict);
    } catch (const UException& e) {
        const int code = m_db->errorCode();
        if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT)
            return e.message();
        throw;
    }
}

bool HistoryStore::exists(const std::wstring& path)
{
    return succeeded([&] { return m_db->queryInt(L"select * from history where filePath=?", {utf8Param(path)}) >= 1; });
}

bool HistoryStore::add(const std::wstring& path)
{
    return succeeded([&] {
        const std::string fileName = QFileInfo(QString::fromStdWString(path)).fileName().toStdString();
        m_db->execute(L"insert into history(filePath,fileName,ctime) values(?,?,?)",
                      {utf8Param(path), Json::Value(fileName), nowParam()});
        return true;
    });
}

bool HistoryStore::touch(const std::wstring& path)
{
    return succeeded([&] {
        m_db->execute(L"update history set ctime=? where filePath=?", {nowParam(), utf8Param(path)});
        return true;
    });
}

bool HistoryStore::remove(const std::wstring& path)
{
    return succeeded([&] {
        m_db->execute(L"delete from history where filePath=?", {utf8Param(path)});
        return true;
    });
}

QTable HistoryStore::recent()
{
    return m_db->query(L"select * from history where 1 order by ctime desc limit 0,10", {});
}

void HistoryStore::clear()
{
    m_db->execute(L"delete from history where 1", {});
}
