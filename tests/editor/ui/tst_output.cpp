// Writing documents out in other forms through operations by name, as a host or script does.

#include "hostedcontrol.h"
#include "testpdfs.h"

#include "core/document.h"
#include "ui/cpxvdocument.h"
#include "ui/cpxvinst.h"
#include "ui/documentview.h"
#include "ui/thumbnailpane.h"

#include <QImageReader>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

class TestOutput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void exportImagesAsEdited();
    void exportRefusesBadValuesAndCancels();
    void convertFormats();
    void compressKeepsLooksAndNeverGrows();
    void convertAndCompressFromTheMenus();
    void printToPdfFile();
    void imagesToDocument();
    void textToDocument();
    void textInAChosenFont();

private:
    pxv::Document* model() const { return m_hosted.widget->activeView()->document()->model(); }
    QVariant run(const QString& name, const QVariantMap& parameters);
    // Runs an operation that makes a document and saves that document to path.
    void runAndSave(const QString& name, const QVariantMap& parameters, const QString& path);
    QString folder(const QString& name) const;

    QTemporaryDir m_dir;
    HostedControl m_hosted;
};

// Share of pixels that are not white: what makes an image more than a blank page.
double inkShare(const QImage& image)
{
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    qint64 ink = 0;
    for (int y = 0; y < gray.height(); ++y) {
        const uchar* line = gray.constScanLine(y);
        for (int x = 0; x < gray.width(); ++x)
            ink += line[x] < 128;
    }
    return double(ink) / (qint64(gray.width()) * gray.height());
}

void TestOutput::initTestCase()
{
    QVERIFY(m_dir.isValid());
    registerPXVEditor();
}

void TestOutput::init()
{
    QVERIFY(m_hosted.create());
    const QString path = testpdfs::write(m_dir.filePath(QTest::currentTestFunction() + QStringLiteral(".pdf")), 3);
    m_hosted.control->openPath(path, 0);
    QVERIFY(m_hosted.widget->activeView());
}

void TestOutput::cleanup()
{
    m_hosted.destroy();
}

QVariant TestOutput::run(const QString& name, const QVariantMap& parameters)
{
    return m_hosted.run(name, parameters);
}

void TestOutput::runAndSave(const QString& name, const QVariantMap& parameters, const QString& path)
{
    const std::shared_ptr<IUnknown> made = m_hosted.runOperation(name, parameters)->params()->child("Output")->object();
    QVERIFY(made);
    IPXV_Inst* inst = m_hosted.control->inst();
    const std::shared_ptr<IPXV_Operation> save = inst->createOperation(inst->nameToId("op.document.save", true));
    save->params()->child("Input")->setObject(made);
    save->params()->child("Path")->setValue(path);
    inst->runOperation(save.get(), 0);
    QCOMPARE(testpdfs::qpdfProblems(path), QString());
}

