#pragma once

#include "child.h"
#include "docs.h"
#include "table.h"

// The programs under test, built by this project.
struct Tools
{
    QString app; // vellumpad
    QString window; // bench_window, the minimal Qt window
    QString editor; // bench_editor
    QString mupdf; // bench_mupdf
    QString history; // bench_history
};

// The benchmark cases. Each runs ours and its baselines in turn, several times, and adds rows of
// medians. A run that fails throws std::runtime_error: a table with holes would mislead.
class Bench
{
public:
    Bench(const Tools& tools, const Documents& docs, const QString& workDir);

    void startUp(const QString& display);
    void peers(const QString& display);
    void firstPage();
    void scrolling();
    void memory();
    void editing();
    void editMemory();
    void combine();
    void pageWork();
    void extractOne();
    void thumbnails();
    void zooming();
    void recovery();
    void comments();
    void forms();
    void exportImages();
    void compress();
    void history();
    void watermarking();

    const QVector<Row>& rows() const { return m_rows; }
    // How the cases were set up: files, page counts, speeds.
    const QStringList& notes() const { return m_notes; }

private:
    // The environment of a program run on an X display with home as its fresh home folder.
    static QStringList homeEnvironment(const QString& home);
    double timeToPaint(const QString& program, const char* mark, const QString& display, bool withoutGl);
    ChildRun editorRun(const QStringList& arguments) const;
    // MuPDF alone drawing one page (from 1) once unmeasured, then timed ("page-ms").
    ChildRun mupdfPageRun(const QString& file, int page, double pixelsPerPoint, int rotation = 0) const;
    double editorPixelsPerPoint(const QString& file);
    int outlineEntries(const QString& file);
    QString describe(const QString& file) const;

    Tools m_tools;
    Documents m_docs;
    QString m_workDir;
    QVector<Row> m_rows;
    QStringList m_notes;
};

// Runs the child and throws std::runtime_error with its output when it fails.
ChildResult mustRun(const ChildRun& run);
