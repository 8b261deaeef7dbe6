#pragma once

#include "ui/layer.h"

#include "core/commentstyles.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QComboBox;
class QDoubleSpinBox;
class QListWidget;
class QPushButton;
class QSpinBox;
class QToolButton;
class IPXV_Settings;

namespace pxv {

class DialogProvider;
class Document;
class PageView;

// The look each kind of new comment gets ("commentStylesView"): a row for each kind with a
// sample of it, the current row's look in fields under them. Changes go to the settings'
// "Comments.Styles"; the selected comment can take a row's look, or give its own to its kind.
class CommentStylesPane : public QWidget
{
    Q_OBJECT
public:
    CommentStylesPane(IPXV_Settings* settings, DialogProvider* dialogs, QWidget* parent = nullptr);

    void setDialogs(DialogProvider* dialogs) { m_dialogs = dialogs; }
    // The document whose selected comment the buttons work on; null for none.
    void setPages(Document* document, PageView* pages);
    // Shows the looks as the settings hold them.
    void showStyles();

    QListWidget* list() const { return m_list; }
    // Each acts on the current row; the first asks for the colour.
    void chooseColor();
    void applyToSelected();
    void useSelected();
    void reset();

private:
    CommentStyles styles() const;
    CommentKind currentKind() const;
    void change(const std::function<void(CommentStyle&)>& edit);
    void showCurrent();
    void showSelection();

    IPXV_Settings* m_settings;
    DialogProvider* m_dialogs;
    QPointer<Document> m_document;
    QPointer<PageView> m_pages;
    QMetaObject::Connection m_selection;
    QListWidget* m_list;
    QToolButton* m_color;
    QComboBox* m_fill;
    QSpinBox* m_opacity;
    QDoubleSpinBox* m_width;
    QSpinBox* m_fontSize;
    QPushButton* m_apply;
    QPushButton* m_use;
    QPushButton* m_reset;
    bool m_showing = false; // filling the fields, not a change by the user
};

} // namespace pxv
