// The compiled-in resource bundle: every image at its exact size, the multi-size icon, the style
// sheets' references and font-size forms, and how the sheets render the states the code relies on.
#include "scale.h"

#include <QDirIterator>
#include <QFile>
#include <QFrame>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

namespace {

const QStringList kSheets = {":/qss/main.css", ":/qss/home.css", ":/qss/item.css", ":/qss/float_ex.css"};

// Sizes the style-sheet loader rewrites for the display.
const QSet<int> kLadder = {26, 24, 22, 20, 18, 16, 15, 14, 13, 12};

QString readResource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

QString withoutComments(QString css)
{
    return css.remove(
        QRegularExpression(QStringLiteral("/\\*.*?\\*/"), QRegularExpression::DotMatchesEverythingOption));
}

struct Rule
{
    QStringList selectors;
    QString body;
};

QList<Rule> rules(const QString& path)
{
    QList<Rule> result;
    const QRegularExpression re(QStringLiteral("([^{}]+)\\{([^{}]*)\\}"));
    auto it = re.globalMatch(withoutComments(readResource(path)));
    while (it.hasNext()) {
        const auto m = it.next();
        Rule rule;
        for (const QString& s : m.captured(1).split(QLatin1Char(',')))
            rule.selectors << s.trimmed();
        rule.body = m.captured(2);
        result << rule;
    }
    return result;
}

// The body of the rule for exactly this selector; a null string when the sheet has none.
QString ruleFor(const QString& path, const QString& selector)
{
    for (const Rule& rule : rules(path)) {
        if (rule.selectors.contains(selector))
            return rule.body;
    }
    return QString();
}

QImage render(QWidget& w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void imageSizes_data();
    void imageSizes();
    void applicationIcon();
    void sheetsStartWithoutFocusOutline();
    void sheetUrlsMatchBundledImages();
    void fontSizeForms_data();
    void fontSizeForms();
    void loaderScalesAllButThePanel();
    void textRulesNameFamilyWithFallback();
    void selectorsOfEveryWindow_data();
    void selectorsOfEveryWindow();
    void panelButtonsPairImageAndPadding_data();
    void panelButtonsPairImageAndPadding();
    void maximiseButtonShowsRestoreWhileChecked();
    void hoveredTileGreysWholeFrame();
    void panelRowsAreBare();
};

void TestResources::imageSizes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    const auto add = [](const QStringList& names, QSize size) {
        for (const QString& n : names) {
            const QString path = QStringLiteral(":/Images/%1.png").arg(n);
            QTest::newRow(qPrintable(n)) << path << size;
        }
    };
    add({"title"}, QSize(34, 34));
    add({"btn.login", "btn.customer", "btn.menu"}, QSize(76, 29));
    add({"btn.min", "btn.min.hover", "btn.max", "btn.max.hover", "btn.full", "btn.full.hover", "btn.close",
         "btn.close.hover"},
        QSize(34, 34));
    add({"user.avatar"}, QSize(200, 200));
    add({"label.clear"}, QSize(78, 30));
    add({"label.merge", "label.create", "label.convert1", "label.compress"}, QSize(30, 30));
    add({"label.item"}, QSize(16, 19));
    add({"btn.remove"}, QSize(14, 14));
    add({"btn.to.cad", "btn.to.word", "btn.to.excel", "btn.to.image", "btn.to.ppt"}, QSize(138, 48));
    add({"label.to.cad", "label.to.word", "label.to.excel", "label.to.image", "label.to.ppt"}, QSize(48, 48));
}

void TestResources::imageSizes()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), size);
    // Drawn on transparency, so the images sit on any background.
    QVERIFY(image.hasAlphaChannel());

    // The double-size twin that style sheets pick on screens with a device pixel ratio of 2.
    const QString twin = path.left(path.size() - 4) + QStringLiteral("@2x.png");
    const QImage doubled(twin);
    QVERIFY2(!doubled.isNull(), qPrintable(twin));
    QCOMPARE(doubled.size(), size * 2);
}

