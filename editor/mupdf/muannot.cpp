// Standard annotations: reading a page's list, creating, changing and deleting them. MuPDF's
// annotation calls take and give page space (top-left origin, rotation applied), the space the
// model uses, and write appearance streams when the page is updated.

#include "mudocument_p.h"

#include <QByteArray>

#include <vector>

namespace pxv::mu {

namespace {

struct TypeName
{
    AnnotationType type;
    enum pdf_annot_type pdf;
};

constexpr TypeName kTypes[] = {
    {AnnotationType::Text, PDF_ANNOT_TEXT},
    {AnnotationType::FreeText, PDF_ANNOT_FREE_TEXT},
    {AnnotationType::Line, PDF_ANNOT_LINE},
    {AnnotationType::Square, PDF_ANNOT_SQUARE},
    {AnnotationType::Circle, PDF_ANNOT_CIRCLE},
    {AnnotationType::Polygon, PDF_ANNOT_POLYGON},
    {AnnotationType::PolyLine, PDF_ANNOT_POLY_LINE},
    {AnnotationType::Highlight, PDF_ANNOT_HIGHLIGHT},
    {AnnotationType::Underline, PDF_ANNOT_UNDERLINE},
    {AnnotationType::StrikeOut, PDF_ANNOT_STRIKE_OUT},
    {AnnotationType::Squiggly, PDF_ANNOT_SQUIGGLY},
    {AnnotationType::Stamp, PDF_ANNOT_STAMP},
    {AnnotationType::Ink, PDF_ANNOT_INK},
};

enum pdf_annot_type toPdf(AnnotationType type)
{
    for (const TypeName& name : kTypes) {
        if (name.type == type)
            return name.pdf;
    }
    return PDF_ANNOT_UNKNOWN;
}

AnnotationType fromPdf(enum pdf_annot_type type)
{
    for (const TypeName& name : kTypes) {
        if (name.pdf == type)
            return name.type;
    }
    return AnnotationType::Other;
}

bool hasBox(AnnotationType type)
{
    return type == AnnotationType::Text || type == AnnotationType::FreeText || type == AnnotationType::Square
           || type == AnnotationType::Circle || type == AnnotationType::Stamp;
}

// The subtypes MuPDF keeps a border width for; it refuses the width on others.
bool hasBorder(enum pdf_annot_type type)
{
    switch (type) {
    case PDF_ANNOT_FREE_TEXT:
    case PDF_ANNOT_INK:
    case PDF_ANNOT_LINE:
    case PDF_ANNOT_POLYGON:
    case PDF_ANNOT_POLY_LINE:
    case PDF_ANNOT_SQUARE:
    case PDF_ANNOT_CIRCLE:
        return true;
    default:
        return false;
    }
}

QPointF toQt(const fz_point& point)
{
    return QPointF(point.x, point.y);
}

fz_point toFz(const QPointF& point)
{
    return fz_make_point(float(point.x()), float(point.y()));
}

fz_quad toQuad(const QPolygonF& polygon)
{
    // Corners as TextSelection gives them: upper-left, upper-right, lower-right, lower-left.
    fz_quad quad;
    quad.ul = toFz(polygon.value(0));
    quad.ur = toFz(polygon.value(1));
    quad.lr = toFz(polygon.value(2));
    quad.ll = toFz(polygon.value(3));
    return quad;
}

// Everything an annotation's value asks MuPDF to set, in plain arrays built before the calls:
// nothing with a destructor may be made inside them.
struct Settings
{
    explicit Settings(const Annotation& value)
        : contents(value.contents.toUtf8()), author(value.author.toUtf8()), icon(value.icon.toUtf8()),
          date(value.modified.isValid() ? value.modified.toSecsSinceEpoch() : QDateTime::currentSecsSinceEpoch())
    {
        color[0] = float(value.color.redF());
        color[1] = float(value.color.greenF());
        color[2] = float(value.color.blueF());
        fillCount = value.fill.isValid() ? 3 : 0;
        fill[0] = float(value.fill.redF());
        fill[1] = float(value.fill.greenF());
        fill[2] = float(value.fill.blueF());
        for (const QPolygonF& quad : value.quads)
            quads.push_back(toQuad(quad));
        for (const QPolygonF& stroke : value.strokes) {
            counts.push_back(int(stroke.size()));
            for (const QPointF& point : stroke)
                points.push_back(toFz(point));
        }
        for (const QPointF& point : value.vertices)
            vertices.push_back(toFz(point));
    }

