// Damage to a document's structure: page trees, page boxes and deeply nested objects.

#include "corpusfiles.h"
#include "damage.h"
#include "handmade.h"

#include "testpdfs.h"

namespace corpus {

namespace {

QByteArray withPageTree(const QByteArray& tree, const QList<QByteArray>& extra = {})
{
    OnePage page;
    page.pageTree = tree;
    page.extra = extra;
    return onePage(page);
}

QByteArray withMediaBox(const QByteArray& box, const QByteArray& pageEntries = QByteArray())
{
    OnePage page;
    page.mediaBox = box;
    page.pageEntries = pageEntries;
    return onePage(page);
}

QByteArray withPageEntries(const QByteArray& entries)
{
    OnePage page;
    page.pageEntries = entries;
    return onePage(page);
}

// A chain of `depth` intermediate page tree nodes from object 7 on, the last holding page 3.
QList<QByteArray> deepPageTree(int depth)
{
    QList<QByteArray> nodes;
    for (int i = 0; i < depth; ++i) {
        const int self = 7 + i;
        const QByteArray parent = QByteArray::number(i == 0 ? 2 : self - 1);
        const QByteArray kid = i == depth - 1 ? "3" : QByteArray::number(self + 1);
        nodes.append("<< /Type /Pages /Parent " + parent + " 0 R /Kids [" + kid + " 0 R] /Count 1 >>");
    }
    return nodes;
}

// Outline items from object 7 on, each the only child of the one before.
QByteArray deepOutline(int depth)
{
    OnePage page;
    page.catalogEntries = "/Outlines 7 0 R";
    page.extra.append("<< /Type /Outlines /First 8 0 R /Last 8 0 R /Count " + QByteArray::number(depth) + " >>");
    for (int i = 0; i < depth; ++i) {
        const int self = 8 + i;
        QByteArray item = "<< /Title (Level " + QByteArray::number(i + 1) + ") /Parent " + QByteArray::number(self - 1)
                          + " 0 R /Dest [3 0 R /Fit]";
        if (i < depth - 1)
            item += " /First " + QByteArray::number(self + 1) + " 0 R /Last " + QByteArray::number(self + 1) + " 0 R";
        page.extra.append(item + " >>");
    }
    return onePage(page);
}

// An outline entry and a link on the page, both leading to dest.
QByteArray withDestination(const QByteArray& dest)
{
    OnePage page;
    page.catalogEntries = "/Outlines 7 0 R";
    page.pageEntries = "/Annots [9 0 R]";
    page.extra = {"<< /Type /Outlines /First 8 0 R /Last 8 0 R /Count 1 >>",
                  "<< /Title (Somewhere) /Parent 7 0 R /Dest " + dest + " >>",
                  "<< /Type /Annot /Subtype /Link /Rect [72 72 300 300] /Dest " + dest + " >>"};
    return onePage(page);
}

QByteArray outlineCycle(const QByteArray& firstItemLinks)
{
    OnePage page;
    page.catalogEntries = "/Outlines 7 0 R";
    page.extra = {"<< /Type /Outlines /First 8 0 R /Last 9 0 R /Count 2 >>",
                  "<< /Title (First) /Parent 7 0 R /Dest [3 0 R /Fit] " + firstItemLinks + " >>",
                  "<< /Title (Second) /Parent 7 0 R /Prev 8 0 R /Next 8 0 R /Dest [3 0 R /Fit] >>"};
    return onePage(page);
}

} // namespace

QList<CorpusFile> pageTreeFiles()
{
    return {
        {"pagetree-contains-itself", testpdfs::cyclicPageTree()},
        {"pagetree-two-node-cycle", withPageTree("<< /Type /Pages /Kids [7 0 R] /Count 2 >>",
                                                 {"<< /Type /Pages /Parent 2 0 R /Kids [2 0 R 3 0 R] /Count 2 >>"})},
        {"pagetree-page-is-its-own-parent",
         testpdfs::build({"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                          "<< /Type /Page /Parent 3 0 R /Resources << >> >>"})},
        {"pagetree-kids-not-an-array", withPageTree("<< /Type /Pages /Kids 3 0 R /Count 1 >>")},
        {"pagetree-kids-missing-objects", withPageTree("<< /Type /Pages /Kids [3 0 R 90 0 R 91 0 R] /Count 3 >>")},
        {"pagetree-count-huge", withPageTree("<< /Type /Pages /Kids [3 0 R] /Count 2147483647 >>")},
        {"pagetree-count-negative", withPageTree("<< /Type /Pages /Kids [3 0 R] /Count -5 >>")},
        {"pagetree-count-huge-inner-node",
         withPageTree("<< /Type /Pages /Kids [7 0 R 3 0 R] /Count 1000000001 >>",
                      {"<< /Type /Pages /Parent 2 0 R /Kids [3 0 R] /Count 1000000000 >>"})},
        {"pagetree-same-page-many-times",
         withPageTree("<< /Type /Pages /Kids [" + QByteArray("3 0 R ").repeated(2000) + "] /Count 2000 >>")},
        {"pagetree-nested-5000-deep", withPageTree("<< /Type /Pages /Kids [7 0 R] /Count 1 >>", deepPageTree(5000))},
        {"catalog-without-pages", testpdfs::build({"<< /Type /Catalog >>"})},
        {"mediabox-huge", withMediaBox("[0 0 1000000000 1000000000]")},
        {"mediabox-beyond-float", withMediaBox("[0 0 1e40 1e40]")},
        {"mediabox-empty", withMediaBox("[0 0 0 0]")},
        {"mediabox-inverted", withMediaBox("[612 792 0 0]")},
        {"mediabox-thin-and-long", withMediaBox("[0 0 0.001 14400]")},
        {"mediabox-not-numbers", withMediaBox("[/a (b) null true]")},
        {"mediabox-too-short", withMediaBox("[0 0]")},
        {"userunit-huge", withMediaBox("[0 0 612 792]", "/UserUnit 1e30")},
        {"rotate-not-right-angle", withPageEntries("/Rotate 45")},
        {"rotate-huge", withPageEntries("/Rotate 2147483647")},
    };
}

QList<CorpusFile> nestingFiles()
{
    return {
        {"nested-arrays-10000-deep", withPageEntries("/Deep " + nested("[", "1", "]", 10000))},
        {"nested-dictionaries-10000-deep", withPageEntries("/Deep " + nested("<< /A ", "1", " >>", 10000))},
        {"nested-arrays-100000-deep-object",
         withPageTree("<< /Type /Pages /Kids [3 0 R] /Count 1 /Deep 7 0 R >>", {nested("[", "", "]", 100000)})},
        {"nested-arrays-unclosed", withPageEntries("/Deep " + QByteArray("[").repeated(20000))},
        {"outline-3000-deep", deepOutline(3000)},
        {"outline-next-is-itself", outlineCycle("/Next 8 0 R")},
        {"outline-child-is-its-parent", outlineCycle("/Next 9 0 R /First 7 0 R /Last 7 0 R /Count 1")},
        {"outline-count-huge",
         [] {
             OnePage page;
             page.catalogEntries = "/Outlines 7 0 R";
             page.extra = {"<< /Type /Outlines /First 8 0 R /Last 8 0 R /Count 2147483647 >>",
                           "<< /Title (Only) /Parent 7 0 R /Dest [3 0 R /Fit] /Count 2147483647 >>"};
             return onePage(page);
         }()},
        {"destination-page-number-beyond-end", withDestination("[99 /Fit]")},
        {"destination-page-number-negative", withDestination("[-5 /XYZ 0 0 0]")},
        {"destination-page-number-huge", withDestination("[2147483647 /FitH 1e40]")},
        {"destination-page-not-a-page", withDestination("[6 0 R /XYZ 1e40 -1e40 1e40]")},
        {"destination-empty", withDestination("[]")},
        {"destination-uri-action-without-uri",
         [] {
             OnePage page;
             page.pageEntries = "/Annots [7 0 R]";
             page.extra = {"<< /Type /Annot /Subtype /Link /Rect [72 72 300 300] /A << /S /URI /URI 42 >> >>"};
             return onePage(page);
         }()},
        {"names-tree-contains-itself",
         [] {
             OnePage page;
             page.catalogEntries = "/Names << /Dests 7 0 R >> /Outlines 8 0 R";
             page.extra = {"<< /Kids [7 0 R] /Limits [(a) (z)] >>",
                           "<< /Type /Outlines /First 9 0 R /Last 9 0 R /Count 1 >>",
                           "<< /Title (Named) /Parent 8 0 R /Dest (missing) >>"};
             return onePage(page);
         }()},
    };
}

} // namespace corpus