void TestResources::applicationIcon()
{
    const QString path = QStringLiteral(":/res/resource.ico");
    QImageReader reader(path);
    QVERIFY2(reader.canRead(), qPrintable(reader.errorString()));
    QSet<int> sizes;
    for (int i = 0; i < reader.imageCount(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(image.width(), image.height());
        sizes.insert(image.width());
    }
    QCOMPARE(sizes, (QSet<int>{16, 24, 32, 48, 64, 128, 256}));

    const QIcon icon(path);
    QVERIFY(!icon.isNull());
    QVERIFY(icon.availableSizes().contains(QSize(48, 48)));
    QCOMPARE(icon.pixmap(QSize(32, 32)).size(), QSize(32, 32));
}

void TestResources::sheetsStartWithoutFocusOutline()
{
    for (const QString& sheet : kSheets) {
        const QList<Rule> all = rules(sheet);
        QVERIFY2(!all.isEmpty(), qPrintable(sheet));
        QCOMPARE(all.first().selectors, QStringList{QStringLiteral("*")});
        QCOMPARE(all.first().body.simplified().remove(QLatin1Char(' ')), QStringLiteral("outline:none;"));
    }
}

void TestResources::sheetUrlsMatchBundledImages()
{
    QSet<QString> referenced;
    const QRegularExpression url(QStringLiteral("url\\(([^)]*)\\)"));
    for (const QString& sheet : kSheets) {
        auto it = url.globalMatch(withoutComments(readResource(sheet)));
        while (it.hasNext()) {
            const QString target = it.next().captured(1).trimmed();
            QVERIFY2(target.startsWith(QLatin1String(":/")), qPrintable(sheet + ": " + target));
            QVERIFY2(QFile::exists(target), qPrintable(sheet + " refers to a missing " + target));
            referenced.insert(target);
        }
    }
    // Every bundled image is used by some sheet, so none is dead weight.
    QSet<QString> bundled;
    QDirIterator it(QStringLiteral(":/Images"));
    while (it.hasNext()) {
        const QString path = it.next();
        if (!path.endsWith(QLatin1String("@2x.png")))
            bundled.insert(path);
    }
    QCOMPARE(bundled.size(), 30);
    QCOMPARE(referenced, bundled);
}

void TestResources::fontSizeForms_data()
{
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<bool>("scalable");
    QTest::newRow("main") << ":/qss/main.css" << true;
    QTest::newRow("home") << ":/qss/home.css" << true;
    QTest::newRow("item") << ":/qss/item.css" << true;
    QTest::newRow("float_ex") << ":/qss/float_ex.css" << false;
}

void TestResources::fontSizeForms()
{
    QFETCH(QString, sheet);
    QFETCH(bool, scalable);
    const QString css = withoutComments(readResource(sheet));
    const QRegularExpression any(QStringLiteral("font-size\\s*:[^;}]*[;}]?"));
    const QRegularExpression form(scalable ? QStringLiteral("^font-size: (\\d+)px;$")
                                           : QStringLiteral("^font-size:(\\d+)px;$"));
    int count = 0;
    auto it = any.globalMatch(css);
    while (it.hasNext()) {
        const QString decl = it.next().captured(0);
        const auto m = form.match(decl);
        QVERIFY2(m.hasMatch(), qPrintable(sheet + ": " + decl));
        QVERIFY2(kLadder.contains(m.captured(1).toInt()), qPrintable(sheet + ": " + decl));
        ++count;
    }
    QVERIFY(count > 0);
}

void TestResources::loaderScalesAllButThePanel()
{
    const float before = scaleFactor();
    setScaleFactor(1.5f);
    const QRegularExpression unscaled(QStringLiteral("font-size: (12|13|14|15|16)px;"));
    for (const QString& sheet : kSheets) {
        const QString raw = readResource(sheet);
        const QString loaded = readStyleSheet(sheet);
        if (sheet.endsWith(QLatin1String("float_ex.css"))) {
            QCOMPARE(loaded, raw);
        } else {
            QVERIFY2(loaded != raw, qPrintable(sheet));
            QVERIFY2(!withoutComments(loaded).contains(unscaled), qPrintable(sheet));
        }
    }
    setScaleFactor(before);
}

void TestResources::textRulesNameFamilyWithFallback()
{
    const QRegularExpression family(
        QStringLiteral("font-family:\\s*\"Microsoft YaHei\"\\s*,\\s*\"WenQuanYi Micro Hei\"\\s*,\\s*sans-serif;"));
    for (const QString& sheet : kSheets) {
        for (const Rule& rule : rules(sheet)) {
            if (!rule.body.contains(QLatin1String("font-size")))
                continue;
            QVERIFY2(rule.body.contains(family), qPrintable(sheet + ": " + rule.selectors.join(", ")));
        }
    }
}

void TestResources::selectorsOfEveryWindow_data()
{
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QStringList>("selectors");
    QTest::newRow("main") << ":/qss/main.css"
                          << QStringList{"QFrame#frameMain",
                                         "QFrame#frameTitle",
                                         "QLabel#labelIco",
                                         "QLabel#labelTitle",
                                         "QPushButton#btnLogin",
                                         "QPushButton#btnCustomer",
                                         "QPushButton#btnMenu",
                                         "QPushButton#btnMin",
                                         "QPushButton#btnMin:hover",
                                         "QPushButton#btnMax",
                                         "QPushButton#btnMax:hover",
                                         "QPushButton#btnMax:checked",
                                         "QPushButton#btnMax:checked:hover",
                                         "QPushButton#btnClose",
                                         "QPushButton#btnClose:hover",
                                         "QMenu",
                                         "QMenu::item",
                                         "QMenu::item:hover",
                                         "QMenu::item:selected",
                                         "QMenu::item:pressed",
                                         "QLabel#labelNickname"};
    QTest::newRow("home") << ":/qss/home.css"
                          << QStringList{"QFrame#frameMain",
                                         "QFrame#frameRight",
                                         "QFrame#frameTitle",
                                         "QFrame#frameMerge",
                                         "QFrame#frameCreate",
                                         "QFrame#frameConvert",
                                         "QFrame#frameMerge:hover",
                                         "QFrame#frameCreate:hover",
                                         "QFrame#frameConvert:hover",
                                         "QFrame#frameCompress:hover",
                                         "QLabel#labelTitle",
                                         "QListWidget",
                                         "QScrollBar:vertical",
                                         "QPushButton#btnClear",
                                         "QPushButton#btnClear:hover",
                                         "QPushButton#btnOpenFile",
                                         "QPushButton#btnOpenFile:hover",
                                         "QLabel#labelAvatar",
                                         "QLabel#labelNickname",
                                         "QLabel#labelHomeImage4",
                                         "QLabel#labelHomeImage5",
                                         "QLabel#labelHomeImage6",
                                         "QLabel#labelHomeImage7",
                                         "QLabel#labelHomeTitle1",
                                         "QLabel#labelHomeTitle4",
                                         "QLabel#labelHomeText4",
                                         "QLabel#labelHomeText7",
                                         "QLabel#labelRecommand1",
                                         "QLabel#labelRecommand2"};
    QTest::newRow("item") << ":/qss/item.css"
                          << QStringList{"QFrame#frameMain", "QFrame#frameMain:hover", "QLabel#labelItemName",
                                         "QPushButton#btnRemove", "QLabel#labelItemIco"};
}

void TestResources::selectorsOfEveryWindow()
{
    QFETCH(QString, sheet);
    QFETCH(QStringList, selectors);
    for (const QString& selector : selectors)
        QVERIFY2(!ruleFor(sheet, selector).isNull(), qPrintable(sheet + " has no rule for " + selector));
}

void TestResources::panelButtonsPairImageAndPadding_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stem");
    QTest::addColumn<int>("padding");
    QTest::newRow("CAD") << "CAD"
                         << "cad" << 14;
    QTest::newRow("Word") << "Word"
                          << "word" << 20;
    QTest::newRow("Excel") << "Excel"
                           << "excel" << 18;
    QTest::newRow("Image") << "Image"
                           << "image" << 12;
    QTest::newRow("PPT") << "PPT"
                         << "ppt" << 10;
}

