// Where files were left, kept in a table of their own in the history database.

#include "historystore.h"
#include "logger.h"
#include "readingplaces.h"
#include "uexception.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

PXV_ViewPlace place(int page, PXV_ViewPlace::Fit fit, double zoom = 1.0)
{
    PXV_ViewPlace result;
    result.page = page;
    result.fit = fit;
    result.zoom = zoom;
    return result;
}

bool samePlace(const PXV_ViewPlace& a, const PXV_ViewPlace& b)
{
    return a.page == b.page && a.fit == b.fit && (a.fit != PXV_ViewPlace::Fit::None || qFuzzyCompare(a.zoom, b.zoom));
}

} // namespace

class TestReadingPlaces : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_log = 0;
        sth::logger::m_callback = [this](const std::shared_ptr<sth::LogInfo>&) { ++m_log; };
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_store = std::make_unique<HistoryStore>(dbPath());
    }

    void cleanup()
    {
        m_store.reset();
        m_dir.reset();
    }

    void placesComeBackAndTheOldestGo()
    {
        const int limit = 3;
        ReadingPlaces places([this] { return m_store.get(); }, limit);
        PXV_ViewPlace found;
        QVERIFY(!places.recall("/docs/never.pdf", &found));

        const PXV_ViewPlace zoomed = place(41, PXV_ViewPlace::Fit::None, 1.75);
        places.remember("/docs/a.pdf", place(3, PXV_ViewPlace::Fit::Page));
        places.remember("/docs/a.pdf", zoomed);
        places.remember("/docs/年报.pdf", place(7, PXV_ViewPlace::Fit::Width));
        QVERIFY(places.recall("/docs/a.pdf", &found));
        QVERIFY(samePlace(found, zoomed));
        QVERIFY(places.recall("/docs/年报.pdf", &found));
        QVERIFY(samePlace(found, place(7, PXV_ViewPlace::Fit::Width)));
        // Another store on the same file (the next start) finds them too.
        HistoryStore reopened(dbPath());
        QVERIFY(ReadingPlaces([&] { return &reopened; }).recall("/docs/a.pdf", &found));
        QVERIFY(samePlace(found, zoomed));

        // The table stays bounded: the file closed longest ago goes first.
        for (int i = 0; i < limit; ++i)
            places.remember(QString("/docs/later %1.pdf").arg(i), place(i, PXV_ViewPlace::Fit::Page));
        QVERIFY(!places.recall("/docs/a.pdf", &found));
        QVERIFY(!places.recall("/docs/年报.pdf", &found));
        QCOMPARE(m_store->database().queryInt(L"select count(*) from places", {}), limit);
        for (int i = 0; i < limit; ++i)
            QVERIFY(places.recall(QString("/docs/later %1.pdf").arg(i), &found));

        // The recent list's own table is left as it was.
        QCOMPARE(m_store->database().query(L"PRAGMA table_info(history)", {}).size(), size_t(4));
        QVERIFY(m_store->add(L"/docs/a.pdf"));
        QCOMPARE(int(m_store->recent().size()), 1);
        QCOMPARE(m_log, 0);
    }

    void failingDatabaseCostsOnlyThePlace()
    {
        ReadingPlaces places([this] { return m_store.get(); });
        places.remember("/docs/kept.pdf", place(5, PXV_ViewPlace::Fit::Width));

        // Another program holds the file: places already kept still read, a new one is lost.
        {
            QDatabase other(dbPath().toStdWString());
            other.execute(L"BEGIN EXCLUSIVE", {});
            other.execute(L"insert into history(filePath,fileName,ctime) values('/x.pdf','x.pdf',1)", {});
            places.remember("/docs/during.pdf", place(9, PXV_ViewPlace::Fit::Page));
            PXV_ViewPlace found;
            QVERIFY(places.recall("/docs/kept.pdf", &found));
            QCOMPARE(found.page, 5);
            QCOMPARE(m_log, 1);
            other.execute(L"COMMIT", {});
        }
        PXV_ViewPlace found;
        QVERIFY(!places.recall("/docs/during.pdf", &found));

        // A history that cannot be opened at all.
        ReadingPlaces unreachable([]() -> HistoryStore* {
            U_ASSERT_MSG(false, L"no history");
            return nullptr;
        });
        unreachable.remember("/docs/a.pdf", place(1, PXV_ViewPlace::Fit::Page));
        QVERIFY(!unreachable.recall("/docs/a.pdf", &found));

        // A damaged file is replaced by the history store, and places are kept again.
        m_store.reset();
        QFile file(dbPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray("not a database\n").repeated(300));
        file.close();
        m_store = std::make_unique<HistoryStore>(dbPath());
        QVERIFY(!places.recall("/docs/kept.pdf", &found));
        places.remember("/docs/kept.pdf", place(2, PXV_ViewPlace::Fit::Page));
        QVERIFY(places.recall("/docs/kept.pdf", &found));
        QCOMPARE(found.page, 2);
    }

private:
    QString dbPath() const { return m_dir->filePath("history.db"); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<HistoryStore> m_store;
    int m_log = 0;
};

QTEST_GUILESS_MAIN(TestReadingPlaces)
#include "tst_readingplaces.moc"
