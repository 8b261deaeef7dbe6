#include "mudocument_p.h"

#include <QFile>

#include <cstdio>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>

// Appending one PDF to another. MuPDF's own page grafting leaves annotations behind, so pages
// are copied here with a graft of our own that knows which source page becomes which new page:
// links and form widgets then point at the new pages, and nothing drags the source's page tree
// along.

namespace pxv::mu {

namespace {

// Source object number -> target object number. The functions below run inside fz_try: their
// locals are plain values and pointers only.
using NumberMap = std::unordered_map<int, int>;

struct Graft
{
    fz_context* ctx;
    pdf_document* src;
    pdf_document* dst;
    NumberMap* copied;
    NumberMap* pages;
    size_t* weight; // grows with what the copies hold in memory
};

// What a copied object holds in memory besides its stream: a dictionary, the numbers and names
// in it, the allocator's share.
constexpr size_t kObjectWeight = 1024;

pdf_obj* copyObject(Graft& g, pdf_obj* obj);

bool isPageObject(fz_context* ctx, pdf_obj* obj)
{
    pdf_obj* type = pdf_dict_get(ctx, obj, PDF_NAME(Type));
    return pdf_name_eq(ctx, type, PDF_NAME(Page)) || pdf_name_eq(ctx, type, PDF_NAME(Pages));
}

// Named destinations become explicit ones: the target has no name tree of its own.
pdf_obj* explicitDestination(Graft& g, pdf_obj* dest)
{
    if (!pdf_is_name(g.ctx, dest) && !pdf_is_string(g.ctx, dest))
        return dest;
    pdf_obj* found = pdf_lookup_dest(g.ctx, g.src, dest);
    if (pdf_is_dict(g.ctx, found))
        found = pdf_dict_get(g.ctx, found, PDF_NAME(D));
    return found;
}

// Runs fill on a new, empty container and hands the container back; when filling fails the
// container is dropped before the error travels on. fill must hold only plain values.
template <typename Fill>
pdf_obj* filled(fz_context* ctx, pdf_obj* container, Fill&& fill)
{
    fz_try(ctx)
    {
        fill(container);
    }
    fz_catch(ctx)
    {
        pdf_drop_obj(ctx, container);
        fz_rethrow(ctx);
    }
    return container;
}

pdf_obj* copyDict(Graft& g, pdf_obj* dict)
{
    fz_context* ctx = g.ctx;
    const int length = pdf_dict_len(ctx, dict);
    const bool goTo = pdf_name_eq(ctx, pdf_dict_get(ctx, dict, PDF_NAME(S)), PDF_NAME(GoTo));
    return filled(ctx, pdf_new_dict(ctx, g.dst, length), [&](pdf_obj* copy) {
        for (int i = 0; i < length; ++i) {
            pdf_obj* key = pdf_dict_get_key(ctx, dict, i);
            pdf_obj* value = pdf_dict_get_val(ctx, dict, i);
            if (pdf_name_eq(ctx, key, PDF_NAME(Dest)) || (goTo && pdf_name_eq(ctx, key, PDF_NAME(D))))
                value = explicitDestination(g, value);
            pdf_obj* copied = copyObject(g, value);
            if (copied)
                pdf_dict_put_drop(ctx, copy, key, copied);
        }
    });
}

pdf_obj* copyArray(Graft& g, pdf_obj* array)
{
    fz_context* ctx = g.ctx;
    const int length = pdf_array_len(ctx, array);
    return filled(ctx, pdf_new_array(ctx, g.dst, length), [&](pdf_obj* copy) {
        for (int i = 0; i < length; ++i) {
            pdf_obj* copied = copyObject(g, pdf_array_get(ctx, array, i));
            if (copied)
                pdf_array_push_drop(ctx, copy, copied);
            else
                pdf_array_push(ctx, copy, PDF_NULL);
        }
    });
}

pdf_obj* copyIndirect(Graft& g, pdf_obj* ref)
{
    fz_context* ctx = g.ctx;
    const int number = pdf_to_num(ctx, ref);
    auto page = g.pages->find(number);
    if (page != g.pages->end())
        return pdf_new_indirect(ctx, g.dst, page->second, 0);
    auto done = g.copied->find(number);
    if (done != g.copied->end())
        return pdf_new_indirect(ctx, g.dst, done->second, 0);

    pdf_obj* resolved = pdf_resolve_indirect(ctx, ref);
    // A page that is not being copied (a link into a page outside the tree, an annotation's
    // stale /P): dropping the reference keeps the source's whole page tree out.
    if (!resolved || isPageObject(ctx, resolved))
        return nullptr;

    const int target = pdf_create_object(ctx, g.dst);
    (*g.copied)[number] = target;
    pdf_obj* value = copyObject(g, resolved);
    fz_try(ctx)
    {
        pdf_update_object(ctx, g.dst, target, value ? value : PDF_NULL);
    }
    fz_always(ctx)
    {
        pdf_drop_obj(ctx, value);
    }
    fz_catch(ctx)
    {
        fz_rethrow(ctx);
    }

    pdf_obj* result = pdf_new_indirect(ctx, g.dst, target, 0);
    *g.weight += kObjectWeight;
    if (pdf_is_stream(ctx, ref)) {
        fz_buffer* raw = nullptr;
        fz_var(raw);
        fz_try(ctx)
        {
            raw = pdf_load_raw_stream_number(ctx, g.src, number);
            pdf_update_stream(ctx, g.dst, result, raw, 1);
            *g.weight += raw->len;
        }
        fz_always(ctx)
        {
            fz_drop_buffer(ctx, raw);
        }
        fz_catch(ctx)
        {
            pdf_drop_obj(ctx, result);
            fz_rethrow(ctx);
        }
    }
    return result;
}

pdf_obj* copyObject(Graft& g, pdf_obj* obj)
{
    if (!obj)
        return nullptr;
    if (pdf_is_indirect(g.ctx, obj))
        return copyIndirect(g, obj);
    if (pdf_is_dict(g.ctx, obj))
        return copyDict(g, obj);
    if (pdf_is_array(g.ctx, obj))
        return copyArray(g, obj);
    return pdf_keep_obj(g.ctx, obj); // names, numbers, strings belong to no document
}

void copyKey(Graft& g, pdf_obj* from, pdf_obj* to, pdf_obj* key, bool inherited)
{
    pdf_obj* value = inherited ? pdf_dict_get_inheritable(g.ctx, from, key) : pdf_dict_get(g.ctx, from, key);
    pdf_obj* copied = copyObject(g, value);
    if (copied)
        pdf_dict_put_drop(g.ctx, to, key, copied);
}

// A page's annotations, but for links to pages that stay behind: they would lead nowhere.
void copyAnnots(Graft& g, pdf_obj* from, pdf_obj* to)
{
    fz_context* ctx = g.ctx;
    pdf_obj* annots = pdf_dict_get(ctx, from, PDF_NAME(Annots));
    if (!pdf_is_array(ctx, annots))
        return;
    const int length = pdf_array_len(ctx, annots);
    pdf_obj* kept = filled(ctx, pdf_new_array(ctx, g.dst, length), [&](pdf_obj* copy) {
        for (int i = 0; i < length; ++i) {
            pdf_obj* annot = pdf_array_get(ctx, annots, i);
            const int page = pdf_name_eq(ctx, pdf_dict_get(ctx, annot, PDF_NAME(Subtype)), PDF_NAME(Link))
                                 ? targetPageNumber(ctx, g.src, annot)
                                 : 0;
            pdf_obj* copied = page > 0 && !g.pages->count(page) ? nullptr : copyObject(g, annot);
            if (copied)
                pdf_array_push_drop(ctx, copy, copied);
        }
    });
    pdf_dict_put_drop(ctx, to, PDF_NAME(Annots), kept);
}

void fillPage(Graft& g, pdf_obj* from, pdf_obj* to)
{
    pdf_dict_put(g.ctx, to, PDF_NAME(Type), PDF_NAME(Page));
    pdf_obj* inherited[] = {PDF_NAME(MediaBox), PDF_NAME(CropBox), PDF_NAME(Rotate), PDF_NAME(Resources)};
    for (pdf_obj* key : inherited)
        copyKey(g, from, to, key, true);
    pdf_obj* own[] = {PDF_NAME(Contents), PDF_NAME(BleedBox), PDF_NAME(TrimBox),
                      PDF_NAME(ArtBox),   PDF_NAME(UserUnit), PDF_NAME(Group)};
    for (pdf_obj* key : own)
        copyKey(g, from, to, key, false);
    copyAnnots(g, from, to);
    if (!pdf_dict_get(g.ctx, to, PDF_NAME(MediaBox))) // required; damaged files may lack it
        pdf_dict_put_drop(g.ctx, to, PDF_NAME(MediaBox), pdf_new_rect(g.ctx, g.dst, fz_make_rect(0, 0, 612, 792)));
}

// Makes, fills and stores one new page object. A function of its own, so that the caller's loop
// counter does not live across fz_try's setjmp.
void storePage(Graft& g, pdf_obj* from, int number)
{
    fz_context* ctx = g.ctx;
    pdf_obj* page = pdf_new_dict(ctx, g.dst, 12);
    fz_try(ctx)
    {
        fillPage(g, from, page);
        pdf_update_object(ctx, g.dst, number, page);
    }
    fz_always(ctx)
    {
        pdf_drop_obj(ctx, page);
    }
    fz_catch(ctx)
    {
        fz_rethrow(ctx);
    }
}

pdf_obj* rootDict(fz_context* ctx, pdf_document* doc)
{
    return pdf_dict_get(ctx, pdf_trailer(ctx, doc), PDF_NAME(Root));
}

// The target's AcroForm, created on first use.
pdf_obj* targetForm(fz_context* ctx, pdf_document* dst)
{
    pdf_obj* root = rootDict(ctx, dst);
    pdf_obj* form = pdf_dict_get(ctx, root, PDF_NAME(AcroForm));
    if (!form) {
        form = pdf_add_new_dict(ctx, dst, 4);
        pdf_dict_put_drop(ctx, root, PDF_NAME(AcroForm), form);
        form = pdf_dict_get(ctx, root, PDF_NAME(AcroForm));
    }
    if (!pdf_dict_get(ctx, form, PDF_NAME(Fields)))
        pdf_dict_put_array(ctx, form, PDF_NAME(Fields), 8);
    return form;
}

// Default resources and appearance of the source form, where the target has none yet.
void mergeFormDefaults(Graft& g, pdf_obj* srcForm, pdf_obj* dstForm)
{
    fz_context* ctx = g.ctx;
    if (!pdf_dict_get(ctx, dstForm, PDF_NAME(DA)))
        copyKey(g, srcForm, dstForm, PDF_NAME(DA), false);
    if (pdf_to_bool(ctx, pdf_dict_gets(ctx, srcForm, "NeedAppearances")))
        pdf_dict_puts_drop(ctx, dstForm, "NeedAppearances", PDF_TRUE);
    pdf_obj* srcFonts = pdf_dict_getp(ctx, srcForm, "DR/Font");
    if (!srcFonts)
        return;
    pdf_obj* dr = pdf_dict_get(ctx, dstForm, PDF_NAME(DR));
    if (!dr)
        dr = pdf_dict_put_dict(ctx, dstForm, PDF_NAME(DR), 2);
    pdf_obj* dstFonts = pdf_dict_get(ctx, dr, PDF_NAME(Font));
    if (!dstFonts)
        dstFonts = pdf_dict_put_dict(ctx, dr, PDF_NAME(Font), 4);
    const int count = pdf_dict_len(ctx, srcFonts);
    for (int i = 0; i < count; ++i) {
        pdf_obj* key = pdf_dict_get_key(ctx, srcFonts, i);
        if (!pdf_dict_get(ctx, dstFonts, key))
            copyKey(g, srcFonts, dstFonts, key, false);
    }
}

pdf_obj* targetOutlines(fz_context* ctx, pdf_document* dst)
{
    pdf_obj* root = rootDict(ctx, dst);
    pdf_obj* outlines = pdf_dict_get(ctx, root, PDF_NAME(Outlines));
    if (!outlines) {
        outlines = pdf_add_new_dict(ctx, dst, 4);
        pdf_dict_put(ctx, outlines, PDF_NAME(Type), PDF_NAME(Outlines));
        pdf_dict_put_drop(ctx, root, PDF_NAME(Outlines), outlines);
        outlines = pdf_dict_get(ctx, root, PDF_NAME(Outlines));
    }
    return outlines;
}

// Appends item (an indirect dict) as the last child of parent, keeping /Count of open
// parents in step only for the parent itself; the caller settles counts of deeper levels.
void appendChild(fz_context* ctx, pdf_obj* parent, pdf_obj* item)
{
    pdf_dict_put(ctx, item, PDF_NAME(Parent), parent);
    pdf_obj* last = pdf_dict_get(ctx, parent, PDF_NAME(Last));
    if (last) {
        pdf_dict_put(ctx, last, PDF_NAME(Next), item);
        pdf_dict_put(ctx, item, PDF_NAME(Prev), last);
    } else {
        pdf_dict_put(ctx, parent, PDF_NAME(First), item);
    }
    pdf_dict_put(ctx, parent, PDF_NAME(Last), item);
}

// Outlines of damaged files can nest absurdly; nothing sound goes this deep.
constexpr int kMaxOutlineDepth = 64;

// Outline items of the source, by their dictionaries.
using Items = std::unordered_set<pdf_obj*>;

// Marks the items of the chain starting at first that come along: every item when every page
// does, else those that lead to a copied page and those above them. Returns whether it marked
// any. visited guards against outlines whose links loop.
bool markOutline(Graft& g, pdf_obj* first, bool everyPage, Items* marked, std::unordered_set<int>* visited, int depth)
{
    fz_context* ctx = g.ctx;
    bool any = false;
    for (pdf_obj* item = first; item && depth < kMaxOutlineDepth; item = pdf_dict_get(ctx, item, PDF_NAME(Next))) {
        const int number = pdf_to_num(ctx, item);
        if (number > 0 && !visited->insert(number).second)
            break;
        const bool below = markOutline(g, pdf_dict_get(ctx, item, PDF_NAME(First)), everyPage, marked, visited,
                                       depth + 1);
        if (everyPage || below || g.pages->count(targetPageNumber(ctx, g.src, item))) {
            marked->insert(pdf_resolve_indirect(ctx, item));
            any = true;
        }
    }
    return any;
}

// An item's destination or action; one leading to a page that stays behind is left out.
void copyTarget(Graft& g, pdf_obj* item, pdf_obj* node)
{
    fz_context* ctx = g.ctx;
    const int page = targetPageNumber(ctx, g.src, item);
    if (page > 0 && !g.pages->count(page))
        return;
    pdf_obj* dest = pdf_dict_get(ctx, item, PDF_NAME(Dest));
    if (!dest) {
        copyKey(g, item, node, PDF_NAME(A), false);
        return;
    }
    pdf_obj* copiedDest = copyObject(g, explicitDestination(g, dest));
    if (copiedDest)
        pdf_dict_put_drop(ctx, node, PDF_NAME(Dest), copiedDest);
}

int copyOutlineChain(Graft& g, pdf_obj* first, pdf_obj* parent, const Items& marked, std::unordered_set<int>* visited,
                     int depth);

// Copies one marked item, and the marked items below it, under parent. Its fz_try stays out of
// copyOutlineChain, whose loop variables would otherwise live across the setjmp.
void copyOutlineItem(Graft& g, pdf_obj* item, pdf_obj* parent, const Items& marked, std::unordered_set<int>* visited,
                     int depth)
{
    fz_context* ctx = g.ctx;
    pdf_obj* node = pdf_add_new_dict(ctx, g.dst, 6);
    fz_try(ctx)
    {
        copyKey(g, item, node, PDF_NAME(Title), false);
        copyTarget(g, item, node);
        copyKey(g, item, node, PDF_NAME(C), false);
        copyKey(g, item, node, PDF_NAME(F), false);
        appendChild(ctx, parent, node);
        const int children = copyOutlineChain(g, pdf_dict_get(ctx, item, PDF_NAME(First)), node, marked, visited,
                                              depth + 1);
        if (children > 0) {
            const bool open = pdf_to_int(ctx, pdf_dict_get(ctx, item, PDF_NAME(Count))) > 0;
            pdf_dict_put_int(ctx, node, PDF_NAME(Count), open ? children : -children);
        }
    }
    fz_always(ctx)
    {
        pdf_drop_obj(ctx, node);
    }
    fz_catch(ctx)
    {
        fz_rethrow(ctx);
    }
}

// Copies the marked items of the chain starting at first under parent; returns the number of
// items copied.
int copyOutlineChain(Graft& g, pdf_obj* first, pdf_obj* parent, const Items& marked, std::unordered_set<int>* visited,
                     int depth)
{
    fz_context* ctx = g.ctx;
    int copied = 0;
    for (pdf_obj* item = first; item && depth < kMaxOutlineDepth; item = pdf_dict_get(ctx, item, PDF_NAME(Next))) {
        const int number = pdf_to_num(ctx, item);
        if (number > 0 && !visited->insert(number).second)
            break;
        if (!marked.count(pdf_resolve_indirect(ctx, item)))
            continue;
        copyOutlineItem(g, item, parent, marked, visited, depth);
        ++copied;
    }
    return copied;
}

// Appends the source's form fields to the target's AcroForm. Fields are merged by their full
// names, so a root field whose name the target already has gets a free one ("name_2", ...):
// two files with a field "name" keep two fields.
// Whether a field has a widget on one of the pages being copied.
bool onCopiedPage(Graft& g, pdf_obj* field, int depth)
{
    pdf_obj* kids = pdf_dict_get(g.ctx, field, PDF_NAME(Kids));
    if (!pdf_is_array(g.ctx, kids))
        return g.pages->count(pdf_to_num(g.ctx, pdf_dict_get(g.ctx, field, PDF_NAME(P)))) > 0;
    for (int i = 0; i < pdf_array_len(g.ctx, kids) && depth < 64; ++i) {
        if (onCopiedPage(g, pdf_array_get(g.ctx, kids, i), depth + 1))
            return true;
    }
    return false;
}

void mergeFields(Graft& g, bool everyPage)
{
    fz_context* ctx = g.ctx;
    std::set<std::string> names;
    guarded(ctx, [&] {
        pdf_obj* srcForm = pdf_dict_get(ctx, rootDict(ctx, g.src), PDF_NAME(AcroForm));
        pdf_obj* srcFields = pdf_dict_get(ctx, srcForm, PDF_NAME(Fields));
        const int count = pdf_array_len(ctx, srcFields);
        if (count == 0)
            return;
        pdf_obj* dstForm = targetForm(ctx, g.dst);
        pdf_obj* dstFields = pdf_dict_get(ctx, dstForm, PDF_NAME(Fields));
        for (int i = 0; i < pdf_array_len(ctx, dstFields); ++i)
            names.insert(pdf_dict_get_text_string(ctx, pdf_array_get(ctx, dstFields, i), PDF_NAME(T)));
        mergeFormDefaults(g, srcForm, dstForm);
        for (int i = 0; i < count; ++i) {
            if (!everyPage && !onCopiedPage(g, pdf_array_get(ctx, srcFields, i), 0))
                continue; // its widgets stay behind with their pages
            pdf_obj* field = copyObject(g, pdf_array_get(ctx, srcFields, i));
            if (!field)
                continue;
            fz_try(ctx)
            {
                const char* name = pdf_dict_get_text_string(ctx, field, PDF_NAME(T));
                if (*name && names.count(name)) {
                    char unique[512];
                    for (int n = 2;; ++n) {
                        snprintf(unique, sizeof unique, "%s_%d", name, n);
                        if (!names.count(unique))
                            break;
                    }
                    pdf_dict_put_text_string(ctx, field, PDF_NAME(T), unique);
                    names.insert(unique);
                } else if (*name) {
                    names.insert(name);
                }
                pdf_array_push(ctx, dstFields, field);
            }
            fz_always(ctx)
            {
                pdf_drop_obj(ctx, field);
            }
            fz_catch(ctx)
            {
                fz_rethrow(ctx);
            }
        }
    });
}

// Far deeper than any sound page tree.
constexpr int kMaxPageTreeDepth = 4096;

// The inner node below root whose kids hold page (counted from 0), and the page's index among
// them; found by the nodes' /Count, as MuPDF finds pages.
pdf_obj* pageParent(fz_context* ctx, pdf_obj* root, int page, int* index)
{
    pdf_obj* node = root;
    for (int depth = 0; depth < kMaxPageTreeDepth; ++depth) {
        pdf_obj* kids = pdf_dict_get(ctx, node, PDF_NAME(Kids));
        const int length = pdf_array_len(ctx, kids);
        pdf_obj* below = nullptr;
        for (int i = 0; i < length && !below; ++i) {
            pdf_obj* kid = pdf_array_get(ctx, kids, i);
            if (!pdf_dict_get(ctx, kid, PDF_NAME(Kids))) {
                if (page == 0) {
                    *index = i;
                    return node;
                }
                --page;
                continue;
            }
            const int count = pdf_dict_get_int(ctx, kid, PDF_NAME(Count));
            if (page < count)
                below = kid;
            else
                page -= count;
        }
        if (!below)
            break;
        node = below;
    }
    fz_throw(ctx, FZ_ERROR_GENERIC, "cannot find page %d in the page tree", page + 1);
}

// Puts the page objects numbered in numbers into the page tree, the first as page at, in one
// go: pdf_insert_page looks the place up in the tree again for every page, which over the flat
// tree of a combined document made the inserts take most of a combine's time.
void insertPageObjects(fz_context* ctx, pdf_document* doc, int at, const std::vector<int>& numbers)
{
    if (numbers.empty())
        return;
    const int count = pdf_count_pages(ctx, doc);
    if (at < 0 || at > count)
        fz_throw(ctx, FZ_ERROR_GENERIC, "cannot insert pages beyond the end of the page tree");
    pdf_obj* parent = pdf_dict_get(ctx, rootDict(ctx, doc), PDF_NAME(Pages));
    int index = 0;
    if (count > 0) {
        parent = pageParent(ctx, parent, at == count ? count - 1 : at, &index);
        if (at == count)
            ++index;
    }
    pdf_obj* kids = pdf_dict_get(ctx, parent, PDF_NAME(Kids));
    if (!pdf_is_array(ctx, kids))
        fz_throw(ctx, FZ_ERROR_GENERIC, "malformed page tree");
    for (size_t i = 0; i < numbers.size(); ++i) {
        pdf_obj* ref = pdf_new_indirect(ctx, doc, numbers[i], 0);
        fz_try(ctx)
        {
            pdf_array_insert(ctx, kids, ref, index + int(i));
            pdf_dict_put(ctx, ref, PDF_NAME(Parent), parent);
        }
        fz_always(ctx)
        {
            pdf_drop_obj(ctx, ref);
        }
        fz_catch(ctx)
        {
            fz_rethrow(ctx);
        }
    }
    // As pdf_insert_page does, every node up to the root counts the new pages; the bound keeps
    // a damaged tree whose /Parent links loop from holding the thread.
    for (int depth = 0; parent && depth < kMaxPageTreeDepth; ++depth) {
        pdf_dict_put_int(ctx, parent, PDF_NAME(Count),
                         pdf_dict_get_int(ctx, parent, PDF_NAME(Count)) + int(numbers.size()));
        parent = pdf_dict_get(ctx, parent, PDF_NAME(Parent));
    }
}

int outlineLength(fz_context* ctx, pdf_obj* parent)
{
    int count = 0;
    for (pdf_obj* item = pdf_dict_get(ctx, parent, PDF_NAME(First)); item && count < 1 << 20;
         item = pdf_dict_get(ctx, item, PDF_NAME(Next)))
        ++count;
    return count;
}

// A new inner node of the page tree, last under the root, holding the page objects numbered in
// numbers: appending slice by slice then rewrites the root's few kids, not a list of every page.
void appendPagesNode(fz_context* ctx, pdf_document* doc, const std::vector<int>& numbers)
{
    pdf_obj* root = pdf_dict_get(ctx, rootDict(ctx, doc), PDF_NAME(Pages));
    pdf_obj* rootKids = pdf_dict_get(ctx, root, PDF_NAME(Kids));
    if (!pdf_is_array(ctx, rootKids))
        fz_throw(ctx, FZ_ERROR_GENERIC, "malformed page tree");
    pdf_obj* node = pdf_add_new_dict(ctx, doc, 4);
    fz_try(ctx)
    {
        pdf_dict_put(ctx, node, PDF_NAME(Type), PDF_NAME(Pages));
        pdf_dict_put(ctx, node, PDF_NAME(Parent), root);
        pdf_dict_put_int(ctx, node, PDF_NAME(Count), int(numbers.size()));
        pdf_obj* kids = pdf_dict_put_array(ctx, node, PDF_NAME(Kids), int(numbers.size()));
        for (int number : numbers) {
            pdf_obj* page = pdf_new_indirect(ctx, doc, number, 0);
            pdf_array_push_drop(ctx, kids, page);
            pdf_dict_put(ctx, page, PDF_NAME(Parent), node);
        }
        pdf_array_push(ctx, rootKids, node);
        pdf_dict_put_int(ctx, root, PDF_NAME(Count),
                         pdf_dict_get_int(ctx, root, PDF_NAME(Count)) + int(numbers.size()));
    }
    fz_always(ctx)
    {
        pdf_drop_obj(ctx, node);
    }
    fz_catch(ctx)
    {
        fz_rethrow(ctx);
    }
}

// What the pages copied since the last spill may hold in memory before the next spill.
constexpr size_t kSpillWeight = 8u << 20;

// One source's pages on their way into a target. What became of the source's objects is kept
// as object numbers, so that the target may be written out and opened again between slices.
class PageCopy
{
public:
    PageCopy(fz_context* ctx, pdf_document* src) : m_ctx(ctx), m_src(src) {}
    ~PageCopy()
    {
        for (pdf_obj* page : m_sourcePages)
            pdf_drop_obj(m_ctx, page);
    }
    PageCopy(const PageCopy&) = delete;
    PageCopy& operator=(const PageCopy&) = delete;