void TestResources::panelButtonsPairImageAndPadding()
{
    QFETCH(QString, name);
    QFETCH(QString, stem);
    QFETCH(int, padding);
    const QString sheet = QStringLiteral(":/qss/float_ex.css");
    const QString button = ruleFor(sheet, "QPushButton#btnTo" + name);
    QVERIFY(button.contains("border-image: url(:/Images/btn.to." + stem + ".png);"));
    QVERIFY(button.contains(QStringLiteral("padding-left: %1px;").arg(padding)));
    QVERIFY(button.contains(QLatin1String("color:white;")));
    const QString label = ruleFor(sheet, "QLabel#labelTo" + name);
    QVERIFY(label.contains("border-image: url(:/Images/label.to." + stem + ".png);"));
}

void TestResources::maximiseButtonShowsRestoreWhileChecked()
{
    const auto button = [](const QString& name, const QString& sheet) {
        auto* b = new QPushButton;
        b->setObjectName(name);
        b->setFixedSize(34, 34);
        b->setStyleSheet(sheet);
        return b;
    };
    QWidget window;
    window.setStyleSheet(readResource(":/qss/main.css"));
    QPushButton* max = button("btnMax", QString());
    max->setParent(&window);
    max->setCheckable(true);
    // References drawn by a plain rule with the image itself.
    QScopedPointer<QPushButton> full(button("ref", "QPushButton { border-image: url(:/Images/btn.full.png); }"));
    QScopedPointer<QPushButton> normal(button("ref", "QPushButton { border-image: url(:/Images/btn.max.png); }"));

    const QImage unchecked = render(*max);
    max->setChecked(true);
    const QImage checked = render(*max);
    QVERIFY(checked != unchecked);
    QCOMPARE(checked, render(*full));
    max->setChecked(false);
    QCOMPARE(render(*max), render(*normal));
}

