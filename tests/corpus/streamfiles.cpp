// Damage inside streams: lengths, filters, content, images and fonts.

#include "corpusfiles.h"
#include "damage.h"
#include "handmade.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

namespace corpus {

namespace {

QByteArray withContents(const QByteArray& contents)
{
    OnePage page;
    page.contents = contents;
    return onePage(page);
}

// A page drawing object 7 as /X1 over most of the page.
QByteArray withXObject(const QByteArray& xobject, const QList<QByteArray>& more = {})
{
    OnePage page;
    page.contents = "q 400 0 0 400 100 300 cm /X1 Do Q BT /F1 24 Tf 72 72 Td (Image) Tj ET";
    page.extra = QList<QByteArray>{xobject} + more;
    return onePage(page);
}

QByteArray withFont(const QByteArray& font, const QList<QByteArray>& more = {})
{
    OnePage page;
    page.font = font;
    page.extra = more;
    return onePage(page);
}

QByteArray randomBytes(int size, quint32 seed)
{
    return scramble(QByteArray(size, '\0'), 0, size, seed);
}

// 16 × 16 RGB samples, a colour ramp.
QByteArray rgbSamples()
{
    QByteArray samples;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x)
            samples.append(char(x * 16)).append(char(y * 16)).append(char(128));
    }
    return samples;
}

QByteArray jpeg()
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(8, 8, 48, 48, Qt::darkCyan);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPEG", 80))
        qFatal("Qt cannot write JPEG here");
    return bytes;
}

QByteArray image(const QByteArray& data, const QByteArray& entries)
{
    return stream(data, "/Type /XObject /Subtype /Image " + entries);
}

const QByteArray kRgb16 = "/Width 16 /Height 16 /ColorSpace /DeviceRGB /BitsPerComponent 8";

QByteArray fontWithFile(const QByteArray& subtype, const QByteArray& fileKey, const QByteArray& fileEntries)
{
    return withFont("<< /Type /Font /Subtype " + subtype
                        + " /BaseFont /Broken /FirstChar 32 /LastChar 126 "
                          "/Widths ["
                        + QByteArray("500 ").repeated(95) + "] /FontDescriptor 7 0 R >>",
                    {"<< /Type /FontDescriptor /FontName /Broken /Flags 32 /FontBBox [0 0 1000 1000] /ItalicAngle 0 "
                     "/Ascent 800 /Descent -200 /CapHeight 700 /StemV 80 "
                         + fileKey + " 8 0 R >>",
                     stream(randomBytes(3000, 11), fileEntries)});
}

} // namespace

