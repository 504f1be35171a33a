// The edit controls' drag-and-drop layer: the offered formats, the probe, the drop target's
// acceptance and dispatch, and the drag's result.
#include <gtest/gtest.h>

#include <memory>

#include "components/controls/Raveddd.h"
#include "platform/forms/Form.h"
#include "platform/forms/TestInput.h"

namespace {

TEST(TextDragData, EnumeratorListsThreeFormats)
{
    TSourceEnumFormatEtc e;
    TFormatEtc f[5];
    int fetched = 0;
    EXPECT_EQ(e.Next(5, f, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 3);
    EXPECT_EQ(f[0].cfFormat, CF_TEXT);
    EXPECT_EQ(f[1].cfFormat, CF_UNICODETEXT);
    EXPECT_EQ(f[2].cfFormat, RegisterClipboardFormat("Rich Text Format"));
    EXPECT_EQ(e.Reset(), S_OK);
    EXPECT_EQ(e.Skip(3), S_OK);
    e.Reset();
    EXPECT_EQ(e.Skip(4), S_FALSE);
    EXPECT_EQ(e.Index(), 3);
    EXPECT_EQ(e.Next(1, f, nullptr), S_FALSE);
}

TEST(TextDragData, OffersTextInItsFormats)
{
    SetRTFAware(false);
    TSourceDataObject d("abc", "{\\rtf abc}");
    struct Case {
        Word format;
        int tymed;
        HRESULT query;
        std::vector<Byte> data;
    };
    const Word rtf = RegisterClipboardFormat("Rich Text Format");
    const Case cases[] = {
        {CF_TEXT, TYMED_HGLOBAL, S_OK, {'a', 'b', 'c', 0}},
        {CF_UNICODETEXT, TYMED_HGLOBAL, S_OK, {'a', 0, 'b', 0, 'c', 0, 0, 0}},
        {CF_TEXT, TYMED_HGLOBAL | TYMED_ISTREAM, DV_E_FORMATETC, {}},
        {rtf, TYMED_HGLOBAL, DV_E_FORMATETC, {}}, // not rich-text aware
        {CF_HDROP, TYMED_HGLOBAL, DV_E_FORMATETC, {}},
    };
    for (const Case& c : cases) {
        TFormatEtc f;
        f.cfFormat = c.format;
        f.tymed = c.tymed;
        EXPECT_EQ(d.QueryGetData(f), c.query) << c.format;
        std::vector<Byte> m{9};
        EXPECT_EQ(d.GetData(f, m), c.query);
        EXPECT_EQ(m, c.data) << c.format;
    }
    std::unique_ptr<TEnumFormatEtcBase> e;
    EXPECT_EQ(d.EnumFormatEtc(DATADIR_SET, e), E_NOTIMPL);
    EXPECT_FALSE(e);
    SetRTFAware(true);
    TFormatEtc f;
    f.cfFormat = rtf;
    std::vector<Byte> m;
    EXPECT_EQ(d.GetData(f, m), S_OK);
    EXPECT_EQ(AnsiString(m.begin(), m.end() - 1), "{\\rtf abc}");
    SetRTFAware(false);
}

TEST(TextDragData, ProbeReadsTextAndFiles)
{
    TDragData data;
    data.HasText = true;
    data.Text = "hello";
    data.Files = {"/tmp/a.txt", "/tmp/b c.txt"};
    TDragDataObject d(data);
    TEnumFormats probe(&d);
    EXPECT_TRUE(probe.HasText());
    EXPECT_FALSE(probe.HasRTF());
    EXPECT_EQ(probe.Text(), "hello");
    TStrings* files = nullptr;
    ASSERT_TRUE(probe.SomeFiles(files));
    EXPECT_EQ(files->CommaText(), "/tmp/a.txt,\"/tmp/b c.txt\"");
    EXPECT_EQ(StandardEffect(ssCtrl), DROPEFFECT_COPY);
    EXPECT_EQ(StandardEffect(ssShift), DROPEFFECT_MOVE);
}

// A target that records what reached it.
struct Recorder : TAEDropTarget {
    std::vector<AnsiString> calls;
    bool allow = true;
    void DropText(const TPoint&, const AnsiString& S) override { calls.push_back("text:" + S); }
    void DropRTF(const TPoint&, const AnsiString& S) override { calls.push_back("rtf:" + S); }
    void DropFiles(const TPoint&, TStrings* L) override { calls.push_back("files:" + L->CommaText()); }
    void DragMouseMove(const TPoint&, bool& Allow) override { Allow = allow; }
};

TEST(DropTarget, AcceptsTextFilesAndRichTextWhenAware)
{
    TDragData rtfOnly;
    rtfOnly.HasRTF = true;
    rtfOnly.RTF = "{r}";
    Recorder t;
    SetRTFAware(false);
    EXPECT_EQ(t.DragEnter(rtfOnly, 0, TPoint()), DROPEFFECT_NONE);
    EXPECT_EQ(t.Drop(rtfOnly, 0, TPoint()), DROPEFFECT_NONE);
    SetRTFAware(true);
    EXPECT_EQ(t.DragEnter(rtfOnly, ssCtrl, TPoint()), DROPEFFECT_COPY);
    t.allow = false;
    EXPECT_EQ(t.DragOver(0, TPoint()), DROPEFFECT_NONE);
    t.allow = true;
    EXPECT_EQ(t.DragOver(0, TPoint()), DROPEFFECT_MOVE);
    EXPECT_EQ(t.Drop(rtfOnly, 0, TPoint()), DROPEFFECT_MOVE);
    SetRTFAware(false);

    TDragData both;
    both.HasText = true;
    both.Text = "t";
    both.Files = {"/f"};
    t.DragEnter(both, 0, TPoint());
    t.Drop(both, 0, TPoint());
    EXPECT_EQ(t.calls, (std::vector<AnsiString>{"rtf:{r}", "text:t", "files:/f"}));
}

TEST(DropSource, AnswersAsTheButtonAndEscapeSay)
{
    TAEDropSource s;
    EXPECT_EQ(s.QueryContinueDrag(true, MK_LBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(s.QueryContinueDrag(false, 0), DRAGDROP_S_DROP);
    EXPECT_EQ(s.QueryContinueDrag(false, MK_LBUTTON), S_OK);
    EXPECT_EQ(s.GiveFeedback(DROPEFFECT_NONE), DRAGDROP_S_USEDEFAULTCURSORS);
    EXPECT_TRUE(s.NoEffect());
}

TEST(DropSource, DragOverNoTargetIsCancelled)
{
    TForm form(nullptr);
    form.Show();
    int effect = -1;
    TestInput::CancelNextDrag(nullptr);
    EXPECT_EQ(StartTextDoDragDrop(&form, "x", "", DROPEFFECT_COPY | DROPEFFECT_MOVE, effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    // Released over a window that never registered as a target.
    TestInput::DropOn(&form, 5, 5);
    EXPECT_EQ(StartTextDoDragDrop(&form, "x", "", DROPEFFECT_MOVE, effect), DRAGDROP_S_CANCEL);
}

} // namespace
