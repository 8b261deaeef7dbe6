#include "historystore.h"
#include "logger.h"
#include "uexception.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <QSemaphore>
#include <QThread>

#include <memory>
#include <vector>

namespace {

const char kCreateTable[] = "CREATE TABLE history(Id INTEGER NOT NULL PRIMARY KEY AUTOINCREMENT, filePath "
                            "VARCHAR(255), fileName VARCHAR(255), ctime DOUBLE NOT NULL)";

// What the editor host does each time a document becomes active.
void activate(HistoryStore& store, const std::wstring& path)
{
    if (store.exists(path))
        store.touch(path);
    else
        store.add(path);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

} // namespace

class TestHistoryStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void instanceLivesInAppDataFolder();
    void freshFileGetsTableAndIndexesAndKeepsRows();
    void existingFileGainsIndexes();
    void threeActivationsLeaveOneRow();
    void recentKeepsTenNewest();
    void removeOfUnknownPathSucceeds();
    void pathsCompareByteForByte();
    void clearNeverReusesIds();
    void chineseNamesRoundTrip();
    void databaseFailuresBecomeFalseOrThrow();
    void fileThatIsNotDatabaseIsMovedAside();
    void damagedDatabaseIsMovedAside();
    void unwritableFolderThrows();
    void lockedDatabaseIsWaitedForNotReplaced();
    void writerWaitsForOtherTransactionToEnd();
    void commitsGoToLogSyncedAtCheckpoints();

private:
    QString dbPath() const { return m_dir->filePath(QStringLiteral("history.db")); }
    int count(const std::wstring& where = L"1");
    QStringList brokenFiles() const;

    QTemporaryDir m_appData;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<HistoryStore> m_store;
    std::vector<std::wstring> m_log;
};

void TestHistoryStore::initTestCase()
{
    QVERIFY(m_appData.isValid());
    // Before anything asks for the application data folder, which is fixed on first use.
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_appData.path()));
    QCoreApplication::setApplicationName(QStringLiteral("vellumpad"));
    sth::logger::m_callback = [this](const std::shared_ptr<sth::LogInfo>& info) { m_log.push_back(info->message); };
}

void TestHistoryStore::init()
{
    m_log.clear();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_store = std::make_unique<HistoryStore>(dbPath());
}

void TestHistoryStore::cleanup()
{
    m_store.reset();
    m_dir.reset();
}

int TestHistoryStore::count(const std::wstring& where)
{
    QDatabase raw(dbPath().toStdWString());
    return raw.queryInt(L"select count(*) from history where " + where, {});
}

QStringList TestHistoryStore::brokenFiles() const
{
    return QDir(m_dir->path()).entryList({QStringLiteral("history.db.broken-*")}, QDir::Files, QDir::Name);
}

void TestHistoryStore::instanceLivesInAppDataFolder()
{
    const QString expected = m_appData.filePath(QStringLiteral("vellumpad/history.db"));
    // Asking whether there is anything to list creates nothing.
    QVERIFY(!HistoryStore::hasDatabase());
    QVERIFY(!QFile::exists(expected));
    HistoryStore* store = HistoryStore::instance();
    QVERIFY(store);
    QCOMPARE(HistoryStore::instance(), store);
    QVERIFY2(QFile::exists(expected), qPrintable(expected));
    QVERIFY(HistoryStore::hasDatabase());
    QVERIFY(store->add(L"/docs/instance.pdf"));
    QDatabase raw(expected.toStdWString());
    QCOMPARE(raw.queryInt(L"select count(*) from history where filePath='/docs/instance.pdf'", {}), 1);
}

void TestHistoryStore::freshFileGetsTableAndIndexesAndKeepsRows()
{
    {
        QDatabase raw(dbPath().toStdWString());
        QCOMPARE(QString::fromStdString(
                     raw.queryRow(L"select sql from sqlite_master where name='history'", {})[L"sql"].asString()),
                 QString::fromLatin1(kCreateTable));
        QCOMPARE(raw.queryInt(L"select count(*) from sqlite_master where type='index' and tbl_name='history'", {}), 2);
    }
    QVERIFY(m_store->add(L"/docs/a.pdf"));
    QVERIFY(m_store->add(L"/docs/b.pdf"));

    m_store = std::make_unique<HistoryStore>(dbPath());
    QCOMPARE(count(), 2);
    QVERIFY(m_store->exists(L"/docs/a.pdf"));
    QVERIFY(brokenFiles().isEmpty());
}