void TestResources::hoveredTileGreysWholeFrame()
{
    QWidget page;
    page.setStyleSheet(readResource(":/qss/home.css"));
    auto* tile = new QFrame(&page);
    tile->setObjectName("frameMerge");
    tile->setGeometry(0, 0, 186, 120);
    auto* title = new QLabel(QStringLiteral("Merge"), tile);
    title->setObjectName("labelHomeTitle1");
    title->setGeometry(58, 30, 101, 30);
    auto* text = new QLabel(QStringLiteral("Combine files"), tile);
    text->setObjectName("labelHomeText4");
    text->setGeometry(20, 70, 145, 41);
    page.resize(186, 120);

    // A point inside the tile's interior and one inside a label, both away from any glyph.
    const QPoint open(100, 10);
    const QPoint inLabel(60, 32);
    const QColor grey(234, 234, 234);

    tile->setAttribute(Qt::WA_UnderMouse, true);
    const QImage hovered = render(page);
    QCOMPARE(QColor(hovered.pixel(open)), grey);
    QCOMPARE(QColor(hovered.pixel(inLabel)), grey);

    tile->setAttribute(Qt::WA_UnderMouse, false);
    const QImage idle = render(page);
    QVERIFY(QColor(idle.pixel(open)) != grey);
}

void TestResources::panelRowsAreBare()
{
    // The panel is translucent over the document: a row's frame must not draw a box.
    QWidget panel;
    panel.setAttribute(Qt::WA_TranslucentBackground);
    panel.setStyleSheet(readResource(":/qss/float_ex.css"));
    auto* row = new QFrame(&panel);
    row->setObjectName("frameToWord");
    row->setFrameShape(QFrame::StyledPanel);
    row->setFrameShadow(QFrame::Raised);
    row->setGeometry(0, 0, 134, 44);
    panel.resize(134, 44);

    QImage image(row->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    row->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            QVERIFY2(qAlpha(image.pixel(x, y)) == 0, qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
    }
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
