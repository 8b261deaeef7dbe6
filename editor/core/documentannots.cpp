// Comments: standard annotations created, changed, moved and deleted as steps of the history.

#include "document_p.h"

#include "sourcecopy.h"

#include "mupdf/muerror.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
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
        return Document::tr("Highlight");
    case AnnotationType::Underline:
        return Document::tr("Underline");
    case AnnotationType::StrikeOut:
        return Document::tr("Strikeout");
    case AnnotationType::Squiggly:
        return Document::tr("Squiggly Underline");
    case AnnotationType::Text:
        return Document::tr("Note");
    case AnnotationType::FreeText:
        return Document::tr("Text Box");
    case AnnotationType::Ink:
        return Document::tr("Drawing");
    case AnnotationType::Line:
        return Document::tr("Line");
    case AnnotationType::Square:
        return Document::tr("Rectangle");
    case AnnotationType::Circle:
        return Document::tr("Ellipse");
    case AnnotationType::Polygon:
        return Document::tr("Polygon");
    case AnnotationType::PolyLine:
        return Document::tr("Polyline");
    case AnnotationType::Stamp:
        return Document::tr("Stamp");
    case AnnotationType::Other:
        break;
    }
    return Document::tr("Comment");
}

// The page as it looks with its comments, a quarter of its size in the summary: an image in
// the HTML that the story embeds. Drawn at twice that, so that it stays sharp when zoomed in.
QString pagePicture(mu::MuDocument& copy, int page)
{
    constexpr double kShown = 0.25;
    QImage image = copy.renderPage(page, 2 * kShown, nullptr);
    // Framed, so that a white page stands out from the white paper it is shown on.
    QPainter frame(&image);
    frame.setPen(QPen(Qt::gray, 2));
    frame.drawRect(QRectF(image.rect()).adjusted(1, 1, -1, -1));
    frame.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("<p><img src=\"data:image/png;base64,%1\" width=\"%2\" height=\"%3\"/></p>")
        .arg(QString::fromLatin1(png.toBase64()))
        .arg(image.width() / 2)
        .arg(image.height() / 2);
}

} // namespace

std::unique_ptr<Document> Document::summarizeAnnotations() const
{
    return summarizeAnnotations(*renderSource(), title());
}

std::unique_ptr<Document> Document::summarizeAnnotations(const RenderSource& source, const QString& title,
                                                         const SplitProgress& progress)
{
    const auto escaped = [](const QString& text) { return text.toHtmlEscaped().replace('\n', "<br/>"); };
    QString html = QStringLiteral("<h1>%1</h1>").arg(escaped(Document::tr("Comments in %1").arg(title)));
    int total = 0;
    try {
        const std::unique_ptr<mu::MuDocument> copy = openSourceCopy(source, mu::MuDocument::kRenderStoreBytes);
        const int pages = copy->pageCount();
        for (int page = 0; page < pages; ++page) {
            const QString heading = Document::tr("Page %1").arg(page + 1);
            if (progress && !progress(page, pages, heading))
                throw DocumentError(DocumentError::Cancelled, Document::tr("Summarizing the comments was cancelled."));
            QList<Annotation> list;
            try {
                list = copy->annotations(page);
            } catch (const MuError&) {
                continue; // a page that cannot be read has no comments to list
            }
            if (list.isEmpty())
                continue;
            html += QStringLiteral("<h2>%1</h2>").arg(escaped(heading));
            html += pagePicture(*copy, page);
            for (const Annotation& annotation : list) {
                // A file from elsewhere may name no author or date: only what is known is listed.
                QStringList said{typeName(annotation.type)};
                if (!annotation.author.isEmpty())
                    said.append(annotation.author);
                if (annotation.modified.isValid())
                    said.append(annotation.modified.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
                // Taken apart first: the order in which arguments are evaluated is unspecified.
                const QString kind = said.takeFirst();
                html += QStringLiteral("<p><b>%1</b> %2").arg(escaped(kind), escaped(said.join(QStringLiteral(", "))));
                if (!annotation.contents.isEmpty())
                    html += QStringLiteral("<br/>%1").arg(escaped(annotation.contents));
                html += QStringLiteral("</p>");
                ++total;
            }
        }
    } catch (const MuError& error) {
        throw DocumentError(
            DocumentError::Failed,
            Document::tr("The comments could not be summarized: %1").arg(QString::fromUtf8(error.what())));
    }
    if (total == 0)
        html += QStringLiteral("<p>%1</p>").arg(escaped(Document::tr("The document has no comments.")));
    std::unique_ptr<Document> summary(new Document);
    try {
        // A4 with margins of 2 cm.
        summary->d->mu = mu::MuDocument::fromHtml(html.toUtf8(), QSizeF(595.276, 841.89), 56.7);
    } catch (const MuError& error) {
        throw DocumentError(
            DocumentError::Failed,
            Document::tr("The comments could not be summarized: %1").arg(QString::fromUtf8(error.what())));
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
        throw DocumentError(DocumentError::Failed, Document::tr("Page %1 does not exist.").arg(page + 1));
    if (value.author.isEmpty())
        value.author = annotationAuthor();
    value.modified = QDateTime::currentDateTime();
    int id = 0;
    runStep(Document::tr("Add %1").arg(typeName(value.type)), StepKind::Content,
            [&] { id = d->mu->addAnnotation(page, value); });
    return id;
}

void Document::changeAnnotation(int page, Annotation value)
{
    if (page < 0 || page >= pageCount())
        throw DocumentError(DocumentError::Failed, Document::tr("Page %1 does not exist.").arg(page + 1));
    value.modified = QDateTime::currentDateTime();
    runStep(Document::tr("Change %1").arg(typeName(value.type)), StepKind::Content,
            [&] { d->mu->changeAnnotation(page, value); });
}

void Document::moveAnnotation(int page, int id, const QPointF& offset)
{
    const QList<Annotation> list = annotations(page);
    const auto found = std::find_if(list.cbegin(), list.cend(), [id](const Annotation& a) { return a.id == id; });
    if (found == list.cend())
        throw DocumentError(DocumentError::Failed, Document::tr("The comment is not on page %1.").arg(page + 1));
    Annotation moved = found->translated(offset);
    moved.modified = QDateTime::currentDateTime();
    runStep(Document::tr("Move %1").arg(typeName(moved.type)), StepKind::Content,
            [&] { d->mu->changeAnnotation(page, moved); });
}

void Document::deleteAnnotation(int page, int id)
{
    if (page < 0 || page >= pageCount())
        throw DocumentError(DocumentError::Failed, Document::tr("Page %1 does not exist.").arg(page + 1));
    runStep(Document::tr("Delete Comment"), StepKind::Content, [&] { d->mu->deleteAnnotation(page, id); });
}

} // namespace pxv
