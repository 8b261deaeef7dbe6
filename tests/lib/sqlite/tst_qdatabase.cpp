#include "qdatabase.h"
#include "uexception.h"

#include <sqlite3.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <chrono>
#include <future>
#include <memory>
#include <thread>

namespace {

// Runs the statement and returns the UException it throws; fails the test when it throws none.
template <typename Call>
UException thrownBy(Call call)
{
    try {
        call();
    } catch (const UException& e) {
        return e;
    }
    throw std::logic_error("no UException thrown");
}

QStringList keysOf(const QRow& row)
{
    QStringList keys;
    for (const auto& column : row)
        keys << QString::fromStdWString(column.first);
    return keys;
}

} // namespace

class TestQDatabase : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void executeCreatesOnceAndCountsChanges();
    void executeRejectsStatementThatYieldsRow();
    void prepareFailureCarriesSqliteText();
    void unusableConnectionThrowsInsteadOfCrashing();
    void shortAndUnsupportedParametersBindNull();
    void cellsFollowTheTypeTable();
    void columnsAreInNameOrder();
    void limitReturnsTenOfTwentyFiveInOrder();
    void queryIntAndQueryRowWithoutRows();
    void lockAndStatementReleasedAfterException();
    void tableAccessChecks();
    void toJsonShapes();
    void closeIsIdempotent();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QDatabase> m_db;
};

void TestQDatabase::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_db = std::make_unique<QDatabase>(m_dir->filePath(QStringLiteral("test.db")).toStdWString());
    QVERIFY(m_db->isOpen());
}

void TestQDatabase::cleanup()
{
    m_db.reset();
    m_dir.reset();
}

void TestQDatabase::executeCreatesOnceAndCountsChanges()
{
    const std::wstring create = L"CREATE TABLE IF NOT EXISTS t(n INTEGER)";
    QCOMPARE(m_db->execute(create, {}), 0);
    QCOMPARE(m_db->execute(create, {}), 0);

    QCOMPARE(m_db->execute(L"insert into t(n) values(?)", {Json::Value(1)}), 1);
    m_db->execute(L"insert into t(n) values(?)", {Json::Value(2)});
    m_db->execute(L"insert into t(n) values(?)", {Json::Value(3)});
    QCOMPARE(m_db->execute(L"update t set n=n+10 where n>=?", {Json::Value(2)}), 2);
    QCOMPARE(m_db->execute(L"delete from t where 1", {}), 3);

    // Only the first statement of the text runs.
    m_db->execute(L"insert into t(n) values(1); insert into t(n) values(2)", {});
    QCOMPARE(m_db->queryInt(L"select count(*) from t", {}), 1);
}

void TestQDatabase::executeRejectsStatementThatYieldsRow()
{
    m_db->execute(L"create table t(n INTEGER)", {});
    QCOMPARE(m_db->execute(L"select * from t where n=?", {Json::Value(5)}), 0);

    m_db->execute(L"insert into t(n) values(5)", {});
    const UException e = thrownBy([&] { m_db->execute(L"select * from t where n=?", {Json::Value(5)}); });
    QCOMPARE(e.expression(), std::wstring(L"SQLITE_DONE == iRet"));
}

void TestQDatabase::prepareFailureCarriesSqliteText()
{
    const UException syntax = thrownBy([&] { m_db->execute(L"selec nothing", {}); });
    QCOMPARE(syntax.expression(), std::wstring(L"SQLITE_OK == iRet && nullptr != pStmt"));
    QVERIFY2(syntax.message().find(L"syntax error") != std::wstring::npos,
             qPrintable(QString::fromStdWString(syntax.message())));

    const UException missing = thrownBy([&] { m_db->query(L"select * from nowhere", {}); });
    QVERIFY(missing.message().find(L"no such table: nowhere") != std::wstring::npos);

    // No statement at all is a failed prepare too.
    const UException empty = thrownBy([&] { m_db->queryRow(L"", {}); });
    QCOMPARE(empty.expression(), std::wstring(L"SQLITE_OK == iRet && nullptr != pStmt"));
}

