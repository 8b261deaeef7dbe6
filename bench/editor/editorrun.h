#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QControlHost;
namespace pxv {
class PageView;
}

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
        int painted = 0;        // different pages painted with their image at full resolution
        double longestStallMs = 0; // the longest the GUI thread went without serving its events
        qint64 rssAfterKib = 0; // with the renderer idle again
    };
    // Scrolls from the first page to the last one page at a time, each step as soon as the page
    // brought to the top is painted at full resolution: as fast as the view can show every page.
    // Then waits for the renderer to go idle.
    Scroll scroll();

    // "op.combineDocs" on paths, then saves the result to output. Returns the page count, or -1.
    int combine(const QStringList& paths, const QString& output);

private:
    std::unique_ptr<QControlHost> m_host;
    pxv::PageView* m_view = nullptr;
    double m_pixelsPerPoint = 0;
    double m_openCallMs = 0;
    QString m_error;
};
