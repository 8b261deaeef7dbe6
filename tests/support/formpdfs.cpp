#include "formpdfs.h"

#include "pdfobjects.h"

#include <QHash>

namespace testpdfs {

namespace {

QByteArray ref(int number)
{
    return QByteArray::number(number) + " 0 R";
}

QByteArray stream(const QByteArray& data)
{
    return "<< /Length " + QByteArray::number(data.size()) + " >>\nstream\n" + data + "\nendstream";
}

const QStringList kFirstPageOrder = {"name",   "agree", "notes",   "color", "code",
                                     "secret", "fruit", "colours", "total", "sign"};

} // namespace

QStringList formOrder(int pages)
{
    QStringList order = kFirstPageOrder;
    if (pages >= 2)
        order.append("second");
    for (int page = 3; page <= pages; ++page)
        order.append(QStringLiteral("p%1").arg(page));
    return order;
}

QByteArray formSample(const FormSample& options)
{
    QList<QByteArray> objects;
    auto add = [&objects](const QByteArray& body) {
        objects.append(body);
        return int(objects.size());
    };
    add(QByteArray()); // catalog
    add(QByteArray()); // page tree
    const int font = add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
    const int blank = add("<< /Type /XObject /Subtype /Form /BBox [0 0 18 18] /Length 0 >>\nstream\n\nendstream");
    const int mark = add(
        "<< /Type /XObject /Subtype /Form /BBox [0 0 18 18] /Length 18 >>\nstream\n0 g 4 4 10 10 re f\nendstream");
    QList<int> pages;
    for (int i = 0; i < std::max(options.pages, 1); ++i) {
        pages.append(add(QByteArray()));
        const int contents = add(stream("BT /F1 10 Tf 72 760 Td (Form page " + QByteArray::number(i + 1) + ") Tj ET"));
        objects[pages.last() - 1] = "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents " + ref(contents)
                                    + " /Resources << /Font << /F1 " + ref(font) + " >> >>"
                                    + (i == 1 ? " /Rotate 90" : "") + " @ANNOTS@ >>";
    }
    QHash<QString, int> fields;
    QList<QList<int>> annots;
    for (int i = 0; i < pages.size(); ++i)
        annots.append(QList<int>());
    const QByteArray common = " /Type /Annot /Subtype /Widget /F 4 /DA (/Helv 12 Tf 0 g)";
    auto widget = [&](int page, const QString& name, const QByteArray& rect, const QByteArray& rest) {
        const int number = add("<< /T (" + name.toLatin1() + ") /Rect [" + rect + "] /P " + ref(pages[page]) + common
                               + " /MK << /BG [1 1 1] /BC [0 0 0] >> " + rest + " >>");
        fields.insert(name, number);
        annots[page].prepend(number); // the page lists them backwards
        return number;
    };
    const QByteArray calculate = options.scripts
                                     ? " /AA << /C << /S /JavaScript /JS (event.value = "
                                       "this.getField\\('name'\\).value + this.getField\\('name'\\).value;) >> >>"
                                     : QByteArray();
    const QByteArray keystroke = options.scripts
                                     ? " /AA << /K << /S /JavaScript /JS (app.launchURL\\('http://127.0.0.1:9/x', "
                                       "true\\); this.submitForm\\('http://127.0.0.1:9/s'\\);) >> >>"
                                     : QByteArray();
    widget(0, "name", "72 700 300 724", "/FT /Tx /V (Ann) /DV (Ann) /TU (Your name)" + keystroke);
    widget(0, "notes", "72 560 300 660", "/FT /Tx /Ff 4096");
    widget(0, "code", "320 700 440 724", "/FT /Tx /Ff 16777216 /MaxLen 6");
    widget(0, "secret", "320 660 440 684", "/FT /Tx /Ff 8192");
    widget(0, "total", "320 620 440 644", "/FT /Tx" + calculate);
    const QByteArray box = "/AP << /N << /Yes " + ref(mark) + " /Off " + ref(blank) + " >> >>";
    widget(0, "agree", "72 520 90 538", "/FT /Btn /AS /Off /V /Off " + box);
    const int color = add(QByteArray());
    QByteArray kids;
    for (const QByteArray& state : {QByteArray("Red"), QByteArray("Green")}) {
        const int kid = add("<<" + common + " /Parent " + ref(color) + " /Rect ["
                            + (state == "Red" ? "72 480 90 498" : "110 480 128 498") + "] /P " + ref(pages[0])
                            + " /AS /Off /MK << /BG [1 1 1] >> /AP << /N << /" + state + " " + ref(mark) + " /Off "
                            + ref(blank) + " >> >> >>");
        annots[0].prepend(kid);
        kids += ref(kid) + " ";
    }
    objects[color - 1] = "<< /FT /Btn /Ff 49152 /T (color) /V /Off /Kids [" + kids.trimmed() + "] >>";
    fields.insert("color", color);
    widget(0, "fruit", "320 520 440 544",
           "/FT /Ch /Ff 393216 /Opt [(Apple) (Banana) (Cherry)] /V (Banana) /DV (Banana)");
    widget(0, "colours", "320 420 440 500", "/FT /Ch /Ff 2097152 /Opt [[(r) (Red)] [(g) (Green)] [(b) (Blue)]]");
    widget(0, "sign", "72 380 250 420", "/FT /Sig");
    if (pages.size() >= 2)
        widget(1, "second", "72 600 300 624", "/FT /Tx");
    for (int page = 2; page < pages.size(); ++page)
        widget(page, QStringLiteral("p%1").arg(page + 1), "72 600 300 624", "/FT /Tx");

    QByteArray list;
    for (const QString& name : formOrder(int(pages.size())))
        list += ref(fields.value(name)) + " ";
    QByteArray order;
    if (options.scripts)
        order = " /CO [" + ref(fields.value("total")) + "]";
    const int form = add("<< /Fields [" + list.trimmed() + "] /DA (/Helv 12 Tf 0 g) /DR << /Font << /Helv " + ref(font)
                         + " >> >>" + order + " >>");
    QByteArray kidList;
    for (int i = 0; i < pages.size(); ++i) {
        QByteArray refs;
        for (int annot : annots[i])
            refs += ref(annot) + " ";
        objects[pages[i] - 1].replace("@ANNOTS@",
                                      annots[i].isEmpty() ? QByteArray() : "/Annots [" + refs.trimmed() + "]");
        kidList += ref(pages[i]) + " ";
    }
    objects[1] = "<< /Type /Pages /Kids [" + kidList.trimmed() + "] /Count " + QByteArray::number(pages.size()) + " >>";
    objects[0] = "<< /Type /Catalog /Pages 2 0 R /AcroForm " + ref(form) + " >>";
    return build(objects, 1);
}

} // namespace testpdfs