    // Makes a new, empty page object in dst for each chosen page of the source, before anything
    // is copied, so that references to any chosen page (links, form widgets' /P) resolve to its
    // new page. A page that cannot be found in a damaged tree becomes a blank page, so that the
    // others keep their numbers.
    void prepare(pdf_document* dst, const QVector<int>& chosen, int sourceCount);
    Graft graft(pdf_document* dst) { return {m_ctx, m_src, dst, &m_copied, &m_pages, &m_weight}; }
    int count() const { return int(m_targetNumbers.size()); }
    // Fills the new page of the chosen page at index.
    void store(Graft& g, int index) const;
    const std::vector<int>& targetNumbers() const { return m_targetNumbers; }
    std::vector<int> targetNumbers(int first, int end) const
    {
        return {m_targetNumbers.begin() + first, m_targetNumbers.begin() + end};
    }
    // Roughly the bytes of memory the copies made so far hold.
    size_t weight() const { return m_weight; }

private:
    fz_context* m_ctx;
    pdf_document* m_src;
    NumberMap m_copied;
    NumberMap m_pages;
    std::vector<pdf_obj*> m_sourcePages; // kept
    std::vector<int> m_targetNumbers;
    size_t m_weight = 0;
};

void PageCopy::prepare(pdf_document* dst, const QVector<int>& chosen, int sourceCount)
{
    fz_context* ctx = m_ctx;
    const int count = chosen.size();
    std::vector<pdf_obj*> everyPage(size_t(sourceCount), nullptr);
    PageTreeVisitor visitor;
    visitor.page = [&](pdf_obj* page, int index) {
        if (index < sourceCount)
            everyPage[size_t(index)] = page;
    };
    walkPageTree(ctx, m_src, visitor);
    for (int i = 0; i < count; ++i) {
        if (chosen[i] < 0 || chosen[i] >= sourceCount)
            throw MuError(FZ_ERROR_GENERIC, "page " + std::to_string(chosen[i] + 1) + " does not exist");
    }
    m_sourcePages.assign(size_t(count), nullptr);
    m_targetNumbers.assign(size_t(count), 0);
    guarded(ctx, [&] {
        for (int i = 0; i < count; ++i) {
            m_targetNumbers[size_t(i)] = pdf_create_object(ctx, dst);
            pdf_update_object(ctx, dst, m_targetNumbers[size_t(i)], PDF_NULL);
            pdf_obj* page = everyPage[size_t(chosen[i])];
            if (!pdf_is_dict(ctx, page))
                continue;
            m_sourcePages[size_t(i)] = pdf_keep_obj(ctx, page);
            // The walk gives page dictionaries themselves: their object number is their parent
            // number.
            const int number = pdf_obj_parent_num(ctx, page);
            if (number > 0)
                m_pages[number] = m_targetNumbers[size_t(i)];
        }
    });
}

void PageCopy::store(Graft& g, int index) const
{
    guarded(m_ctx, [&] { storePage(g, m_sourcePages[size_t(index)], m_targetNumbers[size_t(index)]); });
}

// The source's form fields and outline entries, once its pages are in the target.
void copyFieldsAndOutline(Graft& g, const std::vector<int>& targetNumbers, bool everyPage, const OutlineCopy& outline)
{
    fz_context* ctx = g.ctx;
    pdf_document* dst = g.dst;
    mergeFields(g, everyPage);
    if (!outline.entries)
        return;

    // Under a title entry the source's entries start a level down; marking counts levels as
    // copying will, so that nothing marked lies beyond the depth copied.
    const int depth = outline.title.isNull() ? 0 : 1;
    Items marked;
    std::unordered_set<int> visited;
    pdf_obj* srcFirst = nullptr;
    bool anyMarked = false;
    guarded(ctx, [&] {
        srcFirst = pdf_dict_getp(ctx, rootDict(ctx, g.src), "Outlines/First");
        anyMarked = markOutline(g, srcFirst, everyPage, &marked, &visited, depth);
    });
    if (!anyMarked && outline.title.isNull())
        return;
    visited.clear();
    const QByteArray title = outline.title.toUtf8();
    const int firstPage = targetNumbers.empty() ? 0 : targetNumbers.front();
    guarded(ctx, [&] {
        // volatile: it lives across the setjmp of the fz_try below.
        pdf_obj* volatile outlines = targetOutlines(ctx, dst);
        if (outline.title.isNull()) {
            copyOutlineChain(g, srcFirst, outlines, marked, &visited, depth);
        } else {
            pdf_obj* top = pdf_add_new_dict(ctx, dst, 6);
            fz_try(ctx)
            {
                pdf_dict_put_text_string(ctx, top, PDF_NAME(Title), title.constData());
                if (firstPage > 0) {
                    pdf_obj* dest = pdf_dict_put_array(ctx, top, PDF_NAME(Dest), 2);
                    pdf_array_push_drop(ctx, dest, pdf_new_indirect(ctx, dst, firstPage, 0));
                    pdf_array_push(ctx, dest, PDF_NAME(Fit));
                }
                appendChild(ctx, outlines, top);
                const int children = copyOutlineChain(g, srcFirst, top, marked, &visited, depth);
                if (children > 0)
                    pdf_dict_put_int(ctx, top, PDF_NAME(Count), children);
            }
            fz_always(ctx)
            {
                pdf_drop_obj(ctx, top);
            }
            fz_catch(ctx)
            {
                fz_rethrow(ctx);
            }
        }
        pdf_dict_put_int(ctx, outlines, PDF_NAME(Count), outlineLength(ctx, outlines));
    });
}

} // namespace

std::unique_ptr<MuDocument> MuDocument::append(std::unique_ptr<MuDocument> target, MuDocument& source,
                                               const QString& outlineTitle, const Spill& spill)
{
    if (source.d->context != target->d->context)
        throw MuError(FZ_ERROR_GENERIC, "documents to combine must share a context");
    target->d->scan.reset(); // the pages a scan has told no longer end the tree
    fz_context* ctx = target->d->ctx();
    const int count = source.pageCount();
    QVector<int> every(count);
    for (int page = 0; page < count; ++page)
        every[page] = page;
    PageCopy copy(ctx, source.d->pdf());
    copy.prepare(target->d->pdf(), every, count);
    // The pages go in by slices, each under an inner node of its own. With spill, a slice ends
    // once its copies weigh enough, and the document is spilled after it.
    size_t spilledWeight = 0;
    int first = 0;
    for (int page = 0; page < count; ++page) {
        Graft g = copy.graft(target->d->pdf());
        copy.store(g, page);
        const bool full = spill && copy.weight() - spilledWeight >= kSpillWeight;
        if (!full && page + 1 < count)
            continue;
        const std::vector<int> numbers = copy.targetNumbers(first, page + 1);
        guarded(ctx, [&] { appendPagesNode(ctx, target->d->pdf(), numbers); });
        first = page + 1;
        if (full && first < count) {
            target = spill(std::move(target));
            spilledWeight = copy.weight();
        }
    }
    Graft g = copy.graft(target->d->pdf());
    copyFieldsAndOutline(g, copy.targetNumbers(), true, {true, outlineTitle});
    return target;
}

void MuDocument::insertPagesOf(MuDocument& source, const QVector<int>& chosen, int at, const OutlineCopy& outline)
{
    if (source.d->context != d->context)
        throw MuError(FZ_ERROR_GENERIC, "documents to combine must share a context");
    d->scan.reset(); // the pages a scan has told no longer end the tree
    fz_context* ctx = d->ctx();
    pdf_document* dst = d->pdf();
    PageCopy copy(ctx, source.d->pdf());
    const int sourceCount = source.pageCount();
    copy.prepare(dst, chosen, sourceCount);
    Graft g = copy.graft(dst);
    for (int i = 0; i < copy.count(); ++i)
        copy.store(g, i);
    guarded(ctx, [&] { insertPageObjects(ctx, dst, at, copy.targetNumbers()); });
    copyFieldsAndOutline(g, copy.targetNumbers(), copy.count() == sourceCount, outline);
}

} // namespace pxv::mu