void TestHistoryStore::existingFileGainsIndexes()
{
    m_store.reset();
    QFile::remove(dbPath());
    {
        QDatabase raw(dbPath().toStdWString());
        raw.execute(QString::fromLatin1(kCreateTable).toStdWString(), {});
        raw.execute(L"insert into history(filePath,fileName,ctime) values('/old.pdf','old.pdf',5)", {});
        QCOMPARE(raw.queryInt(L"select count(*) from sqlite_master where type='index' and tbl_name='history'", {}), 0);
    }
    m_store = std::make_unique<HistoryStore>(dbPath());
    QDatabase raw(dbPath().toStdWString());
    QCOMPARE(raw.queryInt(L"select count(*) from sqlite_master where type='index' and tbl_name='history'", {}), 2);
    QVERIFY(m_store->exists(L"/old.pdf"));
    // Lookups by path and the newest-first listing use the indexes rather than scanning the table.
    const std::string byPath = raw.queryRow(L"explain query plan select * from history where filePath=?",
                                            {Json::Value("x")})[L"detail"]
                                   .asString();
    QVERIFY2(byPath.find("USING INDEX history_filePath") != std::string::npos, byPath.c_str());
    const std::string newest =
        raw.queryRow(L"explain query plan select * from history where 1 order by ctime desc limit 0,10", {})[L"detail"]
            .asString();
    QVERIFY2(newest.find("USING INDEX history_ctime") != std::string::npos, newest.c_str());
}

void TestHistoryStore::threeActivationsLeaveOneRow()
{
    const std::wstring path = L"/docs/report.pdf";
    activate(*m_store, path);
    {
        // Age the record, so that a later activation visibly refreshes it.
        QDatabase raw(dbPath().toStdWString());
        raw.execute(L"update history set ctime=1000, fileName='renamed.pdf'", {});
    }
    activate(*m_store, path);
    const double before = double(QDateTime::currentSecsSinceEpoch());
    activate(*m_store, path);
    const double after = double(QDateTime::currentSecsSinceEpoch());

    QCOMPARE(count(), 1);
    QTable rows = m_store->recent();
    QCOMPARE(int(rows.size()), 1);
    QCOMPARE(rows.value(0, L"ctime").type(), Json::realValue);
    const double ctime = rows.value(0, L"ctime").asDouble();
    QVERIFY(ctime >= before && ctime <= after);
    QCOMPARE(ctime, double(qint64(ctime)));
    // touch refreshes the time only.
    QCOMPARE(rows.value(0, L"fileName").asString(), std::string("renamed.pdf"));
}

void TestHistoryStore::recentKeepsTenNewest()
{
    for (int i = 1; i <= 12; ++i)
        QVERIFY(m_store->add(L"/docs/file" + std::to_wstring(i) + L".pdf"));
    {
        // All twelve were added within a second or two; spread their times so the order is defined.
        QDatabase raw(dbPath().toStdWString());
        raw.execute(L"update history set ctime = 1700000000 + (Id * 37 % 12) * 60", {});
    }
    QTable rows = m_store->recent();
    QCOMPARE(int(rows.size()), 10);
    for (std::size_t i = 0; i + 1 < rows.size(); ++i)
        QVERIFY(rows.value(i, L"ctime").asDouble() > rows.value(i + 1, L"ctime").asDouble());
    // Id * 37 % 12 is smallest (0, then 1) for Ids 12 and 1: those two are the oldest.
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int id = rows.value(i, L"Id").asInt();
        QVERIFY(id != 12 && id != 1);
        QCOMPARE(rows.value(i, L"Id").type(), Json::intValue);
    }
    QCOMPARE(count(), 12);
}

void TestHistoryStore::removeOfUnknownPathSucceeds()
{
    QVERIFY(m_store->add(L"/docs/keep.pdf"));
    QVERIFY(m_store->remove(L"/docs/never-recorded.pdf"));
    QCOMPARE(count(), 1);
    QVERIFY(m_store->remove(L"/docs/keep.pdf"));
    QCOMPARE(count(), 0);
    QVERIFY(!m_store->exists(L"/docs/keep.pdf"));
}

void TestHistoryStore::pathsCompareByteForByte()
{
    QVERIFY(m_store->add(L"/Docs/Plan.pdf"));
    QVERIFY(!m_store->exists(L"/docs/plan.pdf"));
    QVERIFY(!m_store->exists(L"/Docs//Plan.pdf"));
    QVERIFY(!m_store->exists(L"/Docs/Plan.pdf "));
    QVERIFY(m_store->exists(L"/Docs/Plan.pdf"));

    activate(*m_store, L"/docs/plan.pdf");
    QCOMPARE(count(), 2);
}

