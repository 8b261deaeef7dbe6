#pragma once

#include "ui/layer.h"

#include "ipxv.h"

#include <memory>

namespace pxv {
class Document;
}

// A document as the component hands it out: the model behind the public interface.
class CPXVDocument : public IPXV_Document
{
public:
    explicit CPXVDocument(std::unique_ptr<pxv::Document> document);
    ~CPXVDocument() override;

    QString srcPath() const override;
    QString title() const override;
    int pageCount() const override;
    bool isModified() const override;

    pxv::Document* model() const { return m_document.get(); }
    // The name a tab shows: the file name, or the title of a document without a file.
    QString displayName() const;

private:
    std::unique_ptr<pxv::Document> m_document;
};
