#pragma once

#include "ui/layer.h"

#include "values/types.h"

#include <QPointF>
#include <QVector>

#include <functional>
#include <optional>

namespace pxv {

// The places a view jumped from, for Back and Forward. Places are kept by page identity, so they
// survive pages inserted, deleted or moved; those on pages no longer there are passed over.
class ViewHistory
{
public:
    struct Place
    {
        PageId page = 0;
        QPointF position; // in page points, as PageView::goToPage() takes it
    };
    using Exists = std::function<bool(PageId)>;

    // Notes here before a jump away from it; Forward then has nothing.
    void leave(const Place& here);
    // The place to return to from here, which the other direction then returns to; none when
    // no noted place is left.
    std::optional<Place> back(const Place& here, const Exists& exists);
    std::optional<Place> forward(const Place& here, const Exists& exists);
    bool canGoBack() const { return !m_back.isEmpty(); }
    bool canGoForward() const { return !m_forward.isEmpty(); }

private:
    static std::optional<Place> step(QVector<Place>& from, QVector<Place>& to, const Place& here, const Exists& exists);
    static void push(QVector<Place>& places, const Place& place);

    QVector<Place> m_back;
    QVector<Place> m_forward;
};

} // namespace pxv
