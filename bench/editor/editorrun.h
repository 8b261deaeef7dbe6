#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <vector>

class QControlHost;
namespace pxv {
class Document;
class PageView;
} // namespace pxv

// The real editor component in a 1000 x 800 window, driven as the application drives it.
class EditorRun
{
public:
    EditorRun();
    ~EditorRun();

    // Empty when the last step went through, else what went wrong.
    QString error() const { return m_error; }

    // openPath, then waits until the first page is painted. Returns the milliseconds from the call
    // to that paint, or -1.
    double open(const QString& path);
    // Device pixels per PDF point of the painted pages (fit to width), after open().
    double pixelsPerPoint() const { return m_pixelsPerPoint; }
    // How long the openPath call itself held the GUI thread, after open().
    double openCallMs() const { return m_openCallMs; }
    int pageCount() const;

    struct Scroll
    {
        double seconds = 0;
        int painted = 0; // different pages painted with their image at full resolution
        double longestStallMs = 0; // the longest the GUI thread went without serving its events
        qint64 rssAfterKib = 0; // with the renderer idle again
    };
    // Scrolls from the first page to the last one page at a time, each step as soon as the page
    // brought to the top is painted at full resolution: as fast as the view can show every page.
    // Then waits for the renderer to go idle.
    Scroll scroll();

    // "op.combineDocs" on paths, then saves the result to output. Returns the page count, or -1.
    int combine(const QStringList& paths, const QString& output);

    struct Rotation
    {
        std::vector<double> ms; // each rotation, from the call to the page's repaint
        double uprightPixelsPerPoint = 0; // the scale the page was painted at, as it was
        double turnedPixelsPerPoint = 0; // and a quarter turn from that
    };
    // Goes to page (from 0) and waits until it is painted, then rotates it times times through
    // "op.document.rotatePages", 90 and 270 degrees in turn, each time until the page is painted
    // with its new image at full resolution; the renderer goes idle before each rotation.
    Rotation rotatePage(int page, int times);

    struct Repaints
    {
        std::vector<double> ms; // each edit, from the call to the page's repaint
        std::vector<double> callMs; // of that, the call itself
        double pixelsPerPoint = 0; // the scale the page was painted at
    };
    // Goes to page (from 0) and waits until it is painted, then makes times edits of it (edit(i)
    // false: failed, with error()), each time until the page is painted with its new image at
    // full resolution; the renderer goes idle before each one.
    Repaints repaintAfterEdits(int page, int times, const std::function<bool(int)>& edit);
    // Types a new value into the first text field of page (from 0), as one step; false (with
    // error()) when it has none or the value is refused.
    bool fillField(int page, int index);
    // Adds a rectangle with a comment to page (from 0) through "op.document.addAnnot", placed by
    // index; its object number, or an invalid value (with error()).
    QVariant addAnnotation(int page, int index = 0);

    struct History
    {
        double undoMs = 0; // per step
        double redoMs = 0;
    };
    // Rotates the pages from page on in turn, steps steps, then times steps "cmd.undo" and then
    // steps "cmd.redo", each command followed by one pass of the event loop: what the GUI thread
    // does for a step, not the workers' drawing of the pages it changed.
    History undoRedo(int page, int steps);

    struct Memory
    {
        qint64 openedKib = 0; // RSS once open, painted, laid out and its outline read, renderer idle
        qint64 editedKib = 0; // after the edits, renderer idle again
        // Of those, the renderer's page images (its bounded cache and the pages on screen).
        qint64 openedImagesKib = 0;
        qint64 editedImagesKib = 0;
    };
    // After open(): rotation steps on pages spread over the whole document.
    Memory editAcross(int steps);

    // Runs an operation of the instance on the active document with the given parameters; false
    // (with error()) when it throws.
    bool runOperation(const QString& name, const QVariantMap& parameters);

    struct Thumbnails
    {
        int rows = 0; // pages in the pane
        int steps = 0; // scroll steps, each a screenful
        double seconds = 0;
        double longestStallMs = 0;
    };
    // After open(): shows the thumbnails pane and scrolls it from the first page to the last a
    // screenful at a time, each step once the thumbnails it brought up are drawn.
    Thumbnails scrollThumbnails();

    struct Zoom
    {
        int steps = 0;
        double seconds = 0;
        double longestStallMs = 0;
        double pixelsPerPoint = 0; // at the end
        qint64 rssAfterKib = 0; // with the renderer idle at the end
    };
    // After open(): zooms in steps times as the zoom-in command does, each step once the
    // renderer has drawn everything the view asked for at the new scale.
    Zoom zoomIn(int steps);

    struct RecoveryWrite
    {
        double guiMs = 0; // making the record on the GUI thread
        double offGuiMs = 0; // then finishing and writing it on the store's thread
        double longestStallMs = 0; // from the edit shown to the record on disk
        double idleStallMs = 0; // over a second of doing nothing just before the edit
        qint64 bytes = 0;
    };
    // After open(): keeps unsaved changes in folder, rotates the first page and waits until its
    // recovery record is on disk. withoutFile: the same for a new document without a file made
    // of the open one's pages, whose record holds the whole document.
    RecoveryWrite writeRecoveryRecord(const QString& folder, bool withoutFile);

private:
    // Runs "op.document.rotatePages" through the instance; false (with error()) when it throws.
    bool rotate(int page, int degrees);
    // What undo and redo act on: the active document's model.
    pxv::Document* model() const;
    bool waitForIdleRenderer();
    // After open(): waits for what opening does after the first paint, and an idle renderer.
    bool waitUntilSettled();

    std::unique_ptr<QControlHost> m_host;
    pxv::PageView* m_view = nullptr;
    double m_pixelsPerPoint = 0;
    double m_openCallMs = 0;
    QString m_error;
};
