#include "cpxvdocument.h"

#include "core/document.h"

#include <QFileInfo>

CPXVDocument::CPXVDocument(std::unique_ptr<pxv::Document> document) : m_document(std::move(document))
{
}

CPXVDocument::~CPXVDocument() = default;

QString CPXVDocument::srcPath() const
{
    return m_document->filePath();
}

QString CPXVDocument::title() const
{
    return m_document->title();
}

int CPXVDocument::pageCount() const
{
    return m_document->pageCount();
}

bool CPXVDocument::isModified() const
{
    return m_document->isModified();
}

QString CPXVDocument::displayName() const
{
    const QString path = m_document->filePath();
    return path.isNull() ? m_document->title() : QFileInfo(path).fileName();
}