    QByteArray contents;
    QByteArray author;
    QByteArray icon;
    qint64 date;
    float color[3];
    int fillCount;
    float fill[3];
    std::vector<fz_quad> quads;
    std::vector<int> counts;
    std::vector<fz_point> points;
    std::vector<fz_point> vertices;
};

// Sets what value says on annot; inside guarded() only.
void apply(fz_context* ctx, pdf_annot* annot, const Annotation& value, const Settings& settings)
{
    const AnnotationType type = value.type;
    if (hasBox(type)) {
        const QRectF r = value.rect.normalized();
        pdf_set_annot_rect(ctx, annot,
                           fz_make_rect(float(r.left()), float(r.top()), float(r.right()), float(r.bottom())));
    }
    if (type == AnnotationType::FreeText)
        pdf_set_annot_default_appearance(ctx, annot, "Helv", float(value.fontSize), 3, settings.color);
    else
        pdf_set_annot_color(ctx, annot, 3, settings.color);
    // No fill leaves the key out rather than writing an empty one, unless a fill is taken away.
    if (pdf_annot_has_interior_color(ctx, annot)
        && (settings.fillCount > 0 || pdf_dict_get(ctx, pdf_annot_obj(ctx, annot), PDF_NAME(IC))))
        pdf_set_annot_interior_color(ctx, annot, settings.fillCount, settings.fill);
    pdf_set_annot_opacity(ctx, annot, float(value.opacity));
    if (hasBorder(pdf_annot_type(ctx, annot)))
        pdf_set_annot_border(ctx, annot, float(value.borderWidth));
    pdf_set_annot_contents(ctx, annot, settings.contents.constData());
    if (pdf_annot_has_author(ctx, annot))
        pdf_set_annot_author(ctx, annot, settings.author.constData());
    pdf_set_annot_modification_date(ctx, annot, settings.date);
    if (pdf_annot_has_quad_points(ctx, annot) && !settings.quads.empty())
        pdf_set_annot_quad_points(ctx, annot, int(settings.quads.size()), settings.quads.data());
    if (pdf_annot_has_ink_list(ctx, annot) && !settings.counts.empty())
        pdf_set_annot_ink_list(ctx, annot, int(settings.counts.size()), settings.counts.data(), settings.points.data());
    if (pdf_annot_has_vertices(ctx, annot) && !settings.vertices.empty())
        pdf_set_annot_vertices(ctx, annot, int(settings.vertices.size()), settings.vertices.data());
    if (pdf_annot_has_line(ctx, annot)) {
        pdf_set_annot_line(ctx, annot, toFz(value.line.p1()), toFz(value.line.p2()));
        pdf_set_annot_line_ending_styles(ctx, annot, static_cast<enum pdf_line_ending>(value.lineStart),
                                         static_cast<enum pdf_line_ending>(value.lineEnd));
    }
    if (pdf_annot_has_icon_name(ctx, annot) && !settings.icon.isEmpty())
        pdf_set_annot_icon_name(ctx, annot, settings.icon.constData());
}

// A stamp drawn from a picture: its normal appearance draws an image. MuPDF would draw it again
// as a named stamp whenever it is changed, so its look is kept as it is: it fits any Rect.
bool isPictureStamp(fz_context* ctx, pdf_annot* annot)
{
    if (pdf_annot_type(ctx, annot) != PDF_ANNOT_STAMP)
        return false;
    pdf_obj* normal = pdf_dict_getp(ctx, pdf_annot_obj(ctx, annot), "AP/N");
    pdf_obj* images = pdf_dict_getp(ctx, normal, "Resources/XObject");
    for (int i = 0; i < pdf_dict_len(ctx, images); ++i) {
        if (pdf_name_eq(ctx, pdf_dict_get(ctx, pdf_dict_get_val(ctx, images, i), PDF_NAME(Subtype)), PDF_NAME(Image)))
            return true;
    }
    return false;
}

// Draws the annotation again after a change, or keeps a picture stamp's look; inside guarded() only.
void redraw(fz_context* ctx, pdf_annot* annot, bool keepLook)
{
    if (keepLook) {
        pdf_set_annot_resynthesised(ctx, annot);
        pdf_clean_obj(ctx, pdf_annot_obj(ctx, annot));
    } else {
        pdf_update_annot(ctx, annot);
    }
}

QColor toColor(int n, const float* c)
{
    switch (n) {
    case 1:
        return QColor::fromRgbF(c[0], c[0], c[0]);
    case 3:
        return QColor::fromRgbF(c[0], c[1], c[2]);
    case 4:
        return QColor::fromCmykF(c[0], c[1], c[2], c[3]);
    default:
        return QColor();
    }
}

Annotation read(fz_context* ctx, pdf_annot* annot)
{
    Annotation value;
    enum pdf_annot_type pdfType = PDF_ANNOT_UNKNOWN;
    fz_rect rect{};
    int colorCount = 0;
    float color[4] = {};
    int fillCount = 0;
    float fill[4] = {};
    const char* font = nullptr;
    float fontSize = 0;
    float opacity = 1;
    float border = 0;
    const char* contents = nullptr;
    const char* author = nullptr;
    const char* icon = nullptr;
    int64_t modified = 0;
    enum pdf_line_ending start = PDF_ANNOT_LE_NONE, end = PDF_ANNOT_LE_NONE;
    fz_point a{}, b{};
    bool hasLine = false, hasIcon = false, hasQuads = false, hasInk = false, hasVertices = false;
    guarded(ctx, [&] {
        pdfType = pdf_annot_type(ctx, annot);
        rect = pdf_bound_annot(ctx, annot);
        if (pdfType == PDF_ANNOT_FREE_TEXT)
            pdf_annot_default_appearance(ctx, annot, &font, &fontSize, &colorCount, color);
        else
            pdf_annot_color(ctx, annot, &colorCount, color);
        if (pdf_annot_has_interior_color(ctx, annot))
            pdf_annot_interior_color(ctx, annot, &fillCount, fill);
        opacity = pdf_annot_opacity(ctx, annot);
        if (hasBorder(pdfType))
            border = pdf_annot_border(ctx, annot);
        contents = pdf_annot_contents(ctx, annot);
        author = pdf_annot_has_author(ctx, annot) ? pdf_annot_author(ctx, annot) : nullptr;
        modified = pdf_annot_modification_date(ctx, annot);
        hasLine = pdf_annot_has_line(ctx, annot);
        if (hasLine) {
            pdf_annot_line(ctx, annot, &a, &b);
            pdf_annot_line_ending_styles(ctx, annot, &start, &end);
        }
        hasIcon = pdf_annot_has_icon_name(ctx, annot);
        if (hasIcon)
            icon = pdf_annot_icon_name(ctx, annot);
        hasQuads = pdf_annot_has_quad_points(ctx, annot);
        hasInk = pdf_annot_has_ink_list(ctx, annot);
        hasVertices = pdf_annot_has_vertices(ctx, annot);
    });
    value.id = pdf_to_num(ctx, pdf_annot_obj(ctx, annot));
    value.type = fromPdf(pdfType);
    value.subtype = QString::fromUtf8(pdf_string_from_annot_type(ctx, pdfType));
    value.rect = QRectF(QPointF(rect.x0, rect.y0), QPointF(rect.x1, rect.y1));
    value.color = toColor(colorCount, color);
    value.fill = toColor(fillCount, fill);
    value.fontSize = fontSize;
    value.opacity = opacity;
    value.borderWidth = border;
    value.contents = QString::fromUtf8(contents);
    value.author = QString::fromUtf8(author);
    if (modified > 0)
        value.modified = QDateTime::fromSecsSinceEpoch(modified);
    if (hasLine) {
        value.line = QLineF(toQt(a), toQt(b));
        value.lineStart = static_cast<LineEnding>(start);
        value.lineEnd = static_cast<LineEnding>(end);
    }
    value.icon = QString::fromUtf8(icon);
    if (hasQuads) {
        int count = 0;
        guarded(ctx, [&] { count = pdf_annot_quad_point_count(ctx, annot); });
        for (int i = 0; i < count; ++i) {
            fz_quad q{};
            guarded(ctx, [&] { q = pdf_annot_quad_point(ctx, annot, i); });
            value.quads.append(QPolygonF({toQt(q.ul), toQt(q.ur), toQt(q.lr), toQt(q.ll)}));
        }
    }
    if (hasInk) {
        int strokes = 0;
        guarded(ctx, [&] { strokes = pdf_annot_ink_list_count(ctx, annot); });
        for (int i = 0; i < strokes; ++i) {
            int count = 0;
            guarded(ctx, [&] { count = pdf_annot_ink_list_stroke_count(ctx, annot, i); });
            QPolygonF stroke;
            for (int k = 0; k < count; ++k) {
                fz_point p{};
                guarded(ctx, [&] { p = pdf_annot_ink_list_stroke_vertex(ctx, annot, i, k); });
                stroke.append(toQt(p));
            }
            value.strokes.append(stroke);
        }
    }
    if (hasVertices) {
        int count = 0;
        guarded(ctx, [&] { count = pdf_annot_vertex_count(ctx, annot); });
        for (int i = 0; i < count; ++i) {
            fz_point p{};
            guarded(ctx, [&] { p = pdf_annot_vertex(ctx, annot, i); });
            value.vertices.append(toQt(p));
        }
    }
    return value;
}

} // namespace

pdf_annot* findAnnot(fz_context* ctx, pdf_page* page, int id)
{
    pdf_annot* found = nullptr;
    guarded(ctx, [&] {
        for (pdf_annot* annot = pdf_first_annot(ctx, page); annot && !found; annot = pdf_next_annot(ctx, annot)) {
            if (pdf_to_num(ctx, pdf_annot_obj(ctx, annot)) == id)
                found = annot;
        }
    });
    if (!found)
        throw MuError(FZ_ERROR_GENERIC, "no such annotation on the page");
    return found;
}

PageHandle loadPage(fz_context* ctx, pdf_document* doc, int page)
{
    pdf_page* loaded = nullptr;
    guarded(ctx, [&] { loaded = pdf_load_page(ctx, doc, page); });
    return PageHandle(ctx, &loaded->super);
}

pdf_page* pdfPage(const PageHandle& page)
{
    return reinterpret_cast<pdf_page*>(page.get());
}

QList<Annotation> MuDocument::annotations(int page) const
{
    d->checkPage(page);
    fz_context* ctx = d->ctx();
    const PageHandle loaded = loadPage(ctx, d->pdf(), page);
    std::vector<pdf_annot*> annots;
    guarded(ctx, [&] {
        for (pdf_annot* annot = pdf_first_annot(ctx, pdfPage(loaded)); annot; annot = pdf_next_annot(ctx, annot))
            annots.push_back(annot);
    });
    QList<Annotation> list;
    for (pdf_annot* annot : annots)
        list.append(read(ctx, annot));
    return list;
}

int MuDocument::addAnnotation(int page, const Annotation& value)
{
    d->checkPage(page);
    const enum pdf_annot_type type = toPdf(value.type);
    if (type == PDF_ANNOT_UNKNOWN)
        throw MuError(FZ_ERROR_GENERIC, "this kind of annotation cannot be created");
    fz_context* ctx = d->ctx();
    const PageHandle loaded = loadPage(ctx, d->pdf(), page);
    const Settings settings(value);
    const QByteArray imageFile = type == PDF_ANNOT_STAMP ? value.imageFile.toUtf8() : QByteArray();
    fz_image* image = nullptr;
    if (!imageFile.isEmpty())
        guarded(ctx, [&] { image = fz_new_image_from_file(ctx, imageFile.constData()); });
    int id = 0;
    guarded(ctx, [&] {
        pdf_annot* annot = nullptr;
        fz_var(annot);
        fz_try(ctx)
        {
            annot = pdf_create_annot(ctx, pdfPage(loaded), type);
            pdf_set_annot_creation_date(ctx, annot, settings.date);
            apply(ctx, annot, value, settings);
            // A picture fits the rect as given; drawn first as a named stamp, the rect would
            // take that stamp's shape.
            if (image) {
                pdf_set_annot_stamp_image(ctx, annot, image);
                redraw(ctx, annot, true);
            } else {
                pdf_update_annot(ctx, annot);
            }
            id = pdf_to_num(ctx, pdf_annot_obj(ctx, annot));
        }
        fz_always(ctx)
        {
            pdf_drop_annot(ctx, annot);
            fz_drop_image(ctx, image);
        }
        fz_catch(ctx)
        {
            fz_rethrow(ctx);
        }
    });
    return id;
}

void MuDocument::changeAnnotation(int page, const Annotation& value)
{
    d->checkPage(page);
    fz_context* ctx = d->ctx();
    const PageHandle loaded = loadPage(ctx, d->pdf(), page);
    pdf_annot* annot = findAnnot(ctx, pdfPage(loaded), value.id);
    const Settings settings(value);
    guarded(ctx, [&] {
        const bool picture = isPictureStamp(ctx, annot);
        apply(ctx, annot, value, settings);
        redraw(ctx, annot, picture);
    });
}

void MuDocument::deleteAnnotation(int page, int id)
{
    d->checkPage(page);
    fz_context* ctx = d->ctx();
    const PageHandle loaded = loadPage(ctx, d->pdf(), page);
    pdf_annot* annot = findAnnot(ctx, pdfPage(loaded), id);
    guarded(ctx, [&] { pdf_delete_annot(ctx, pdfPage(loaded), annot); });
}

} // namespace pxv::mu
