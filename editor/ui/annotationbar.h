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
    void buildContents();
    void showSelected();
    void apply(const std::function<void(Annotation&)>& change);

    QPointer<Document> m_document;
    QPointer<PageView> m_pages;
    QComboBox* m_color = nullptr;
    QComboBox* m_fill = nullptr;
    QSpinBox* m_opacity = nullptr;
    QDoubleSpinBox* m_width = nullptr;
    QSpinBox* m_fontSize = nullptr;
    QLineEdit* m_text = nullptr;
    bool m_showing = false; // filling the fields, not a change by the user
};

} // namespace pxv