void TestHistoryStore::clearNeverReusesIds()
{
    for (const wchar_t* path : {L"/a.pdf", L"/b.pdf", L"/c.pdf"})
        QVERIFY(m_store->add(path));
    m_store->clear();
    QVERIFY(m_store->recent().empty());
    QCOMPARE(count(), 0);

    QVERIFY(m_store->add(L"/d.pdf"));
    QCOMPARE(m_store->recent().value(0, L"Id").asInt(), 4);
}

void TestHistoryStore::chineseNamesRoundTrip()
{
    const std::wstring path = L"/home/用户/文档/年度报告 2024.pdf";
    QVERIFY(m_store->add(path));
    QVERIFY(m_store->exists(path));
    QVERIFY(!m_store->exists(L"/home/用户/文档/年度报告 2025.pdf"));

    QTable rows = m_store->recent();
    QCOMPARE(rows.value(0, L"filePath").asString(), std::string(u8"/home/用户/文档/年度报告 2024.pdf"));
    QCOMPARE(rows.value(0, L"fileName").asString(), std::string(u8"年度报告 2024.pdf"));

    // Another reader finds the record by the path's UTF-8 bytes.
    QDatabase raw(dbPath().toStdWString());
    QCOMPARE(raw.queryInt(L"select count(*) from history where filePath=?",
                          {Json::Value(u8"/home/用户/文档/年度报告 2024.pdf")}),
             1);

    // A path that cannot be written as UTF-8 cannot have been recorded, and is not an error for callers.
    const std::wstring beyondUnicode = L"/docs/" + std::wstring(1, wchar_t(0x110000));
    QVERIFY(!m_store->exists(beyondUnicode));
    QVERIFY(!m_store->add(beyondUnicode));
    QVERIFY(!m_store->touch(beyondUnicode));
    QVERIFY(!m_store->remove(beyondUnicode));
    QCOMPARE(count(), 1);
}

void TestHistoryStore::databaseFailuresBecomeFalseOrThrow()
{
    QVERIFY(m_store->add(L"/docs/a.pdf"));
    {
        QDatabase raw(dbPath().toStdWString());
        raw.execute(L"drop table history", {});
    }
    QVERIFY(!m_store->exists(L"/docs/a.pdf"));
    QVERIFY(!m_store->add(L"/docs/b.pdf"));
    QVERIFY(!m_store->touch(L"/docs/a.pdf"));
    QVERIFY(!m_store->remove(L"/docs/a.pdf"));
    QVERIFY_EXCEPTION_THROWN(m_store->recent(), UException);
    QVERIFY_EXCEPTION_THROWN(m_store->clear(), UException);
}

void TestHistoryStore::fileThatIsNotDatabaseIsMovedAside()
{
    m_store.reset();
    const QByteArray garbage = QByteArray("these are not the bytes of a database\n").repeated(200);
    writeFile(dbPath(), garbage);

    m_store = std::make_unique<HistoryStore>(dbPath());
    QVERIFY(m_store->add(L"/docs/after.pdf"));
    QCOMPARE(count(), 1);

    const QStringList broken = brokenFiles();
    QCOMPARE(broken.size(), 1);
    QVERIFY2(QRegularExpression(QStringLiteral("^history\\.db\\.broken-\\d{8}-\\d{6}$")).match(broken[0]).hasMatch(),
             qPrintable(broken[0]));
    QCOMPARE(readFile(m_dir->filePath(broken[0])), garbage);

    QCOMPARE(int(m_log.size()), 1);
    QVERIFY(m_log[0].find(L"damaged") != std::wstring::npos);
    QVERIFY(m_log[0].find(broken[0].toStdWString()) != std::wstring::npos);

    // A second bad file, even within the same second, never replaces the first one kept.
    m_store.reset();
    writeFile(dbPath(), garbage + "again");
    m_store = std::make_unique<HistoryStore>(dbPath());
    QCOMPARE(brokenFiles().size(), 2);
    QCOMPARE(count(), 0);
}