// What poppler reads of a PDF's text.
QString popplerText(const QString& path)
{
    QProcess process;
    process.start("pdftotext", {"-enc", "UTF-8", path, "-"});
    process.waitForFinished(-1);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString TestOutput::folder(const QString& name) const
{
    QDir(m_dir.path()).mkpath(name);
    return m_dir.filePath(name);
}

void TestOutput::exportImagesAsEdited()
{
    run("op.document.rotatePages", {{"Pages", "1"}, {"Angle", 90}});
    const QSizeF turned = model()->pageSize(0);
    const QSizeF upright = model()->pageSize(2);
    QVERIFY(turned.width() > turned.height()); // the unsaved edit is what gets exported

    QImage drawnAt150;
    // 300 dpi makes pages too large for one go: they are drawn and written in bands.
    for (const int dpi : {72, 150, 300}) {
        const QString png = folder(QStringLiteral("png%1").arg(dpi));
        const QStringList files =
            run("op.document.exportToImages", {{"Pages", "1,3"}, {"Resolution", dpi}, {"Path", png}}).toStringList();
        QCOMPARE(QDir(png).entryList(QDir::Files).size(), 2);
        QCOMPARE(files.size(), 2);
        const QSizeF sizes[] = {turned, upright};
        for (int i = 0; i < 2; ++i) {
            const QImage image(files[i]);
            QVERIFY2(!image.isNull(), qPrintable(files[i]));
            const QSizeF expected = sizes[i] * dpi / 72.0;
            QVERIFY2(qAbs(image.width() - expected.width()) <= 1 && qAbs(image.height() - expected.height()) <= 1,
                     qPrintable(QStringLiteral("%1x%2").arg(image.width()).arg(image.height())));
            QVERIFY(inkShare(image) > 0.001);
            QCOMPARE(qRound(image.dotsPerMeterX() * 0.0254), dpi);
            // A page that is mostly paper packs into far less than a byte a pixel.
            QVERIFY2(QFileInfo(files[i]).size() < qint64(image.width()) * image.height() / 4,
                     qPrintable(QString::number(QFileInfo(files[i]).size())));
        }
        if (dpi == 150)
            drawnAt150 = QImage(files[0]);
        if (dpi == 300) {
            // Every band in its place: halved, the page shows what it shows drawn whole.
            const QImage halved = QImage(files[0]).scaled(drawnAt150.size(), Qt::IgnoreAspectRatio,
                                                          Qt::SmoothTransformation);
            QVERIFY(qAbs(inkShare(halved) - inkShare(drawnAt150)) < 0.2 * inkShare(drawnAt150));
            const QImage a = halved.convertToFormat(QImage::Format_Grayscale8);
            const QImage b = drawnAt150.convertToFormat(QImage::Format_Grayscale8);
            qint64 differing = 0;
            for (int y = 0; y < a.height(); ++y) {
                for (int x = 0; x < a.width(); ++x)
                    differing += qAbs(a.constScanLine(y)[x] - b.constScanLine(y)[x]) > 96;
            }
            QVERIFY2(differing < qint64(a.width()) * a.height() / 200, qPrintable(QString::number(differing)));
        }
    }

    const QString jpeg = folder("jpeg");
    const QStringList small = run("op.document.exportToImages", {{"Format", "jpeg"},
                                                                 {"Quality", 10},
                                                                 {"Pages", "2"},
                                                                 {"Path", jpeg},
                                                                 {"Pattern", "low {n}.jpg"}})
                                  .toStringList();
    const QStringList large = run("op.document.exportToImages", {{"Format", "jpeg"},
                                                                 {"Quality", 95},
                                                                 {"Pages", "2"},
                                                                 {"Path", jpeg},
                                                                 {"Pattern", "high {n}.jpg"}})
                                  .toStringList();
    QCOMPARE(QFileInfo(small.value(0)).fileName(), QStringLiteral("low 2.jpg"));
    QCOMPARE(QImageReader(small.value(0)).format(), QByteArray("jpeg"));
    QVERIFY(QFileInfo(small.value(0)).size() < QFileInfo(large.value(0)).size());
}

void TestOutput::exportRefusesBadValuesAndCancels()
{
    const QString target = folder("refused");
    const QList<QVariantMap> bad = {{{"Format", "gif"}, {"Path", target}},
                                    {{"Quality", 0}, {"Path", target}},
                                    {{"Resolution", "many"}, {"Path", target}},
                                    {{"Pattern", "same.png"}, {"Path", target}},
                                    {{"Path", m_dir.filePath("missing")}}};
    for (const QVariantMap& parameters : bad) {
        try {
            run("op.document.exportToImages", parameters);
            QFAIL("a bad value was taken");
        } catch (const PXV_Error& error) {
            QCOMPARE(error.code(), PXV_Error::InvalidArgument);
        }
    }
    QVERIFY(QDir(target).isEmpty());

    auto* inst = dynamic_cast<CPXVInst*>(m_hosted.control->inst());
    QSet<int> told; // a page that takes long is told again
    const pxv::SplitProgress stopAtSecond = [&](int index, int, const QString&) {
        told.insert(index);
        return index < 1;
    };
    try {
        inst->runOperation("op.document.exportToImages", nullptr, {{"Path", target}}, stopAtSecond);
        QFAIL("the export went on after Cancel");
    } catch (const PXV_Error& error) {
        QCOMPARE(error.code(), PXV_Error::Cancelled);
    }
    QCOMPARE(told, QSet<int>({0, 1}));
    QVERIFY(QDir(target).isEmpty()); // the page written before Cancel is gone again
}

// The words of one XML member of a zip file (read with unzip), markup and tabs taken out.
QString zipWords(const QString& zip, const QString& member)
{
    QProcess process;
    process.start("unzip", {"-p", zip, member});
    process.waitForFinished(-1);
    QString xml = QString::fromUtf8(process.readAllStandardOutput());
    return xml.replace(QRegularExpression("<[^>]*>|&#x9;"), " ").simplified();
}

void TestOutput::convertFormats()
{
    const QString target = folder("convert");
    for (const QString format : {"docx", "odt", "txt", "html", "svg", "png", "jpeg"}) {
        const QString path = QDir(target).filePath("second." + format);
        const QStringList files = run("op.document.convert", {{"Format", format}, {"Pages", "2"}, {"Path", path}})
                                      .toStringList();
        QCOMPARE(files, QStringList{path});
        QVERIFY2(QFileInfo(path).size() > 0, qPrintable(format));
    }
    const QString word = zipWords(QDir(target).filePath("second.docx"), "word/document.xml");
    QVERIFY2(word.contains("Page 2"), qPrintable(word));
    const QString odt = zipWords(QDir(target).filePath("second.odt"), "content.xml");
    QVERIFY2(odt.contains("Page 2"), qPrintable(odt));
    QFile text(QDir(target).filePath("second.txt"));
    QVERIFY(text.open(QIODevice::ReadOnly));
    QCOMPARE(text.readAll().trimmed(), QByteArray("Page 2"));
    QFile svg(QDir(target).filePath("second.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QVERIFY(svg.readAll().contains("<svg"));
    QCOMPARE(QImageReader(QDir(target).filePath("second.jpeg")).format(), QByteArray("jpeg"));

    // A folder: one file per page; one-page formats need a folder for several pages.
    const QStringList pages = run("op.document.convert", {{"Format", "svg"}, {"Path", target}}).toStringList();
    QCOMPARE(pages.size(), 3);
    for (const QString& page : pages)
        QVERIFY(QFileInfo(page).size() > 0);
    try {
        run("op.document.convert", {{"Format", "png"}, {"Path", QDir(target).filePath("all.png")}});
        QFAIL("three pages went into one image");
    } catch (const PXV_Error& error) {
        QCOMPARE(error.code(), PXV_Error::InvalidArgument);
    }
}

// Page 1 of a PDF as poppler draws it at 72 dpi.
QImage popplerPage(const QString& pdf)
{
    const QString prefix = pdf + QStringLiteral(".render");
    QProcess::execute("pdftoppm", {"-r", "72", "-f", "1", "-l", "1", "-png", "-singlefile", pdf, prefix});
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// Mean difference of two images of one size per channel, 0 to 255; -1 when the sizes differ.
double meanDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull())
        return -1;
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
        }
    }
    return double(sum) / (3.0 * a.width() * a.height());
}

