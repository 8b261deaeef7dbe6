#include "viewhistory.h"

namespace pxv {

namespace {

// Enough to retrace a reading session; the oldest places go first.
constexpr int kMaxPlaces = 100;

} // namespace

void ViewHistory::leave(const Place& here)
{
    push(m_back, here);
    m_forward.clear();
}

std::optional<ViewHistory::Place> ViewHistory::back(const Place& here, const Exists& exists)
{
    return step(m_back, m_forward, here, exists);
}

std::optional<ViewHistory::Place> ViewHistory::forward(const Place& here, const Exists& exists)
{
    return step(m_forward, m_back, here, exists);
}

std::optional<ViewHistory::Place> ViewHistory::step(QVector<Place>& from, QVector<Place>& to, const Place& here,
                                                    const Exists& exists)
{
    while (!from.isEmpty()) {
        const Place place = from.takeLast();
        if (exists(place.page)) {
            push(to, here);
            return place;
        }
    }
    return std::nullopt;
}

void ViewHistory::push(QVector<Place>& places, const Place& place)
{
    // Jumping twice from one spot notes it once.
    if (!places.isEmpty() && places.last().page == place.page
        && (places.last().position - place.position).manhattanLength() < 1)
        return;
    places.append(place);
    if (places.size() > kMaxPlaces)
        places.removeFirst();
}

} // namespace pxv
