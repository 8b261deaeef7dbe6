#pragma once

#include "ui/layer.h"

#include <QPointer>
#include <QTreeWidget>

namespace pxv {

class Document;
class PageView;

// The document's signature fields in the form's order, each with its page and whether it is
// signed; a click shows the field on its page. Read while shown only.
class SignaturesPane : public QTreeWidget
{
    Q_OBJECT
public:
    SignaturesPane(Document* document, PageView* pages, QWidget* parent = nullptr);

    void refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPointer<Document> m_document;
    QPointer<PageView> m_pages;
};

} // namespace pxv
