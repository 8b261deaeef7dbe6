// Comments: standard annotations created, changed, moved and deleted as steps of the history.

#include "document_p.h"

#include "mupdf/muerror.h"

#include <QDir>
#include <QtGlobal>

namespace pxv {

namespace {

QString& hostAuthor()
{
    static QString author;
    return author;
}

QString typeName(AnnotationType type)
{
    switch (type) {
    case AnnotationType::Highlight:
        return documentText("Highlight");
    case AnnotationType::Underline:
        return documentText("Underline");
    case AnnotationType::StrikeOut:
        return documentText("Strikeout");
    case AnnotationType::Squiggly:
        return documentText("Squiggly Underline");
    case AnnotationType::Text:
        return documentText("Note");
    case AnnotationType::FreeText:
        return documentText("Text Box");
    case AnnotationType::Ink:
        return documentText("Drawing");
    case AnnotationType::Line:
        return documentText("Line");
    case AnnotationType::Square:
        return documentText("Rectangle");
    case AnnotationType::Circle:
        return documentText("Ellipse");
    case AnnotationType::Polygon:
        return documentText("Polygon");
    case AnnotationType::PolyLine:
        return documentText("Polyline");
    case AnnotationType::Stamp:
        return documentText("Stamp");
    case AnnotationType::Other:
        break;
    }
    return documentText("Comment");
}

} // namespace

std::unique_ptr<Document> Document::summarizeAnnotations() const
{
    const auto escaped = [](const QString& text) { return text.toHtmlEscaped().replace('\n', "<br/>"); };
    QString html = QStringLiteral("<h1>%1</h1>").arg(escaped(documentText("Comments in %1").arg(title())));
    int total = 0;
    for (int page = 0; page < pageCount(); ++page) {
        const QList<Annotation> list = annotations(page);
        if (list.isEmpty())
            continue;
        html += QStringLiteral("<h2>%1</h2>").arg(escaped(documentText("Page %1").arg(page + 1)));
        for (const Annotation& annotation : list) {
            // A file from elsewhere may name no author or date: only what is known is listed.
            QStringList said{typeName(annotation.type)};
            if (!annotation.author.isEmpty())
                said.append(annotation.author);
            if (annotation.modified.isValid())
                said.append(annotation.modified.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
            html += QStringLiteral("<p><b>%1</b> %2")
                        .arg(escaped(said.takeFirst()), escaped(said.join(QStringLiteral(", "))));
            if (!annotation.contents.isEmpty())
                html += QStringLiteral("<br/>%1").arg(escaped(annotation.contents));
            html += QStringLiteral("</p>");
            ++total;
        }
    }
    if (total == 0)
        html += QStringLiteral("<p>%1</p>").arg(escaped(documentText("The document has no comments.")));
    std::unique_ptr<Document> summary(new Document);
    try {
        // A4 with margins of 2 cm.
        summary->d->mu = mu::MuDocument::fromHtml(html.toUtf8(), QSizeF(595.276, 841.89), 56.7);
    } catch (const MuError& error) {
        throw DocumentError(
            DocumentError::Failed,
            documentText("The comments could not be summarized: %1").arg(QString::fromUtf8(error.what())));
    }
    summary->d->neverSaved = true;
    summary->d->resetPages();
    summary->d->startNewBase();
    return summary;
}

void Document::setAnnotationAuthor(const QString& author)
{
    hostAuthor() = author;
}

QString Document::annotationAuthor()
{
    if (!hostAuthor().isEmpty())
        return hostAuthor();
    const QString login = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    return login.isEmpty() ? QDir::home().dirName() : login;
}

QList<Annotation> Document::annotations(int page) const
{
    if (d->locked || page < 0 || page >= pageCount())
        return {};
    try {
        return d->mu->annotations(page);
    } catch (const MuError&) {
        return {}; // a page that cannot be read shows no comments
    }
}

int Document::addAnnotation(int page, Annotation value)
{
    if (page < 0 || page >= pageCount())
        throw DocumentError(DocumentError::Failed, documentText("Page %1 does not exist.").arg(page + 1));
    if (value.author.isEmpty())
        value.author = annotationAuthor();
    value.modified = QDateTime::currentDateTime();
    int id = 0;
    runStep(documentText("Add %1").arg(typeName(value.type)), StepKind::Content,
            [&] { id = d->mu->addAnnotation(page, value); });
    return id;
}

void Document::changeAnnotation(int page, Annotation value)
{
    if (page < 0 || page >= pageCount())
        throw DocumentError(DocumentError::Failed, documentText("Page %1 does not exist.").arg(page + 1));
    value.modified = QDateTime::currentDateTime();
    runStep(documentText("Change %1").arg(typeName(value.type)), StepKind::Content,
            [&] { d->mu->changeAnnotation(page, value); });
}

void Document::moveAnnotation(int page, int id, const QPointF& offset)
{
    const QList<Annotation> list = annotations(page);
    const auto found = std::find_if(list.cbegin(), list.cend(), [id](const Annotation& a) { return a.id == id; });
    if (found == list.cend())
        throw DocumentError(DocumentError::Failed, documentText("The comment is not on page %1.").arg(page + 1));
    Annotation moved = found->translated(offset);
    moved.modified = QDateTime::currentDateTime();
    runStep(documentText("Move %1").arg(typeName(moved.type)), StepKind::Content,
            [&] { d->mu->changeAnnotation(page, moved); });
}

void Document::deleteAnnotation(int page, int id)
{
    if (page < 0 || page >= pageCount())
        throw DocumentError(DocumentError::Failed, documentText("Page %1 does not exist.").arg(page + 1));
    runStep(documentText("Delete Comment"), StepKind::Content, [&] { d->mu->deleteAnnotation(page, id); });
}

} // namespace pxv
