// Which optional-content groups the views of a document show: a view setting kept beside the
// document, handed to the render workers with each page they draw.

#include "document_p.h"

#include <algorithm>

namespace pxv {

QList<ContentGroup> Document::contentGroups() const
{
    if (d->locked)
        return {};
    try {
        return d->mu->contentGroups();
    } catch (const MuError&) {
        return {};
    }
}

bool Document::isGroupShown(int object) const
{
    if (d->hiddenGroups)
        return !std::binary_search(d->hiddenGroups->begin(), d->hiddenGroups->end(), object);
    const QList<ContentGroup> groups = contentGroups();
    const auto found = std::find_if(groups.begin(), groups.end(),
                                    [&](const ContentGroup& g) { return g.object == object; });
    return found == groups.end() || found->shownByDefault;
}

void Document::setGroupShown(int object, bool shown)
{
    if (isGroupShown(object) == shown)
        return;
    std::vector<int> hidden;
    if (d->hiddenGroups) {
        hidden = *d->hiddenGroups;
    } else {
        // From now on the views decide every group: the ones the document hides start hidden.
        for (const ContentGroup& group : contentGroups()) {
            if (!group.shownByDefault)
                hidden.push_back(group.object);
        }
    }
    if (shown)
        hidden.erase(std::remove(hidden.begin(), hidden.end(), object), hidden.end());
    else
        hidden.push_back(object);
    std::sort(hidden.begin(), hidden.end());
    d->hiddenGroups = std::make_shared<const std::vector<int>>(std::move(hidden));
    emit shownGroupsChanged();
}

std::shared_ptr<const std::vector<int>> Document::hiddenGroups() const
{
    return d->hiddenGroups;
}

} // namespace pxv