QList<CorpusFile> streamFiles()
{
    const QByteArray good = withContents("BT /F1 24 Tf 72 700 Td (Some text on the page) Tj ET");
    const QByteArray length = "/Length "
                              + QByteArray::number(
                                  QByteArray("BT /F1 24 Tf 72 700 Td (Some text on the page) Tj ET").size());
    return {
        {"stream-length-too-long", replaceShifting(good, length, "/Length 99999")},
        {"stream-length-too-short", replaceShifting(good, length, "/Length 5")},
        {"stream-length-negative", replaceShifting(good, length, "/Length -40")},
        {"stream-length-missing-object", replaceShifting(good, length, "/Length 99 0 R")},
        {"stream-endstream-missing", replaceShifting(good, "\nendstream", "\n")},
        {"stream-unknown-filter", replaceShifting(good, length, length + " /Filter /Frobnicate")},
        {"stream-bad-flate-data", replaceShifting(good, length, length + " /Filter /FlateDecode")},
        {"stream-filter-chain-1000",
         replaceShifting(good, length, length + " /Filter [" + QByteArray("/AHx ").repeated(1000) + "]")},
        {"stream-decode-parms-absurd",
         replaceShifting(good, length,
                         length
                             + " /Filter /FlateDecode /DecodeParms << /Predictor 15 /Colors 100000 /Columns 2147483647 "
                               "/BitsPerComponent 16 >>")},
        {"content-10000-nested-saves", withContents(QByteArray("q ").repeated(10000) + "0 0 1 rg 72 72 200 200 re f")},
        {"content-100000-unclosed-arrays", withContents(QByteArray("[").repeated(100000))},
        {"content-unknown-operators", withContents(randomBytes(4000, 12).replace('(', 'x').replace(')', 'x'))},
        {"content-huge-numbers",
         withContents("1e38 0 0 1e38 -1e38 -1e38 cm 0 0 1e38 1e38 re f 99999999999 w 0 0 m 1e30 1e30 l S")},
        {"content-form-draws-itself",
         withXObject(
             stream("/X1 Do 0 0 1 rg 0 0 1 1 re f",
                    "/Type /XObject /Subtype /Form /BBox [0 0 1 1] /Resources << /XObject << /X1 7 0 R >> >>"))},
        {"image-huge-dimensions",
         withXObject(image(rgbSamples(), "/Width 100000 /Height 100000 /ColorSpace /DeviceRGB /BitsPerComponent 8"))},
        {"image-dimensions-overflow",
         withXObject(
             image(rgbSamples(), "/Width 2147483647 /Height 2147483647 /ColorSpace /DeviceRGB /BitsPerComponent 16"))},
        {"image-samples-missing", withXObject(image(rgbSamples().left(100), kRgb16))},
        {"image-bits-per-component-7",
         withXObject(image(rgbSamples(), "/Width 16 /Height 16 /ColorSpace /DeviceRGB /BitsPerComponent 7"))},
        {"image-bad-flate", withXObject(image(randomBytes(600, 13), kRgb16 + " /Filter /FlateDecode"))},
        {"image-bad-jpeg", withXObject(image(randomBytes(600, 14), kRgb16 + " /Filter /DCTDecode"))},
        {"image-jpeg-truncated",
         withXObject(image(cut(jpeg(), jpeg().size() / 2),
                           "/Width 64 /Height 64 /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /DCTDecode"))},
        {"image-jpeg-size-lies",
         withXObject(image(
             jpeg(), "/Width 60000 /Height 60000 /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /DCTDecode"))},
        {"image-bad-jpeg2000", withXObject(image(randomBytes(600, 15), kRgb16 + " /Filter /JPXDecode"))},
        {"image-bad-jbig2",
         withXObject(image(randomBytes(600, 16),
                           "/Width 16 /Height 16 /BitsPerComponent 1 /ImageMask true /Filter /JBIG2Decode"))},
        {"image-bad-ccitt",
         withXObject(image(randomBytes(600, 17), "/Width 640 /Height 480 /BitsPerComponent 1 /ColorSpace /DeviceGray "
                                                 "/Filter /CCITTFaxDecode /DecodeParms << /K -1 /Columns 640 >>"))},
        {"image-colorspace-contains-itself",
         withXObject(image(QByteArray(256, '\x01'), "/Width 16 /Height 16 /BitsPerComponent 8 /ColorSpace 8 0 R"),
                     {"[/Indexed 8 0 R 255 <00>]"})},
        {"image-soft-mask-is-itself", withXObject(image(rgbSamples(), kRgb16 + " /SMask 7 0 R"))},
        {"font-truetype-program-random", fontWithFile("/TrueType", "/FontFile2", "")},
        {"font-type1-program-random", fontWithFile("/Type1", "/FontFile", "/Length1 1000 /Length2 2000 /Length3 0")},
        {"font-cff-program-random", fontWithFile("/Type1", "/FontFile3", "/Subtype /Type1C")},
        {"font-type3-glyph-uses-itself",
         withFont("<< /Type /Font /Subtype /Type3 /FontBBox [0 0 1000 1000] /FontMatrix [0.001 0 0 0.001 0 0] "
                  "/CharProcs << /a 7 0 R >> /Encoding << /Differences [32 /a 79 /a] >> /FirstChar 32 /LastChar 126 "
                  "/Widths ["
                      + QByteArray("1000 ").repeated(95) + "] /Resources << /Font << /F1 6 0 R >> >> >>",
                  {stream("1000 0 d0 BT /F1 1 Tf (aO) Tj ET 0 0 500 500 re f")})},
        {"font-type0-descendant-is-itself",
         withFont(
             "<< /Type /Font /Subtype /Type0 /BaseFont /Broken /Encoding /Identity-H /DescendantFonts [6 0 R] >>")},
        {"font-type0-bad-cmap",
         withFont("<< /Type /Font /Subtype /Type0 /BaseFont /Broken /Encoding 7 0 R /DescendantFonts [8 0 R] >>",
                  {stream(randomBytes(800, 18), "/Type /CMap /CMapName /Broken /UseCMap 7 0 R"),
                   "<< /Type /Font /Subtype /CIDFontType2 /BaseFont /Broken /CIDSystemInfo << /Registry (Adobe) "
                   "/Ordering (Identity) /Supplement 0 >> /W [0 ["
                       + QByteArray("500 ").repeated(50) + "] 0 99999999 500] >>"})},
    };
}

} // namespace corpus
