#include "corpuschild.h"

#include "fakedialogs.h"
#include "testpdfs.h"

#include "pxveditor.h"
#include "qcontrolhost.h"
#include "core/document.h"
#include "core/pagerenderer.h"
#include "ui/cpxvcontrol.h"
#include "ui/cpxvdocument.h"
#include "ui/documentview.h"
#include "ui/nametable.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdio>

namespace corpus {

namespace {

constexpr double kRenderWidth = 100.0;

class Run
{
public:
    explicit Run(const QString& path) : m_path(path), m_fileName(QFileInfo(path).fileName()) {}
    int exec();

private:
    void note(const QString& text) { std::printf("%s\n", qPrintable(text)); }
    void fail(const QString& text)
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(m_fileName), qPrintable(text));
        ++m_failures;
    }
    QString sidecar(const char* suffix) const;
    // A message the user reads instead of a document: says which file and, in words, why.
    void checkMessage(const QString& what, const QString& message);
    void checkWords(const QString& what, const QString& message);
    void renderPages(pxv::Document* document);
    void readOutline(const QList<pxv::OutlineItem>& items, int pages, int* count);
    void readLinksAndText(pxv::Document* document);
    void browse(CPXVControl* control);
    void saveCopy(CPXVControl* control, pxv::Document* document);

    QString m_path;
    QString m_fileName;
    QTemporaryDir m_work;
    FakeDialogs* m_dialogs = nullptr;
    int m_failures = 0;
};

QString Run::sidecar(const char* suffix) const
{
    QFile file(m_path + QLatin1String(suffix));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
}

void Run::checkMessage(const QString& what, const QString& message)
{
    note(what + QStringLiteral(": ") + message);
    if (message.trimmed().isEmpty())
        fail(what + QStringLiteral(" with an empty message"));
    else if (!message.contains(m_fileName))
        fail(what + QStringLiteral(" with a message that does not name the file: ") + message);
    else
        checkWords(what, message);
}

void Run::checkWords(const QString& what, const QString& message)
{
    // A few words at least, and none of the names a programmer sees.
    static const QRegularExpression raw(QStringLiteral("FZ_ERROR|std::|bad_alloc|fz_|pdf_"));
    if (message.split(QLatin1Char(' '), Qt::SkipEmptyParts).size() < 5 || raw.match(message).hasMatch())
        fail(what + QStringLiteral(" with a message that explains nothing: ") + message);
}

int Run::exec()
{
    registerPXVEditor();
    QControlHost host;
    if (!host.setControl(QString::fromLatin1(kPXVEditorClassId))) {
        fail(QStringLiteral("the editor control cannot be created"));
        return 1;
    }
    auto* control = qobject_cast<CPXVControl*>(host.controlWidget());
    auto dialogs = std::make_unique<FakeDialogs>();
    m_dialogs = dialogs.get();
    control->setDialogProvider(std::move(dialogs));
    const QString password = sidecar(".password");
    const QString wrongPassword = sidecar(".wrong-password");
    if (!password.isEmpty())
        m_dialogs->passwordAnswers.enqueue(password);
    if (!wrongPassword.isEmpty())
        m_dialogs->passwordAnswers.enqueue(wrongPassword); // then the queue is empty: cancel
    host.resize(800, 600);
    host.show();

    try {
        host.queryInterface()->openPath(m_path);
    } catch (const PXV_Error& error) {
        checkMessage(QStringLiteral("refused"), error.message());
        if (!password.isEmpty())
            fail(QStringLiteral("refused although the password is known"));
        return m_failures ? 1 : 0;
    }
    if (!wrongPassword.isEmpty()) {
        if (m_dialogs->passwordAsks.size() != 2 || !m_dialogs->passwordAsks.last().retry)
            fail(QStringLiteral("a wrong password was not asked for again"));
    }
    pxv::DocumentView* view = control->activeView();
    if (!view) {
        note(QStringLiteral("password prompt cancelled"));
        if (m_dialogs->passwordAsks.isEmpty() || !password.isEmpty())
            fail(QStringLiteral("nothing was opened, yet no password prompt was cancelled"));
        return m_failures ? 1 : 0;
    }
    pxv::Document* document = view->document()->model();
    note(QStringLiteral("opened: %1 pages%2")
             .arg(document->pageCount())
             .arg(document->wasRepaired() ? ", repaired" : ""));
    if (document->needsPassword())
        fail(QStringLiteral("shown while still locked"));
    if (document->pageCount() < 1)
        fail(QStringLiteral("opened without a page to show"));
    renderPages(document);
    int outlineItems = 0;
    readOutline(document->outline(), document->pageCount(), &outlineItems);
    note(QStringLiteral("outline: %1 entries").arg(outlineItems));
    readLinksAndText(document);
    browse(control);
    saveCopy(control, document);
    return m_failures ? 1 : 0;
}