void TestQDatabase::unusableConnectionThrowsInsteadOfCrashing()
{
    QFile blocker(m_dir->filePath(QStringLiteral("plainfile")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    // The parent is a regular file, so not even root can create the database.
    QDatabase failed(m_dir->filePath(QStringLiteral("plainfile/test.db")).toStdWString());
    QVERIFY(!failed.isOpen());
    const UException e = thrownBy([&] { failed.execute(L"create table t(n)", {}); });
    QCOMPARE(e.expression(), std::wstring(L"SQLITE_OK == iRet && nullptr != pStmt"));
    QVERIFY(!e.message().empty());

    QDatabase never;
    QVERIFY(!never.isOpen());
    const UException none = thrownBy([&] { never.queryInt(L"select 1", {}); });
    QCOMPARE(none.message(), std::wstring(L"database is not open"));
}

void TestQDatabase::shortAndUnsupportedParametersBindNull()
{
    m_db->execute(L"create table t(a, b, c)", {});
    m_db->execute(L"insert into t(a,b,c) values(?,?,?)", {Json::Value(7)});
    m_db->execute(L"insert into t(a,b,c) values(?,?,?)", {Json::Value(true), Json::Value(5u), Json::Value("x")});

    QTable rows = m_db->query(L"select a, b, c from t order by rowid", {});
    QCOMPARE(int(rows.size()), 2);
    QCOMPARE(rows.value(0, L"a").asInt(), 7);
    QVERIFY(rows.value(0, L"b").isNull());
    QVERIFY(rows.value(0, L"c").isNull());
    QVERIFY(rows.value(1, L"a").isNull());
    QVERIFY(rows.value(1, L"b").isNull());
    QCOMPARE(rows.value(1, L"c").asString(), std::string("x"));
}

void TestQDatabase::cellsFollowTheTypeTable()
{
    QRow row = m_db->queryRow(L"select 42 as i, 2.5 as r, 'text' as s, '' as e, NULL as n, X'0102' as b, "
                              L"'a' || char(0) || 'b' as z, ? as u",
                              {Json::Value("汉字 ü")});
    QCOMPARE(row[L"i"].type(), Json::intValue);
    QCOMPARE(row[L"i"].asInt(), 42);
    QCOMPARE(row[L"r"].type(), Json::realValue);
    QCOMPARE(row[L"r"].asDouble(), 2.5);
    QCOMPARE(row[L"s"].asString(), std::string("text"));
    QCOMPARE(row[L"e"].type(), Json::stringValue);
    QVERIFY(row[L"e"].asString().empty());
    QVERIFY(row.contains(L"n"));
    QCOMPARE(row[L"n"].type(), Json::nullValue);
    QVERIFY(!row.contains(L"b"));
    // Text is copied up to its first zero byte.
    QCOMPARE(row[L"z"].asString(), std::string("a"));
    QCOMPARE(row[L"u"].asString(), std::string("汉字 ü"));
}

void TestQDatabase::columnsAreInNameOrder()
{
    m_db->execute(L"CREATE TABLE h(Id INTEGER NOT NULL PRIMARY KEY AUTOINCREMENT, filePath VARCHAR(255), "
                  L"fileName VARCHAR(255), ctime DOUBLE NOT NULL)",
                  {});
    m_db->execute(L"insert into h(filePath,fileName,ctime) values(?,?,?)",
                  {Json::Value("/a/b.pdf"), Json::Value("b.pdf"), Json::Value(1.0)});
    const QRow row = m_db->queryRow(L"select * from h", {});
    QCOMPARE(keysOf(row), (QStringList{"Id", "ctime", "fileName", "filePath"}));

    const QRow named = m_db->queryRow(L"select 1 as \"名称\", 2 as \"Z\", 3 as \"a\"", {});
    QCOMPARE(keysOf(named), (QStringList{"Z", "a", "名称"}));
}

void TestQDatabase::limitReturnsTenOfTwentyFiveInOrder()
{
    m_db->execute(L"create table t(n INTEGER)", {});
    for (int n = 0; n < 25; ++n)
        m_db->execute(L"insert into t(n) values(?)", {Json::Value((n * 7) % 25)});

    QTable rows = m_db->query(L"select * from t where 1 order by n desc limit 0,10", {});
    QCOMPARE(int(rows.size()), 10);
    for (int i = 0; i < 10; ++i)
        QCOMPARE(rows.value(i, L"n").asInt(), 24 - i);
}

void TestQDatabase::queryIntAndQueryRowWithoutRows()
{
    m_db->execute(L"create table t(n INTEGER)", {});
    QCOMPARE(m_db->queryInt(L"select n from t", {}), 0);
    QVERIFY(m_db->queryRow(L"select n from t", {}).empty());
    QVERIFY(m_db->query(L"select n from t", {}).empty());

    m_db->execute(L"insert into t(n) values(9)", {});
    m_db->execute(L"insert into t(n) values(4)", {});
    QCOMPARE(m_db->queryInt(L"select n from t order by n", {}), 4);
    QCOMPARE(m_db->queryRow(L"select n from t order by n desc", {}).toJson()["n"].asInt(), 9);
    // A failing step in queryInt yields 0 rather than an exception.
    QCOMPARE(m_db->queryInt(L"select abs(-9223372036854775808)", {}), 0);
}

void TestQDatabase::lockAndStatementReleasedAfterException()
{
    m_db->execute(L"create table t(n INTEGER)", {});
    m_db->execute(L"insert into t(n) values(1)", {});

    QCOMPARE(thrownBy([&] { m_db->execute(L"select * from t", {}); }).expression(),
             std::wstring(L"SQLITE_DONE == iRet"));
    QCOMPARE(thrownBy([&] { m_db->query(L"select abs(-9223372036854775808)", {}); }).expression(),
             std::wstring(L"iRet == SQLITE_DONE"));
    thrownBy([&] { m_db->queryRow(L"select bad syntax", {}); });

    // Another thread can take the lock only when every operation above gave it back.
    auto other = std::async(std::launch::async, [&] { return m_db->queryInt(L"select count(*) from t", {}); });
    QVERIFY2(other.wait_for(std::chrono::seconds(20)) == std::future_status::ready, "the lock was not released");
    QCOMPARE(other.get(), 1);

    // SQLite refuses to close while a statement is still unfinalized.
    QVERIFY(m_db->close());
}

void TestQDatabase::tableAccessChecks()
{
    QTable empty;
    const UException noRow = thrownBy([&] { empty.value(0, L"Id"); });
    QCOMPARE(noRow.expression(), std::wstring(L"index < m_data.size()"));
    QVERIFY(noRow.message().empty());
    QCOMPARE(thrownBy([&] { empty.row(0); }).expression(), std::wstring(L"index < m_data.size()"));

    QRow row;
    row.set(L"Id", Json::Value(3));
    QTable table;
    table.append(row);
    QCOMPARE(table.value(0, L"Id").asInt(), 3);
    QCOMPARE(thrownBy([&] { table.value(0, L"filePath"); }).expression(),
             std::wstring(L"m_data[index].contains(name)"));
    QCOMPARE(thrownBy([&] { table.row(1); }).expression(), std::wstring(L"index < m_data.size()"));

    // Subscripting a missing name inserts it as null, as a map does.
    QVERIFY(row[L"absent"].isNull());
    QVERIFY(row.contains(L"absent"));
    QCOMPARE(int(row.size()), 2);
}

void TestQDatabase::toJsonShapes()
{
    QCOMPARE(QTable().toJson().type(), Json::arrayValue);
    QCOMPARE(int(QTable().toJson().size()), 0);
    QVERIFY(QRow().toJson().isNull());

    m_db->execute(L"create table t(\"路径\" TEXT, n INTEGER)", {});
    m_db->execute(L"insert into t values(?, ?)", {Json::Value("/甲.pdf"), Json::Value(1)});
    m_db->execute(L"insert into t values(?, ?)", {Json::Value("/乙.pdf"), Json::Value(2)});
    const Json::Value json = m_db->query(L"select * from t order by n", {}).toJson();
    QCOMPARE(int(json.size()), 2);
    QCOMPARE(json[1]["路径"].asString(), std::string("/乙.pdf"));
    QCOMPARE(json[0]["n"].asInt(), 1);
}

void TestQDatabase::closeIsIdempotent()
{
    QVERIFY(m_db->close());
    QVERIFY(!m_db->isOpen());
    QVERIFY(m_db->close());
    QCOMPARE(thrownBy([&] { m_db->execute(L"select 1", {}); }).message(), std::wstring(L"database is not open"));

    // Reopening the same object works and sees the file's contents.
    const std::string path = m_dir->filePath(QStringLiteral("test.db")).toStdString();
    QVERIFY(m_db->open(path, SQLITE_OPEN_READWRITE));
    QCOMPARE(m_db->queryInt(L"select 7", {}), 7);
}

QTEST_APPLESS_MAIN(TestQDatabase)
#include "tst_qdatabase.moc"
