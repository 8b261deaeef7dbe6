#pragma once

#include "ipxv.h"

#include <functional>

class HistoryStore;

// Where each file was left when it was closed (its page and zoom), in a table "places" of its own
// in the history database, so that the file opens there again. The table keeps the places of
// the files closed most recently; older ones go. A database that fails costs only the place: the
// file then opens at its first page, and the failure is logged.
class ReadingPlaces : public IPXV_PlaceKeeper
{
public:
    static constexpr int kDefaultLimit = 1000;

    // store gives the history database each time it is needed; it may throw UException, and is
    // asked again next time.
    explicit ReadingPlaces(std::function<HistoryStore*()> store, int limit = kDefaultLimit);

    bool recall(const QString& path, PXV_ViewPlace* place) override;
    void remember(const QString& path, const PXV_ViewPlace& place) override;

private:
    std::function<HistoryStore*()> m_store;
    int m_limit;
};
