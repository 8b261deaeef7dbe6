#include "popplerview.h"

#include <QProcess>

namespace testpdfs {

namespace {

QByteArray run(const QString& program, QStringList arguments, const QString& path, int page, const QString& password)
{
    arguments << "-f" << QString::number(page + 1) << "-l" << QString::number(page + 1);
    if (!password.isNull())
        arguments << "-upw" << password;
    QProcess process;
    arguments << path;
    if (program == QLatin1String("pdftotext")) // pdftoppm writes to its output without being told
        arguments << "-";
    process.start(program, arguments);
    process.waitForFinished(30000);
    return process.readAllStandardOutput();
}

} // namespace

QImage popplerPage(const QString& path, int page, const QString& password)
{
    return QImage::fromData(run("pdftoppm", {"-r", "72", "-cropbox", "-singlefile"}, path, page, password), "PPM");
}

QString popplerText(const QString& path, int page, const QString& password)
{
    return QString::fromUtf8(run("pdftotext", {}, path, page, password));
}

QRectF inkBounds(const QImage& image, bool (*isInk)(QRgb))
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isInk(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

} // namespace testpdfs