void TestOutput::compressKeepsLooksAndNeverGrows()
{
    // A photo-like image far finer than a screen needs, and a line of text.
    QImage photo(1600, 1200, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb((x * 255) / photo.width(), (y * 255) / photo.height(), ((x ^ y) & 0x3f) + 96));
    }
    const QString source = m_dir.filePath("photo.pdf");
    {
        QPdfWriter writer(source);
        writer.setPageSize(QPageSize(QPageSize::A4));
        QPainter painter(&writer);
        painter.drawImage(QRect(0, 0, writer.width(), writer.width() * 3 / 4), photo);
        painter.setFont(QFont("DejaVu Sans", 24));
        painter.drawText(QPoint(200, writer.height() - 400), "Compressed but the same");
    }
    m_hosted.control->openPath(source, 0);
    const QImage original = popplerPage(source);

    const QList<QVariantMap> levels = {{{"Level", "lossless"}},
                                       {{"Level", "lossy"}, {"Resolution", 72}, {"Quality", 60}}};
    qint64 lossless = 0;
    for (QVariantMap parameters : levels) {
        const QString path = m_dir.filePath(parameters.value("Level").toString() + ".pdf");
        parameters.insert("Path", path);
        const QVariantMap sizes = run("op.document.compress", parameters).toMap();
        QCOMPARE(testpdfs::qpdfProblems(path), QString());
        QCOMPARE(sizes.value("Before").toLongLong(), QFileInfo(source).size());
        QCOMPARE(sizes.value("After").toLongLong(), QFileInfo(path).size());
        QVERIFY(QFileInfo(path).size() <= QFileInfo(source).size());
        // The source has no object streams: the last pass packed the small objects.
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readAll().contains("/ObjStm"));
        const double difference = meanDifference(original, popplerPage(path));
        QVERIFY2(difference >= 0 && difference < 6, qPrintable(QString::number(difference)));
        if (parameters.value("Level") == "lossless")
            lossless = QFileInfo(path).size();
        else
            QVERIFY2(QFileInfo(path).size() < lossless,
                     qPrintable(QStringLiteral("%1 vs %2").arg(QFileInfo(path).size()).arg(lossless)));
    }
    try {
        run("op.document.compress", {{"Path", source}});
        QFAIL("the document's own file was taken");
    } catch (const PXV_Error& error) {
        QCOMPARE(error.code(), PXV_Error::InvalidArgument);
    }
}

