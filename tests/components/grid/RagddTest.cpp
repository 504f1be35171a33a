// The grid's drag-and-drop layer: the column format beside the text formats, the probe,
// and the drop target's acceptance and dispatch, through the platform's drag.
#include <gtest/gtest.h>

#include <memory>

#include "components/grid/Ragdd.h"
#include "platform/forms/Form.h"
#include "platform/forms/Panel.h"
#include "platform/forms/TestInput.h"

// Inside the layer's namespace its names hide the edit controls' ones.
namespace Ragdd {
namespace {

TEST(GridDragData, ColumnDragListsFourFormatsAndCarriesTheIndex)
{
    const Word col = RegisterClipboardFormat(kColumnFormatType);
    for (bool hasCol : {false, true}) {
        TSourceEnumFormatEtc e(hasCol);
        TFormatEtc f[6];
        int fetched = 0;
        EXPECT_EQ(e.Next(6, f, &fetched), S_FALSE);
        ASSERT_EQ(fetched, hasCol ? 4 : 3);
        EXPECT_EQ(f[0].cfFormat, CF_TEXT);
        EXPECT_EQ(f[1].cfFormat, CF_UNICODETEXT);
        EXPECT_EQ(f[2].cfFormat, RegisterClipboardFormat("Rich Text Format"));
        if (hasCol) {
            EXPECT_EQ(f[3].cfFormat, col);
        }
        e.Reset();
        EXPECT_EQ(e.Skip(9), S_FALSE);
        EXPECT_EQ(e.Index(), hasCol ? 4 : 3);
        e.Reset();
        e.Skip(1);
        auto c = e.Clone();
        EXPECT_EQ(c->Next(6, f, &fetched), S_FALSE);
        EXPECT_EQ(fetched, hasCol ? 3 : 2);
    }

    TSourceDataObject d("", "", 3);
    TFormatEtc f;
    std::vector<Byte> m;
    f.cfFormat = CF_TEXT; // listed, but the text is empty: refused
    EXPECT_EQ(d.QueryGetData(f), DV_E_FORMATETC);
    EXPECT_EQ(d.GetData(f, m), DV_E_FORMATETC);
    f.cfFormat = col;
    EXPECT_EQ(d.GetData(f, m), S_OK);
    EXPECT_EQ(m, (std::vector<Byte>{3, 0, 0, 0}));
    f.tymed = TYMED_HGLOBAL | TYMED_ISTREAM;
    EXPECT_EQ(d.QueryGetData(f), DV_E_FORMATETC);

    TSourceDataObject text("a\tb", "", -1);
    f = TFormatEtc();
    f.cfFormat = col;
    EXPECT_EQ(text.QueryGetData(f), DV_E_FORMATETC);
    f.cfFormat = CF_UNICODETEXT;
    EXPECT_EQ(text.GetData(f, m), S_OK);
    EXPECT_EQ(m, (std::vector<Byte>{'a', 0, '\t', 0, 'b', 0, 0, 0}));
}

TEST(GridDragData, ProbeReadsTheColumnAndRichTextAwarenessIsTheGridsOwn)
{
    TSourceDataObject d("", "", -7);
    TEnumFormats probe(&d);
    EXPECT_EQ(ColFormat(), RegisterClipboardFormat(kColumnFormatType));
    EXPECT_TRUE(probe.HasCol());
    EXPECT_EQ(probe.Col(), -7);
    TSourceDataObject none("x", "", -1);
    TEnumFormats p2(&none);
    EXPECT_FALSE(p2.HasCol());
    EXPECT_EQ(p2.Col(), -1);

    ::SetRTFAware(true);
    TSourceDataObject rich("x", "{\\rtf x}", -1);
    TFormatEtc f;
    f.cfFormat = RegisterClipboardFormat("Rich Text Format");
    EXPECT_EQ(rich.QueryGetData(f), DV_E_FORMATETC);
    EXPECT_FALSE(rich.DragData().HasRTF);
    ::SetRTFAware(false);
    SetRTFAware(true);
    EXPECT_EQ(rich.QueryGetData(f), S_OK);
    EXPECT_TRUE(rich.DragData().HasRTF);
    SetRTFAware(false);
}

// A target that records what reached it.
struct Recorder : TRAGDropTarget {
    std::vector<AnsiString> calls;
    TDropFormats offered = 0;
    bool allow = true;
    void DropText(const TPoint&, const AnsiString& S) override { calls.push_back("text:" + S); }
    void DropCol(const TPoint&, int C) override { calls.push_back("col:" + std::to_string(C)); }
    void DropRTF(const TPoint&, const AnsiString& S) override { calls.push_back("rtf:" + S); }
    void DropFiles(const TPoint&, TStrings* L) override { calls.push_back("files:" + L->CommaText()); }
    void DragMouseMove(const TPoint&, bool& Allow, TDropFormats F) override
    {
        offered = F;
        Allow = Allow && allow;
    }
    void DragMouseEnter() override { calls.push_back("enter"); }
    void DragMouseLeave() override { calls.push_back("leave"); }
};

TEST(GridDropTarget, AcceptsByItsSwitchesAndDispatchesTheColumnFirst)
{
    struct Case {
        bool text, files, cols;
        bool dragText, dragFiles, dragCol;
        bool accepted;
    };
    const Case cases[] = {
        {true, true, false, true, false, true, true},    // a column drag accepted through its text formats
        {false, true, false, true, false, true, false},  // ... but not with text off and columns off
        {false, false, true, true, false, true, true},   // columns on
        {false, true, false, false, true, false, true},  // files
        {true, false, false, false, true, false, false}, // files only, not accepted
    };
    for (const Case& c : cases) {
        Recorder t;
        t.AcceptText = c.text;
        t.AcceptFiles = c.files;
        t.AcceptCols = c.cols;
        TDragData d = c.dragCol ? TSourceDataObject("", "", 2).DragData() : TDragData();
        if (c.dragText && !c.dragCol) {
            d.HasText = true;
            d.Text = "t";
        }
        if (c.dragFiles)
            d.Files = {"/tmp/x.csv"};
        EXPECT_EQ(t.DragEnter(d, ssCtrl, TPoint()), c.accepted ? DROPEFFECT_COPY : DROPEFFECT_NONE);
        EXPECT_EQ(t.Accepted(), c.accepted);
        EXPECT_EQ(t.DragOver(0, TPoint()), c.accepted ? DROPEFFECT_MOVE : DROPEFFECT_NONE);
        EXPECT_EQ(t.Drop(d, 0, TPoint()), c.accepted ? DROPEFFECT_MOVE : DROPEFFECT_NONE);
        if (c.accepted && c.dragCol) {
            EXPECT_EQ(t.calls, (std::vector<AnsiString>{"enter", "col:2"}));
        }
    }

    Recorder t;
    TDragData all;
    all.HasText = true;
    all.Text = "t";
    all.HasRTF = true;
    all.RTF = "{r}";
    all.Files = {"/f"};
    t.DragEnter(all, 0, TPoint());
    t.DragOver(0, TPoint());
    EXPECT_EQ(t.offered, FormatBit(dfText) | FormatBit(dfFile) | FormatBit(dfRTF));
    t.allow = false;
    EXPECT_EQ(t.DragOver(0, TPoint()), DROPEFFECT_NONE);
    t.DragLeave();
    t.Drop(all, 0, TPoint());
    SetRTFAware(true);
    t.Drop(all, 0, TPoint());
    SetRTFAware(false);
    EXPECT_EQ(t.calls, (std::vector<AnsiString>{"enter", "leave", "text:t", "files:/f", "rtf:{r}", "files:/f"}));
}

// A source that records its feedback calls.
struct Source : TRAGDropSource {
    std::vector<int> effects;
    int queries = 0;
    void CurrentEffect(int E) override { effects.push_back(E); }
    void QueryDrag() override { ++queries; }
};

TEST(GridDragSource, ColumnDragReachesAnotherWindowThroughThePlatform)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto* target = new TPanel(&form);
    target->SetParent(&form);
    target->SetBounds(10, 10, 100, 60);
    form.Show();
    Recorder r;
    ASSERT_TRUE(RegisterDragDrop(target, &r));
    Source s;
    int effect = -1;
    TestInput::DropOn(target, 5, 5, ssCtrl);
    EXPECT_EQ(StartColDoDragDrop(&form, &s, 4, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    EXPECT_EQ(r.calls, (std::vector<AnsiString>{"enter", "col:4"}));
    EXPECT_EQ(r.offered, FormatBit(dfText) | FormatBit(dfCol));
    EXPECT_EQ(s.effects, std::vector<int>{DROPEFFECT_COPY});
    EXPECT_EQ(s.queries, 1);

    TestInput::CancelNextDrag(target);
    EXPECT_EQ(StartTextDoDragDrop(&form, &s, "a", "", DROPEFFECT_MOVE, effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_TRUE(s.NoEffect());
    RevokeDragDrop(target);
}

} // namespace
} // namespace Ragdd
