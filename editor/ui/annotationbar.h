#pragma once

#include "ui/layer.h"

#include "values/annotation.h"

#include <QFrame>
#include <QPointer>

#include <functional>

class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;

namespace pxv {

class Document;
class PageView;

// The properties of the annotation selected on the pages: colour, opacity, line width, font
// size and text. Shown while one is selected; each change is one step of the history.
class AnnotationBar : public QFrame
{
    Q_OBJECT
public:
    AnnotationBar(Document* document, PageView* pages, QWidget* parent = nullptr);

private:
    void showSelected();
    void apply(const std::function<void(Annotation&)>& change);

    QPointer<Document> m_document;
    QPointer<PageView> m_pages;
    QComboBox* m_color;
    QComboBox* m_fill;
    QSpinBox* m_opacity;
    QDoubleSpinBox* m_width;
    QSpinBox* m_fontSize;
    QLineEdit* m_text;
    bool m_showing = false; // filling the fields, not a change by the user
};

} // namespace pxv
