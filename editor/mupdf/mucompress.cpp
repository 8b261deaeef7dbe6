// Making a document smaller: unused and duplicate objects dropped, streams compressed, and on
// request images downsampled and stored as JPEG.

#include "mudocument.h"
#include "mudocument_p.h"

#include <QBuffer>
#include <QImageWriter>

#include <cmath>

namespace pxv::mu {

namespace {

constexpr int kMaxObjectsToMerge = 12000;

using PixmapHandle = Handle<fz_pixmap, fz_drop_pixmap>;

// The image object's pixels as gray or RGB; null when it is not an image worth recompressing
// (masks, alpha, or too small to matter).
QImage imagePixels(fz_context* ctx, pdf_document* doc, pdf_obj* object)
{
    fz_pixmap* pixmap = nullptr;
    guarded(ctx, [&] {
        fz_image* image = nullptr;
        fz_pixmap* decoded = nullptr;
        fz_var(image);
        fz_var(decoded);
        fz_try(ctx)
        {
            if (!pdf_dict_get_bool(ctx, object, PDF_NAME(ImageMask)) && !pdf_dict_get(ctx, object, PDF_NAME(SMask))
                && !pdf_dict_get(ctx, object, PDF_NAME(Mask))
                && pdf_dict_get_int(ctx, object, PDF_NAME(BitsPerComponent)) == 8) {
                image = pdf_load_image(ctx, doc, object);
                if (image->w * image->h >= 64 * 64) {
                    decoded = fz_get_pixmap_from_image(ctx, image, nullptr, nullptr, nullptr, nullptr);
                    if (fz_pixmap_alpha(ctx, decoded) == 0) {
                        fz_colorspace* target = fz_pixmap_colorants(ctx, decoded) == 1 ? fz_device_gray(ctx)
                                                                                       : fz_device_rgb(ctx);
                        pixmap = fz_convert_pixmap(ctx, decoded, target, nullptr, nullptr, fz_default_color_params, 0);
                    }
                }
            }
        }
        fz_always(ctx)
        {
            fz_drop_pixmap(ctx, decoded);
            fz_drop_image(ctx, image);
        }
        fz_catch(ctx)
        {
            fz_rethrow(ctx);
        }
    });
    if (!pixmap)
        return QImage();
    const PixmapHandle owner(ctx, pixmap);
    const bool gray = fz_pixmap_components(ctx, pixmap) == 1;
    const QImage view(fz_pixmap_samples(ctx, pixmap), fz_pixmap_width(ctx, pixmap), fz_pixmap_height(ctx, pixmap),
                      int(fz_pixmap_stride(ctx, pixmap)), gray ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    return view.copy();
}

QByteArray jpegBytes(const QImage& image, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    return writer.write(image) ? bytes : QByteArray();
}

void replaceStream(fz_context* ctx, pdf_document* doc, pdf_obj* object, const QImage& image, const QByteArray& jpeg)
{
    guarded(ctx, [&] {
        fz_buffer* buffer = fz_new_buffer_from_copied_data(
            ctx, reinterpret_cast<const unsigned char*>(jpeg.constData()), size_t(jpeg.size()));
        fz_try(ctx)
        {
            pdf_update_stream(ctx, doc, object, buffer, 1);
            pdf_dict_put(ctx, object, PDF_NAME(Filter), PDF_NAME(DCTDecode));
            pdf_dict_del(ctx, object, PDF_NAME(DecodeParms));
            pdf_dict_del(ctx, object, PDF_NAME(Decode));
            pdf_dict_put_int(ctx, object, PDF_NAME(Width), image.width());
            pdf_dict_put_int(ctx, object, PDF_NAME(Height), image.height());
            pdf_dict_put_int(ctx, object, PDF_NAME(BitsPerComponent), 8);
            pdf_dict_put(ctx, object, PDF_NAME(ColorSpace),
                         image.format() == QImage::Format_Grayscale8 ? PDF_NAME(DeviceGray) : PDF_NAME(DeviceRGB));
        }
        fz_always(ctx)
        {
            fz_drop_buffer(ctx, buffer);
        }
        fz_catch(ctx)
        {
            fz_rethrow(ctx);
        }
    });
}

} // namespace

int MuDocument::recompressImages(int dpi, int quality, const std::function<bool()>& goOn)
{
    fz_context* ctx = d->ctx();
    pdf_document* doc = d->pdf();
    // Without following where each image is drawn, the largest page bounds what an image can
    // need: more pixels than that page's longer side at dpi are never shown.
    double longest = 0;
    for (int page = 0; page < pageCount(); ++page) {
        const QRectF bounds = pageBounds(page);
        longest = std::max({longest, bounds.width(), bounds.height()});
    }
    const int limit = std::max(16, int(std::ceil(longest / 72.0 * dpi)));
    int objects = 0;
    guarded(ctx, [&] { objects = pdf_xref_len(ctx, doc); });
    int rewritten = 0;
    for (int number = 1; number < objects; ++number) {
        if (goOn && !goOn())
            throw MuError(FZ_ERROR_ABORT, "cancelled");
        pdf_obj* object = nullptr;
        qint64 stored = 0;
        guarded(ctx, [&] {
            // A reference, not the loaded dictionary: only a reference knows it has a stream.
            if (pdf_obj_num_is_stream(ctx, doc, number)) {
                pdf_obj* candidate = pdf_new_indirect(ctx, doc, number, 0);
                if (pdf_name_eq(ctx, pdf_dict_get(ctx, candidate, PDF_NAME(Subtype)), PDF_NAME(Image))) {
                    object = candidate;
                    stored = pdf_dict_get_int(ctx, candidate, PDF_NAME(Length));
                } else {
                    pdf_drop_obj(ctx, candidate);
                }
            }
        });
        if (!object)
            continue;
        const ObjectHandle owner(ctx, object);
        QImage image;
        try {
            image = imagePixels(ctx, doc, object);
        } catch (const MuError&) {
            continue; // an image MuPDF cannot decode stays as it is
        }
        if (image.isNull())
            continue;
        if (std::max(image.width(), image.height()) > limit)
            image = image.scaled(image.size().scaled(limit, limit, Qt::KeepAspectRatio), Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
        const QByteArray jpeg = jpegBytes(image, quality);
        if (jpeg.isEmpty() || jpeg.size() >= stored)
            continue;
        replaceStream(ctx, doc, object, image, jpeg);
        ++rewritten;
    }
    return rewritten;
}

void MuDocument::saveCompacted(const QString& path)
{
    fz_context* ctx = d->ctx();
    pdf_write_options options = pdf_default_write_options;
    // Merging duplicates compares objects pairwise: seconds at ten thousand objects, minutes
    // at sixty thousand (the R reference manual), for about one per cent of the size. Larger
    // files only lose their unused objects.
    options.do_garbage = pdf_xref_len(ctx, d->pdf()) <= kMaxObjectsToMerge ? 4 : 2;
    options.do_compress = 1;
    options.do_compress_images = 1;
    options.do_compress_fonts = 1;
    options.do_clean = 1;
    writeFull(ctx, d->pdf(), path, options);
}

} // namespace pxv::mu