void Run::renderPages(pxv::Document* document)
{
    pxv::PageRenderer renderer(document);
    int rendered = 0;
    int failed = 0;
    int waitingFor = -1;
    QEventLoop loop;
    QObject::connect(&renderer, &pxv::PageRenderer::pageReady, &loop, [&](int page, double, const QImage& image) {
        if (page != waitingFor)
            return;
        ++rendered;
        if (image.isNull() || image.width() < 1 || image.width() > kRenderWidth + 1)
            fail(QStringLiteral("page %1 drawn %2 px wide").arg(page + 1).arg(image.width()));
        loop.quit();
    });
    QObject::connect(&renderer, &pxv::PageRenderer::pageFailed, &loop, [&](int page, const QString& message) {
        if (page != waitingFor)
            return;
        ++failed;
        if (message.trimmed().isEmpty())
            fail(QStringLiteral("page %1 failed without a message").arg(page + 1));
        loop.quit();
    });
    // One page at a time, each released before the next, so that memory stays that of one page
    // however many pages the file claims.
    for (int page = 0; page < document->pageCount(); ++page) {
        const QSizeF size = document->pageSize(page);
        waitingFor = page;
        renderer.request(page, size.width() > 0 ? kRenderWidth / size.width() : 1.0);
        loop.exec();
        renderer.cancelAll();
    }
    note(QStringLiteral("rendered: %1 pages, %2 failed").arg(rendered).arg(failed));
    if (!sidecar(".password").isEmpty() && (failed > 0 || rendered == 0))
        fail(QStringLiteral("the file with a known password did not render"));
}

void Run::readOutline(const QList<pxv::OutlineItem>& items, int pages, int* count)
{
    for (const pxv::OutlineItem& item : items) {
        ++*count;
        if (item.page >= pages)
            fail(QStringLiteral("outline entry \"%1\" leads to page %2 of %3")
                     .arg(item.title)
                     .arg(item.page + 1)
                     .arg(pages));
        readOutline(item.children, pages, count);
    }
}

void Run::readLinksAndText(pxv::Document* document)
{
    int links = 0;
    int hits = 0;
    for (int page = 0; page < document->pageCount(); ++page) {
        for (const pxv::PageLink& link : document->links(page)) {
            ++links;
            if (link.targetPage >= document->pageCount())
                fail(QStringLiteral("a link on page %1 leads to page %2").arg(page + 1).arg(link.targetPage + 1));
        }
        // What finding text does on every page: the text of damaged fonts and content read.
        for (const pxv::TextHit& hit : document->findText(page, QStringLiteral("page"))) {
            ++hits;
            if (hit.page != page || hit.areas.isEmpty())
                fail(QStringLiteral("a text hit on page %1 names page %2 and %3 areas")
                         .arg(page + 1)
                         .arg(hit.page + 1)
                         .arg(hit.areas.size()));
        }
    }
    note(QStringLiteral("links: %1, text hits: %2").arg(links).arg(hits));
}

void Run::browse(CPXVControl* control)
{
    // The view's layout at its extremes: pages as large as they go, the last page, a whole page.
    // Painting waits for the end, so that only the last of them is drawn.
    namespace names = pxv::names;
    for (const QString& command :
         {names::kActualSize, names::kZoomIn, names::kZoomIn, names::kZoomIn, names::kZoomIn, names::kZoomIn,
          names::kZoomIn, names::kZoomIn, names::kZoomIn, names::kLastPage, names::kFitPage, names::kFirstPage})
        control->runCommand(command);
    QCoreApplication::processEvents();
}

void Run::saveCopy(CPXVControl* control, pxv::Document* document)
{
    // An edit first, so that the copy is written by the editor rather than copied.
    control->runCommand(pxv::names::kRotateRight);
    const int errorsBefore = m_dialogs->errors.size();
    const QString copy = m_work.filePath(QStringLiteral("copy of ") + m_fileName);
    m_dialogs->saveAnswer = copy;
    control->runCommand(pxv::names::kSaveAs);
    for (int i = 0; i < m_dialogs->errors.size(); ++i) {
        // An edit is refused about the document on screen; a save names the file it could not write.
        if (i >= errorsBefore)
            checkMessage(QStringLiteral("save refused"), m_dialogs->errors.at(i));
        else {
            note(QStringLiteral("edit refused: ") + m_dialogs->errors.at(i));
            checkWords(QStringLiteral("edit refused"), m_dialogs->errors.at(i));
        }
    }
    if (m_dialogs->errors.size() > errorsBefore) {
        if (QFile::exists(copy))
            fail(QStringLiteral("a failed save left a file behind"));
        return;
    }
    if (!QFile::exists(copy)) {
        fail(QStringLiteral("save as reported nothing and wrote nothing"));
        return;
    }
    const QString password = sidecar(".password");
    try {
        auto reopened = pxv::Document::open(copy);
        if (reopened->needsPassword() && !reopened->authenticate(password))
            fail(QStringLiteral("the copy does not open with the file's password"));
        else if (reopened->pageCount() != document->pageCount())
            fail(QStringLiteral("the copy has %1 pages, not %2").arg(reopened->pageCount()).arg(document->pageCount()));
    } catch (const pxv::DocumentError& error) {
        fail(QStringLiteral("the copy does not open: ") + error.message());
    }
    const QString problems = testpdfs::qpdfProblems(copy, password);
    note(problems.isEmpty() ? QStringLiteral("copy saved; qpdf finds it sound")
                            : QStringLiteral("copy saved; qpdf: ") + problems.simplified().left(300));
}

} // namespace

int runCorpusFile(const QString& path)
{
    Run run(path);
    return run.exec();
}

} // namespace corpus
