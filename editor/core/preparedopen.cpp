#include "preparedopen.h"

#include "pagerenderer.h"

#include <QFileInfo>

namespace pxv {

namespace {

bool sameFile(const QFileInfo& file, const QDateTime& modified, qint64 bytes)
{
    return file.exists() && file.lastModified() == modified && file.size() == bytes;
}

} // namespace

PreparedOpen::PreparedOpen(const QString& cleanPath) : m_path(cleanPath)
{
    const QFileInfo file(cleanPath);
    // Taken before reading: a write that lands during the read makes the file another one.
    m_modified = file.lastModified();
    m_bytes = file.size();
    if (!file.isFile())
        return;
    PageRenderer::openAhead(cleanPath);
    try {
        m_prepared.document = Document::open(cleanPath);
    } catch (const std::exception&) {
        return; // the open itself says what is wrong
    }
    if (m_prepared.document->needsPassword()) {
        m_prepared.document.reset();
        return;
    }
    if (m_prepared.document->hasOutline()) {
        m_prepared.outline = std::make_unique<OutlineLoader>();
        m_prepared.outline->load(m_prepared.document->renderSource());
    }
}

PreparedOpen::~PreparedOpen() = default;

PreparedOpen::Taken PreparedOpen::take()
{
    return std::move(m_prepared);
}

bool PreparedOpen::isFor(const QString& cleanPath) const
{
    return cleanPath == m_path && sameFile(QFileInfo(cleanPath), m_modified, m_bytes);
}

} // namespace pxv