void TestOutput::convertAndCompressFromTheMenus()
{
    const QString opened = m_hosted.widget->activeView()->document()->model()->filePath();
    // From the home page the document is asked for first, and the format comes chosen.
    m_hosted.control->inst()->runCommand("cmd.close", 0);
    QVERIFY(!m_hosted.widget->activeView());
    m_hosted.dialogs->openAnswer = QStringList{opened};
    const QString word = m_dir.filePath("menu.docx");
    m_hosted.dialogs->convertAnswer = {{"Format", "docx"}, {"Pages", "1-2"}, {"Path", word}};
    m_hosted.control->inst()->runCommand("cmd.convertToWord", 0);
    QVERIFY(m_hosted.widget->activeView());
    m_hosted.control->inst()->runCommand("cmd.convertToDrawing", 0);
    QCOMPARE(m_hosted.dialogs->convertFormatsAsked, QStringList({"docx", "svg"}));
    QVERIFY(QFileInfo(word).size() > 0);

    const QString smaller = m_dir.filePath("menu-small.pdf");
    m_hosted.dialogs->compressAnswer = {{"Path", smaller}, {"Level", "lossless"}};
    m_hosted.control->inst()->runCommand("cmd.compress", 0);
    QCOMPARE(m_hosted.dialogs->errors, QStringList());
    QCOMPARE(m_hosted.dialogs->informations.size(), 1);
    QVERIFY(m_hosted.dialogs->informations.first().contains("menu-small.pdf"));
    QCOMPARE(testpdfs::qpdfProblems(smaller), QString());
}

// Whether each page of a PDF is wider than high, in order.
QList<bool> landscapes(const QString& path)
{
    QList<bool> wide;
    auto pdf = pxv::Document::open(path);
    for (int page = 0; page < pdf->pageCount(); ++page)
        wide.append(pdf->pageSize(page).width() > pdf->pageSize(page).height());
    return wide;
}

void TestOutput::printToPdfFile()
{
    // Page 3 turned on its side: its sheet turns with it, and the order asked is kept.
    run("op.document.rotatePages", {{"Pages", "3"}, {"Angle", 90}});
    const QString printed = m_dir.filePath("printed.pdf");
    run("op.document.printPages", {{"Pages", "3,1"}, {"Path", printed}});
    QCOMPARE(testpdfs::qpdfProblems(printed), QString());
    QCOMPARE(landscapes(printed), QList<bool>({true, false}));
    QVERIFY(inkShare(popplerPage(printed)) > 0.001);
    // File → Print: the range chosen in the print dialog, the thumbnails' selection among them.
    const QString fromMenu = m_dir.filePath("menu-printed.pdf");
    m_hosted.dialogs->printAnswer = fromMenu;
    m_hosted.control->inst()->runCommand("cmd.print", 0);
    QCOMPARE(m_hosted.dialogs->errors, QStringList());
    QCOMPARE(landscapes(fromMenu), QList<bool>({false, false, true}));
    m_hosted.widget->runCommand("cmd.showThumbnails");
    QListView* pane = m_hosted.widget->activeView()->thumbnailPane();
    pane->selectionModel()->select(pane->model()->index(2, 0), QItemSelectionModel::ClearAndSelect);
    pane->selectionModel()->select(pane->model()->index(1, 0), QItemSelectionModel::Select);
    m_hosted.dialogs->printRange = QPrinter::Selection;
    m_hosted.control->inst()->runCommand("cmd.print", 0);
    QCOMPARE(landscapes(fromMenu), QList<bool>({false, true}));
    try {
        run("op.document.printPages", {{"Path", printed}, {"Fit", "maybe"}});
        QFAIL("a bad Fit was taken");
    } catch (const PXV_Error& error) {
        QCOMPARE(error.code(), PXV_Error::InvalidArgument);
    }
}

