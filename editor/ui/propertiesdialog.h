#pragma once

#include "ui/layer.h"

#include "values/docinfo.h"

#include <QDialog>
#include <QSizeF>

class QLineEdit;

namespace pxv {

// The document's properties; title, author, subject and keywords can be edited.
class PropertiesDialog : public QDialog
{
    Q_OBJECT
public:
    PropertiesDialog(const DocumentInfo& info, const QSizeF& pageSize, int pageCount, QWidget* parent = nullptr);

    EditableInfo edited() const;

private:
    QLineEdit* m_fields[4]; // title, author, subject, keywords
};

} // namespace pxv
