#include "readingplaces.h"

#include "historystore.h"
#include "logger.h"
#include "uexception.h"

#include <QDateTime>

namespace {

// Made on every use, so that a database replaced after damage gets the table back.
const wchar_t* const kCreateTable =
    L"CREATE TABLE IF NOT EXISTS places(filePath TEXT NOT NULL PRIMARY KEY, page INTEGER NOT NULL, "
    L"fit TEXT NOT NULL, zoom DOUBLE NOT NULL, ctime DOUBLE NOT NULL)";

const char* fitName(PXV_ViewPlace::Fit fit)
{
    switch (fit) {
    case PXV_ViewPlace::Fit::Width:
        return "width";
    case PXV_ViewPlace::Fit::Page:
        return "page";
    case PXV_ViewPlace::Fit::None:
        break;
    }
    return "none";
}

PXV_ViewPlace::Fit fitOf(const std::string& name)
{
    if (name == "page")
        return PXV_ViewPlace::Fit::Page;
    return name == "none" ? PXV_ViewPlace::Fit::None : PXV_ViewPlace::Fit::Width;
}

Json::Value pathParam(const QString& path)
{
    return Json::Value(path.toUtf8().toStdString());
}

void logFailure(const UException& e)
{
    sth::logger::log(1, __FILE__, __LINE__, L"reading places: " + e.toString());
}

} // namespace

ReadingPlaces::ReadingPlaces(std::function<HistoryStore*()> store, int limit)
    : m_store(std::move(store)), m_limit(limit)
{
}

bool ReadingPlaces::recall(const QString& path, PXV_ViewPlace* place)
{
    try {
        QDatabase& db = m_store()->database();
        db.execute(kCreateTable, {});
        QRow row = db.queryRow(L"select page, fit, zoom from places where filePath=?", {pathParam(path)});
        if (row.empty())
            return false;
        place->page = std::max(0, row[L"page"].asInt());
        place->fit = fitOf(row[L"fit"].asString());
        place->zoom = row[L"zoom"].asDouble();
        return true;
    } catch (const UException& e) {
        logFailure(e);
        return false;
    }
}

void ReadingPlaces::remember(const QString& path, const PXV_ViewPlace& place)
{
    try {
        QDatabase& db = m_store()->database();
        db.execute(kCreateTable, {});
        db.execute(L"insert or replace into places(filePath, page, fit, zoom, ctime) values(?,?,?,?,?)",
                   {pathParam(path), Json::Value(place.page), Json::Value(fitName(place.fit)), Json::Value(place.zoom),
                    Json::Value(QDateTime::currentMSecsSinceEpoch() / 1000.0)});
        db.execute(L"delete from places where filePath not in "
                   L"(select filePath from places order by ctime desc, rowid desc limit ?)",
                   {Json::Value(m_limit)});
    } catch (const UException& e) {
        logFailure(e);
    }
}
