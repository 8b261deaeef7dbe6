#include "pdfobjects.h"

#include <QFile>

namespace testpdfs {

QByteArray build(const QList<QByteArray>& objects, int rootObject)
{
    QByteArray out = "%PDF-1.7\n%\xe2\xe3\xcf\xd3\n";
    QList<int> offsets;
    for (int i = 0; i < objects.size(); ++i) {
        offsets.append(out.size());
        out += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const int xref = out.size();
    out += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (int offset : offsets)
        out += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    out += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root " + QByteArray::number(rootObject)
           + " 0 R";
    for (int i = 0; i < objects.size(); ++i) {
        if (objects[i].startsWith("<< /Producer"))
            out += " /Info " + QByteArray::number(i + 1) + " 0 R";
    }
    out += " >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return out;
}

namespace {

QByteArray ref(int number)
{
    return QByteArray::number(number) + " 0 R";
}

QByteArray stream(const QByteArray& data)
{
    return "<< /Length " + QByteArray::number(data.size()) + " >>\nstream\n" + data + "\nendstream";
}

} // namespace

QByteArray sample(const Sample& options)
{
    // Fixed numbers: 1 catalog, 2 page tree, 3 font, then two objects per page (page, contents),
    // then the optional parts.
    QList<QByteArray> objects;
    auto add = [&objects](const QByteArray& body) {
        objects.append(body);
        return objects.size();
    };
    add(QByteArray()); // catalog, filled in last
    add(QByteArray()); // page tree, filled in last
    const int font = add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    QByteArray xobject;
    if (options.sharedFormBytes > 0) {
        QByteArray drawing;
        for (int n = 0; drawing.size() < options.sharedFormBytes; ++n)
            drawing += QByteArray::number(72 + (n * 7919) % 400) + " " + QByteArray::number(72 + (n * 104729) % 600)
                       + " 3 3 re f\n";
        const int form = add("<< /Type /XObject /Subtype /Form /BBox [0 0 612 792] /Length "
                             + QByteArray::number(drawing.size()) + " >>\nstream\n" + drawing + "\nendstream");
        xobject = " /XObject << /X1 " + ref(form) + " >>";
    }
    QList<int> pages;
    for (int i = 0; i < options.pages; ++i) {
        pages.append(add(QByteArray()));
        const int contents = add(stream("BT /F1 36 Tf 72 700 Td (Page " + QByteArray::number(i + 1) + ") Tj ET"
                                        + (xobject.isEmpty() ? QByteArray() : QByteArray(" /X1 Do"))));
        objects[pages.last() - 1] = "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents " + ref(contents)
                                    + " /Resources << /Font << /F1 " + ref(font) + " >>" + xobject + " >>"
                                    + (i == 1 ? " /Rotate 90" : "") + "@ANNOTS" + QByteArray::number(i) + "@ >>";
    }
    QList<QList<int>> annots;
    for (int i = 0; i < options.pages; ++i)
        annots.append(QList<int>());

    QByteArray catalogExtra;
    if (options.links || options.outline) {
        const int target = options.pages >= 3 ? pages[2] : pages.last();
        const int names = add("<< /Names [(sec21) [" + ref(target) + " /XYZ 0 792 0]] >>");
        catalogExtra += " /Names << /Dests " + ref(names) + " >>";
    }
    if (options.links) {
        annots[0].append(add("<< /Type /Annot /Subtype /Link /Rect [72 72 144 96] /Border [0 0 0] /A << /S /GoTo /D ["
                             + ref(pages.last()) + " /Fit] >> >>"));
        annots[0].append(add("<< /Type /Annot /Subtype /Link /Rect [72 120 144 144] /Border [0 0 0] /Dest (sec21) >>"));
        annots[0].append(add("<< /Type /Annot /Subtype /Link /Rect [72 168 144 192] /Border [0 0 0] /A << /S /URI "
                             "/URI (https://example.org/) >> >>"));
    }
    if (!options.fieldName.isEmpty()) {
        const int field = add("<< /Type /Annot /Subtype /Widget /FT /Tx /T (" + options.fieldName.toLatin1()
                              + ") /V (hello) /Rect [300 600 500 630] /P " + ref(pages[0])
                              + " /DA (/Helv 12 Tf 0 g) >>");
        annots[0].append(field);
        catalogExtra += " /AcroForm << /Fields [" + ref(field) + "] /DA (/Helv 12 Tf 0 g) >>";
    }
    if (options.outline && options.pages >= 3) {
        const int root = add(QByteArray());
        const int first = add(QByteArray());
        const int second = add(QByteArray());
        const int child = add(QByteArray());
        objects[root - 1] = "<< /Type /Outlines /First " + ref(first) + " /Last " + ref(second) + " /Count 3 >>";
        objects[first - 1] = "<< /Title (Chapter 1) /Parent " + ref(root) + " /Next " + ref(second) + " /Dest ["
                             + ref(pages[0]) + " /XYZ 0 792 0] >>";
        objects[second - 1] = "<< /Title (Chapter 2) /Parent " + ref(root) + " /Prev " + ref(first) + " /First "
                              + ref(child) + " /Last " + ref(child) + " /Count 1 /Dest [" + ref(pages[1]) + " /Fit] >>";
        objects[child - 1] = "<< /Title (Section 2.1) /Parent " + ref(second) + " /Dest (sec21) >>";
        catalogExtra += " /Outlines " + ref(root);
    }
    if (!options.title.isEmpty())
        add("<< /Producer (testpdf) /Title (" + options.title.toLatin1() + ") >>");

    for (int i = 0; i < options.pages; ++i) {
        QByteArray list;
        for (int annot : annots[i])
            list += ref(annot) + " ";
        const QByteArray marker = "@ANNOTS" + QByteArray::number(i) + "@";
        objects[pages[i] - 1].replace(marker, annots[i].isEmpty() ? QByteArray() : " /Annots [" + list.trimmed() + "]");
    }
    QByteArray kids;
    for (int page : pages)
        kids += ref(page) + " ";
    objects[1] = "<< /Type /Pages /Kids [" + kids.trimmed() + "] /Count " + QByteArray::number(options.pages) + " >>";
    objects[0] = "<< /Type /Catalog /Pages 2 0 R" + catalogExtra + " >>";
    return build(objects, 1);
}

QByteArray cyclicPageTree()
{
    return build({"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [2 0 R 3 0 R] /Count 2 >>",
                  "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] >>"},
                 1);
}

QByteArray largePageTree(const LargeTree& tree)
{
    // 1 catalog, 2 root, 3 and 4 the inner nodes, then the pages.
    QList<QByteArray> objects{"<< /Type /Catalog /Pages 2 0 R >>", QByteArray(), QByteArray(), QByteArray()};
    const auto addPages = [&objects](int count, const QSizeF& size, int parent) {
        QByteArray kids;
        const QByteArray page = "<< /Type /Page /Parent " + QByteArray::number(parent) + " 0 R /MediaBox [0 0 "
                                + QByteArray::number(size.width()) + " " + QByteArray::number(size.height()) + "] >>";
        for (int i = 0; i < count; ++i) {
            objects.append(page);
            kids += QByteArray::number(objects.size()) + " 0 R ";
        }
        return kids;
    };
    const QByteArray firstKids = addPages(tree.firstPages, tree.firstSize, 3);
    const QByteArray secondKids = addPages(tree.secondPages, tree.secondSize, 4);
    const int total = tree.firstPages + tree.secondPages;
    objects[1] = "<< /Type /Pages /Kids [3 0 R 4 0 R] /Count " + QByteArray::number(tree.damaged ? total - 50 : total)
                 + " >>";
    objects[2] = "<< /Type /Pages /Parent 2 0 R /Kids [" + firstKids + "] /Count "
                 + QByteArray::number(tree.damaged ? 1 : tree.firstPages) + " >>";
    objects[3] = "<< /Type /Pages /Parent 2 0 R /Kids [" + secondKids + (tree.damaged ? "2 0 R" : "") + "] /Count "
                 + QByteArray::number(tree.secondPages) + " >>";
    return build(objects);
}

QByteArray longDocument(int pages)
{
    // 1 catalog, 2 page tree, 3 font, then page and contents for each page.
    QList<QByteArray> objects{"<< /Type /Catalog /Pages 2 0 R >>", QByteArray(),
                              "<< /Type /Font /Subtype /Type1 /BaseFont /Times-Roman >>"};
    QByteArray kids;
    for (int i = 0; i < pages; ++i) {
        const int page = objects.size() + 1;
        kids += ref(page) + " ";
        objects.append("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 3 0 R >> >> "
                       "/Contents "
                       + ref(page + 1) + " >>");
        QByteArray content = "BT /F1 11 Tf 14 TL 72 770 Td";
        for (int line = 0; line < 40; ++line)
            content += " (Page " + QByteArray::number(i + 1) + ", line " + QByteArray::number(line + 1)
                       + ": the quick brown fox jumps over the lazy dog.) '";
        objects.append(stream(content + " ET"));
    }
    objects[1] = "<< /Type /Pages /Count " + QByteArray::number(pages) + " /Kids [" + kids.trimmed() + "] >>";
    return build(objects);
}

QString writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

QString writeObjects(const QString& path, const QList<QByteArray>& objects)
{
    return writeBytes(path, build(objects));
}

QString writeWithLinks(const QString& path, const QString& uri)
{
    return writeObjects(
        path,
        {
            "<< /Type /Catalog /Pages 2 0 R >>",
            "<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 2 >>",
            "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Annots [5 0 R 6 0 R] >>",
            "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] >>",
            "<< /Type /Annot /Subtype /Link /Rect [100 600 300 700] /Border [0 0 0] /Dest [4 0 R /XYZ 0 792 0] >>",
            "<< /Type /Annot /Subtype /Link /Rect [100 400 300 500] /Border [0 0 0] /A << /S /URI /URI ("
                + uri.toLatin1() + ") >> >>",
        });
}

} // namespace testpdfs