void TestHistoryStore::damagedDatabaseIsMovedAside()
{
    for (int i = 0; i < 2000; ++i)
        m_store->add(L"/docs/some/long/folder/name/file number " + std::to_wstring(i) + L".pdf");
    m_store.reset();

    QByteArray bytes = readFile(dbPath());
    QVERIFY(bytes.size() > 20 * 4096);
    // Keep the header and the schema page; scribble over the pages after them.
    for (int offset = 2 * 4096; offset < 12 * 4096; ++offset)
        bytes[offset] = char(0x5A);
    writeFile(dbPath(), bytes);

    m_store = std::make_unique<HistoryStore>(dbPath());
    QCOMPARE(brokenFiles().size(), 1);
    QCOMPARE(count(), 0);
    QVERIFY(m_store->add(L"/docs/new.pdf"));
    QCOMPARE(int(m_store->recent().size()), 1);
    QCOMPARE(int(m_log.size()), 1);
}

void TestHistoryStore::unwritableFolderThrows()
{
    // Root writes into read-only folders, so make the folder impossible instead: its parent is a file.
    writeFile(m_dir->filePath(QStringLiteral("notafolder")), "x");
    const QString path = m_dir->filePath(QStringLiteral("notafolder/history.db"));
    QVERIFY_EXCEPTION_THROWN(HistoryStore store(path), UException);
    QVERIFY(!QFile::exists(path));
}

void TestHistoryStore::lockedDatabaseIsWaitedForNotReplaced()
{
    QVERIFY(m_store->add(L"/docs/before.pdf"));
    QDatabase other(dbPath().toStdWString());
    other.execute(L"BEGIN EXCLUSIVE", {});
    other.execute(L"insert into history(filePath,fileName,ctime) values('/docs/other.pdf','other.pdf',1)", {});

    // Reading goes on; writing gives up after the wait and says so; a busy file is not damage.
    QVERIFY(m_store->exists(L"/docs/before.pdf"));
    QVERIFY(!m_store->add(L"/docs/during.pdf"));
    QVERIFY(!m_store->touch(L"/docs/before.pdf"));
    // A store opened meanwhile (the program starting) reads too, and is not fooled into
    // taking a busy file for a damaged one.
    HistoryStore opened(dbPath());
    QVERIFY(opened.exists(L"/docs/before.pdf"));
    QVERIFY(!opened.add(L"/docs/during.pdf"));
    QCOMPARE(brokenFiles(), QStringList());
    QVERIFY(m_log.empty());

    other.execute(L"COMMIT", {});
    QVERIFY(m_store->add(L"/docs/after.pdf"));
    QCOMPARE(count(), 3);
    QCOMPARE(count(L"filePath='/docs/during.pdf'"), 0);
}

void TestHistoryStore::writerWaitsForOtherTransactionToEnd()
{
    // Another connection holds the write lock and lets go after a short while, well inside the
    // store's wait: the store's write must then go through instead of failing at once.
    QSemaphore locked;
    std::unique_ptr<QThread> other(QThread::create([this, &locked] {
        QDatabase db(dbPath().toStdWString());
        db.execute(L"BEGIN EXCLUSIVE", {});
        db.execute(L"insert into history(filePath,fileName,ctime) values('/docs/other.pdf','other.pdf',1)", {});
        locked.release();
        QThread::msleep(50);
        db.execute(L"COMMIT", {});
    }));
    other->start();
    locked.acquire();
    const bool added = m_store->add(L"/docs/waited.pdf");
    QVERIFY(other->wait(10000));
    QVERIFY(added);
    QCOMPARE(count(), 2);
    QCOMPARE(count(L"filePath='/docs/waited.pdf'"), 1);
}

void TestHistoryStore::commitsGoToLogSyncedAtCheckpoints()
{
    // Each activation is one commit; in write-ahead-log mode with synchronous NORMAL (1) it is not
    // synced on its own, and the file still cannot be damaged by a crash.
    QCOMPARE(m_store->m_db->queryRow(L"PRAGMA journal_mode", {})[L"journal_mode"].asString(), std::string("wal"));
    QCOMPARE(m_store->m_db->queryInt(L"PRAGMA synchronous", {}), 1);
    // The store above made its file; one that opens an existing file must end the same way.
    HistoryStore reopened(dbPath());
    QCOMPARE(reopened.m_db->queryInt(L"PRAGMA synchronous", {}), 1);
    QVERIFY(reopened.add(L"/docs/reopened.pdf"));
    QCOMPARE(count(L"filePath='/docs/reopened.pdf'"), 1);
}

QTEST_APPLESS_MAIN(TestHistoryStore)
#include "tst_historystore.moc"