void TestOutput::imagesToDocument()
{
    // 300 x 150 pixels at 150 dpi: 144 x 72 points.
    QImage photo(300, 150, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    photo.setDotsPerMeterX(qRound(150 / 0.0254));
    photo.setDotsPerMeterY(qRound(150 / 0.0254));
    const QString jpeg = m_dir.filePath("photo.jpg");
    QVERIFY(photo.save(jpeg, "JPEG", 80));
    QImage drawing(200, 400, QImage::Format_ARGB32);
    drawing.fill(Qt::transparent);
    drawing.setDotsPerMeterX(qRound(72 / 0.0254));
    drawing.setDotsPerMeterY(qRound(72 / 0.0254));
    const QString png = m_dir.filePath("drawing.png");
    const QString tiff = m_dir.filePath("drawing.tif");
    QVERIFY(drawing.save(png));
    // Qt reads and writes TIFF only with an extra plugin; ImageMagick is there for the tests.
    QCOMPARE(QProcess::execute("convert", {png, tiff}), 0);

    const QString own = m_dir.filePath("images.pdf");
    runAndSave("op.imagesToDoc", {{"Input", QStringList{jpeg, png, tiff}}}, own);
    QFile jpegFile(jpeg);
    QFile pdfFile(own);
    QVERIFY(jpegFile.open(QIODevice::ReadOnly) && pdfFile.open(QIODevice::ReadOnly));
    QVERIFY(pdfFile.readAll().contains(jpegFile.readAll())); // embedded as it was
    auto images = pxv::Document::open(own);
    QCOMPARE(images->pageCount(), 3);
    QCOMPARE(images->pageSize(0), QSizeF(144, 72));
    QCOMPARE(images->pageSize(1), QSizeF(200, 400));
    QCOMPARE(images->pageSize(2), QSizeF(200, 400));

    const QString onPaper = m_dir.filePath("paper.pdf");
    runAndSave("op.imagesToDoc", {{"Input", QStringList{jpeg}}, {"Size", "Letter"}}, onPaper);
    QCOMPARE(pxv::Document::open(onPaper)->pageSize(0), QSizeF(612, 792));

    // File → New from Images: the files in the order chosen, fitted to the paper chosen.
    m_hosted.dialogs->imagesAnswer = {{"Input", QStringList{png, jpeg}}, {"Size", "A4"}};
    m_hosted.control->inst()->runCommand("cmd.newFromImages", 0);
    QCOMPARE(model()->pageCount(), 2);
    QCOMPARE(model()->pageSize(1).toSize(), QSize(595, 842));
    QVERIFY(model()->filePath().isNull());

    try {
        run("op.imagesToDoc", {{"Input", QStringList{m_dir.filePath("none.png")}}});
        QFAIL("a missing image was taken");
    } catch (const PXV_Error& error) {
        QVERIFY(error.message().contains("none.png"));
    }
}

void TestOutput::textToDocument()
{
    const QString text = m_dir.filePath("notes.txt");
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("First page in English\n中文文本测试\fSecond page\n").toUtf8());
    file.close();
    const QString pdf = m_dir.filePath("notes.pdf");
    runAndSave("op.textToDoc", {{"Input", text}, {"FontSize", 12}}, pdf);
    QCOMPARE(pxv::Document::open(pdf)->pageCount(), 2);
    const QString read = popplerText(pdf);
    QVERIFY2(read.contains(QStringLiteral("中文文本测试")), qPrintable(read));
    const QStringList pages = read.split('\f');
    QVERIFY2(pages.size() >= 2 && pages[1].contains("Second page") && !pages[0].contains("Second"), qPrintable(read));

    // From the File menu the new document comes up in a tab of its own, without a file.
    m_hosted.dialogs->textAnswer = text;
    m_hosted.control->inst()->runCommand("cmd.newFromText", 0);
    QVERIFY(model()->filePath().isNull());
    QCOMPARE(model()->pageCount(), 2);
    QVERIFY(model()->isModified());
}

