#pragma once

#include "core/layer.h"

// Reads a document's outline on a pool thread from a copy of its own. Numbering the pages an
// outline leads to makes MuPDF map the whole page tree, which for a long document costs more
// than showing its first page: opening must not wait for it.

#include "document.h"

#include <QList>
#include <QObject>

#include <memory>

namespace pxv {

class OutlineLoader : public QObject
{
    Q_OBJECT
public:
    explicit OutlineLoader(QObject* parent = nullptr);
    ~OutlineLoader() override;

    // Starts reading the outline of source as it is now; a read still going for an earlier
    // source is not reported. A damaged outline gives what could be read before the damage;
    // a copy that cannot be opened, no entries.
    void load(std::shared_ptr<const RenderSource> source);
    // The items last reported, for a view that takes over a loader already under way.
    bool hasLoaded() const { return m_hasLoaded; }
    const QList<OutlineItem>& latest() const { return m_latest; }

    struct Shared;

signals:
    void loaded(const QList<OutlineItem>& items);

private:
    std::shared_ptr<Shared> m_shared;
    QList<OutlineItem> m_latest;
    bool m_hasLoaded = false;
};

} // namespace pxv