// What poppler says of a PDF's fonts, one line each: name, type, encoding, emb, sub, uni, object.
QStringList popplerFonts(const QString& path)
{
    QProcess process;
    process.start("pdffonts", {path});
    process.waitForFinished(-1);
    return QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts).mid(2);
}

// Whether poppler finds the family's font embedded: its name begins with the family's (a
// subset's after a tag), spaces aside, and its "emb" column says yes.
bool embedsFamily(const QStringList& fonts, const QString& family)
{
    const QRegularExpression embedded("^(\\w{6}\\+)?" + QString(family).remove(' ') + ".*yes(yes|no)(yes|no)\\d+$",
                                      QRegularExpression::CaseInsensitiveOption);
    return std::any_of(fonts.cbegin(), fonts.cend(),
                       [&](const QString& line) { return embedded.match(QString(line).remove(' ')).hasMatch(); });
}

void TestOutput::textInAChosenFont()
{
    const QString text = m_dir.filePath("letter.txt");
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("Dear reader,\n中文文本测试\fOn the second page\n").toUtf8());
    file.close();
    for (const QString family : {"DejaVu Serif", "WenQuanYi Micro Hei Mono"}) {
        const QString pdf = m_dir.filePath(family + ".pdf");
        runAndSave("op.textToDoc", {{"Input", text}, {"Font", family}}, pdf);
        const QStringList fonts = popplerFonts(pdf);
        QVERIFY2(embedsFamily(fonts, family), qPrintable(fonts.join('\n')));
        const QString read = popplerText(pdf);
        QVERIFY2(read.contains("Dear reader") && read.contains(QStringLiteral("中文文本测试")), qPrintable(read));
        QVERIFY2(read.split('\f').value(1).contains("second page"), qPrintable(read));
    }
    // Without "Font", the monospaced font of before: none of the chosen ones.
    const QString plain = m_dir.filePath("plain.pdf");
    runAndSave("op.textToDoc", {{"Input", text}}, plain);
    QVERIFY(!embedsFamily(popplerFonts(plain), "DejaVu Serif"));

    for (const QString bad : {"No Such Family", ""}) {
        try {
            run("op.textToDoc", {{"Input", text}, {"Font", bad}});
            QFAIL("a bad font was taken");
        } catch (const PXV_Error& error) {
            QCOMPARE(error.code(), PXV_Error::InvalidArgument);
            QVERIFY2(error.message().contains("Font"), qPrintable(error.message()));
        }
    }

    // From the File menu: the file, then its layout; Cancel on the layout makes nothing.
    const int tabs = m_hosted.widget->documentCount();
    m_hosted.dialogs->textAnswer = text;
    m_hosted.dialogs->textLayoutAnswer.reset();
    m_hosted.control->inst()->runCommand("cmd.newFromText", 0);
    QCOMPARE(m_hosted.widget->documentCount(), tabs);
    m_hosted.dialogs->textLayoutAnswer = QVariantMap{{"Font", "DejaVu Serif"}, {"Size", "Letter"}, {"FontSize", 14}};
    m_hosted.control->inst()->runCommand("cmd.newFromText", 0);
    QCOMPARE(m_hosted.dialogs->textLayoutAsks, QStringList({text, text}));
    QCOMPARE(m_hosted.widget->documentCount(), tabs + 1);
    QCOMPARE(model()->pageSize(0), QSizeF(612, 792));
}

QTEST_MAIN(TestOutput)
#include "tst_output.moc"
