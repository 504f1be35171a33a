// The binary cell format: a rectangle of cells with their properties and
// graphics as a sequence of small self-describing records. Each record is a
// signature, its class name, its properties as name, type and value (those
// equal to their default left out), and an end mark; the record classes,
// property names, order and conditions are the format.
#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <variant>

#include "components/grid/Ravgrid.h"
#include "platform/core/IntConvert.h"
#include "platform/core/Streams.h"
#include "platform/graphics/Picture.h"
#include "platform/graphics/PngData.h"

using namespace Ravgrid;

namespace {

constexpr char kSignature[4] = {'Z', 'G', 'R', '1'};
enum TValueTag : Byte { vtEnd = 0, vtInt = 1, vtString = 2, vtFalse = 3, vtTrue = 4, vtDouble = 5, vtBinary = 6,
                        vtObject = 7, vtList = 8 };

struct TRecord;
using TValue = std::variant<Int64, AnsiString, bool, double, std::vector<Byte>, std::shared_ptr<TRecord>,
                            std::vector<AnsiString>>;

// One record (or nested object) as read: its properties by name.
struct TRecord {
    AnsiString ClassName;
    std::map<AnsiString, TValue> Props;

    template <typename T>
    T Get(const AnsiString& Name, T Default) const
    {
        auto it = Props.find(Name);
        if (it == Props.end())
            return Default;
        if (const T* v = std::get_if<T>(&it->second))
            return *v;
        throw EReadError("Invalid property value " + ClassName + "." + Name);
    }
    int Int(const AnsiString& Name, int Default = 0) const { return int(Get<Int64>(Name, Default)); }
    const TRecord* Object(const AnsiString& Name) const
    {
        auto p = Get<std::shared_ptr<TRecord>>(Name, nullptr);
        return p.get();
    }
};

class TRecordWriter {
public:
    explicit TRecordWriter(const char* ClassName)
    {
        FData.append(kSignature, 4);
        Short(ClassName);
    }
    void Int(const char* Name, Int64 V, Int64 Default = 0)
    {
        if (V == Default)
            return;
        Short(Name);
        FData += char(vtInt);
        U32(Int64ToU32(V));
    }
    void Str(const char* Name, const AnsiString& V)
    {
        if (V.empty())
            return;
        Short(Name);
        FData += char(vtString);
        Long(V);
    }
    void Bool(const char* Name, bool V, bool Default = false)
    {
        if (V == Default)
            return;
        Short(Name);
        FData += char(V ? vtTrue : vtFalse);
    }
    void Double(const char* Name, double V)
    {
        if (V == 0)
            return;
        Short(Name);
        FData += char(vtDouble);
        char b[8];
        std::memcpy(b, &V, 8);
        FData.append(b, 8);
    }
    void Binary(const char* Name, const std::vector<Byte>& V)
    {
        if (V.empty())
            return;
        Short(Name);
        FData += char(vtBinary);
        U32(std::uint32_t(V.size()));
        FData.append(reinterpret_cast<const char*>(V.data()), V.size());
    }
    void List(const char* Name, TStrings* V)
    {
        if (!V || V->Count() == 0)
            return;
        Short(Name);
        FData += char(vtList);
        U32(std::uint32_t(V->Count()));
        for (int i = 0; i < V->Count(); ++i)
            Long(V->Strings(i));
    }
    void BeginObject(const char* Name)
    {
        Short(Name);
        FData += char(vtObject);
    }
    void EndObject() { FData += char(vtEnd); }
    void WriteTo(TStream* Stream)
    {
        FData += char(vtEnd);
        Stream->WriteBuffer(FData.data(), int(FData.size()));
    }

private:
    static std::uint32_t Int64ToU32(Int64 V) { return std::uint32_t(std::int32_t(V)); }
    void U32(std::uint32_t V)
    {
        for (int i = 0; i < 4; ++i)
            FData += char((V >> (8 * i)) & 0xFF);
    }
    void Short(const AnsiString& S)
    {
        FData += char(std::min<size_t>(S.size(), 255));
        FData.append(S, 0, 255);
    }
    void Long(const AnsiString& S)
    {
        U32(std::uint32_t(S.size()));
        FData += S;
    }
    AnsiString FData;
};

class TRecordReader {
public:
    explicit TRecordReader(TStream* Stream) : FStream(Stream) {}

    // The next record, which must be of the class expected and have only the properties named.
    TRecord Read(const char* ClassName, std::initializer_list<const char*> Names)
    {
        char sig[4];
        FStream->ReadBuffer(sig, 4);
        if (std::memcmp(sig, kSignature, 4) != 0)
            throw EReadError("Invalid stream format");
        TRecord r;
        r.ClassName = Short();
        if (r.ClassName != ClassName)
            throw EReadError("Expected record " + AnsiString(ClassName) + ", found " + r.ClassName);
        ReadProps(r, Names);
        return r;
    }

private:
    void ReadProps(TRecord& R, std::initializer_list<const char*> Names)
    {
        while (true) {
            const AnsiString name = Short();
            if (name.empty())
                return;
            if (Names.size() && std::find_if(Names.begin(), Names.end(),
                                             [&](const char* n) { return name == n; }) == Names.end())
                throw EReadError("Error reading " + R.ClassName + "." + name + ": Property " + name +
                                 " does not exist");
            R.Props[name] = Value(R.ClassName + "." + name);
        }
    }
    TValue Value(const AnsiString& Where)
    {
        switch (Byte tag = U8()) {
        case vtInt:
            return Int64(std::int32_t(U32()));
        case vtString:
            return Long();
        case vtFalse:
            return false;
        case vtTrue:
            return true;
        case vtDouble: {
            double d = 0;
            FStream->ReadBuffer(&d, 8);
            return d;
        }
        case vtBinary: {
            std::vector<Byte> b(Size());
            if (!b.empty())
                FStream->ReadBuffer(b.data(), int(b.size()));
            return b;
        }
        case vtList: {
            std::vector<AnsiString> l;
            for (std::uint32_t n = Count(); n > 0; --n)
                l.push_back(Long());
            return l;
        }
        case vtObject: {
            auto o = std::make_shared<TRecord>();
            o->ClassName = Where;
            ReadProps(*o, {});
            return o;
        }
        default:
            throw EReadError("Invalid property value type " + IntToStr(int(tag)) + " in " + Where);
        }
    }
    Byte U8()
    {
        Byte b = 0;
        FStream->ReadBuffer(&b, 1);
        return b;
    }
    std::uint32_t U32()
    {
        Byte b[4];
        FStream->ReadBuffer(b, 4);
        return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
    }
    // A length that the rest of the stream can hold (a corrupt one must not allocate gigabytes).
    std::uint32_t Size()
    {
        const std::uint32_t n = U32();
        if (Int64(n) > FStream->Size() - FStream->Position())
            throw EReadError("Stream read error");
        return n;
    }
    std::uint32_t Count() { return Size(); }
    AnsiString Short()
    {
        AnsiString s(U8(), '\0');
        if (!s.empty())
            FStream->ReadBuffer(s.data(), int(s.size()));
        return s;
    }
    AnsiString Long()
    {
        AnsiString s(Size(), '\0');
        if (!s.empty())
            FStream->ReadBuffer(s.data(), int(s.size()));
        return s;
    }
    TStream* FStream;
};

// Graphics whose object is stored only when the grid made it.
bool HasOwnedObject(TCellType T)
{
    return T == ctBitmap || T == ctIcon || T == ctRadio || T == ctImages || T == ctPicture || T == ctFilePicture ||
           T == ctBitButton;
}

std::vector<int> IntList(const AnsiString& S, int Count)
{
    std::vector<int> v;
    TStringList parts;
    parts.SetCommaText(S);
    for (int i = 0; i < parts.Count(); ++i)
        v.push_back(StrToInt(parts[i]));
    if (int(v.size()) < Count)
        throw EListError("List index out of bounds (" + IntToStr(int(v.size())) + ")");
    return v;
}

} // namespace

TPoint RavgridFile::BinStreamSize(TStream* Stream)
{
    TRecordReader in(Stream);
    const TRecord head = in.Read("TGridPropIO", {"ColCount", "RowCount", "ColWidths", "RowHeights", "FullGrid"});
    return TPoint{head.Int("ColCount"), head.Int("RowCount")};
}

void TRavArodozIdad::SaveRectToBinStream(const TRect& R, TStream* Stream)
{
    const int rows = R.Bottom - R.Top + 1, cols = R.Right - R.Left + 1;
    {
        AnsiString widths, heights;
        for (int c = R.Left; c <= R.Right; ++c)
            widths += (c > R.Left ? "," : "") + IntToStr(ColWidths(c));
        for (int r = R.Top; r <= R.Bottom; ++r)
            heights += (r > R.Top ? "," : "") + IntToStr(RowHeights(r));
        TRecordWriter w("TGridPropIO");
        w.Int("ColCount", cols);
        w.Int("RowCount", rows);
        w.Str("ColWidths", widths);
        w.Str("RowHeights", heights);
        w.Bool("FullGrid", RowCount() == rows && ColCount() == cols);
        w.WriteTo(Stream);
    }
    for (int c = R.Left; c <= R.Right; ++c)
        for (int r = R.Top; r <= R.Bottom; ++r) {
            const AnsiString text = GetCellEx(c, r);
            TCellProperties* p = CellPropertiesOrNil(c, r);
            if (text.empty() && !p)
                continue;
            TRecordWriter cell("TGridCellIO");
            cell.Int("Col", c);
            cell.Int("Row", r);
            cell.Str("Cell", text);
            cell.Bool("HasProp", p != nullptr);
            cell.WriteTo(Stream);
            if (!p)
                continue;
            TCellGraphic* g = GetCellGraphic(c, r);
            const bool hasGraphic = g && g->CellType != ctEmpty && (!HasOwnedObject(g->CellType) || g->CellCreated);
            TRecordWriter prop("TGridCellPropIO");
            prop.BeginObject("CellProperties");
            prop.Bool("IsBaseCell", p->IsBaseCell(), true);
            prop.Int("CellSpanX", p->CellSpanX(), -1);
            prop.Int("CellSpanY", p->CellSpanY(), -1);
            prop.Int("OwnerCol", p->OwnerCol());
            prop.Int("OwnerRow", p->OwnerRow());
            prop.Int("Alignment", p->Alignment());
            prop.Int("BorderColor", Int64(p->BorderColor()), Int64(clBlack));
            prop.Int("BorderWidth", p->BorderWidth());
            prop.Int("BrushColor", Int64(p->BrushColor()), Int64(clNone));
            prop.Int("BrushStyle", p->BrushStyle(), bsSolid);
            prop.Int("FontColor", Int64(p->FontColor()), Int64(clNone));
            prop.Str("FontName", p->FontName());
            prop.Int("FontSize", p->FontSize());
            prop.Int("FontStyle", p->FontStyle());
            prop.Int("Editor", p->Editor());
            prop.Bool("ReadOnly", p->ReadOnly());
            prop.Int("VAlignment", p->VAlignment());
            prop.Bool("WordWrap", p->WordWrap());
            prop.Int("NodeLevel", p->NodeLevel());
            prop.EndObject();
            prop.Bool("HasGraphic", hasGraphic);
            prop.WriteTo(Stream);
            if (!hasGraphic)
                continue;
            TRecordWriter gw("TGridGraphicIO");
            gw.BeginObject("CellGraphic");
            gw.Int("CellType", g->CellType);
            gw.Int("CellVAlign", g->CellVAlign);
            gw.Int("CellHAlign", g->CellHAlign);
            gw.Int("CellIndex", g->CellIndex);
            gw.Bool("CellTransparent", g->CellTransparent);
            gw.Bool("CellCreated", g->CellCreated);
            gw.Bool("CellBoolean", g->CellBoolean);
            gw.Int("CellAngle", g->CellAngle);
            gw.Double("CellValue", g->CellValue);
            gw.Int("CellErrFrom", g->CellErrFrom);
            gw.Int("CellErrLen", g->CellErrLen);
            gw.Str("CellText", g->CellText);
            gw.EndObject();
            gw.WriteTo(Stream);
            // The object of the graphic, as far as the store holds one of the kind.
            switch (g->CellType) {
            case ctBitmap:
            case ctBitButton: {
                TRecordWriter o("TGridBMPIO");
                o.Binary("Bitmap", GraphicToPng(dynamic_cast<TGraphic*>(g->CellObject)));
                o.WriteTo(Stream);
                break;
            }
            case ctIcon: {
                TRecordWriter o("TGridIconIO");
                o.Binary("Icon", GraphicToPng(dynamic_cast<TGraphic*>(g->CellObject)));
                o.WriteTo(Stream);
                break;
            }
            case ctPicture: {
                auto* pic = dynamic_cast<TPicture*>(g->CellObject);
                TRecordWriter o("TGridPicIO");
                o.Binary("Picture", GraphicToPng(pic ? pic->Graphic() : nullptr));
                o.WriteTo(Stream);
                break;
            }
            case ctFilePicture: {
                auto* fp = dynamic_cast<TFilePicture*>(g->CellObject);
                TRecordWriter o("TGridFilePicIO");
                o.BeginObject("Picture");
                o.Str("Filename", fp ? fp->Filename() : AnsiString());
                o.EndObject();
                o.WriteTo(Stream);
                break;
            }
            case ctRadio:
            case ctImages: {
                TStringList items;
                if (auto* il = dynamic_cast<TIntList*>(g->CellObject))
                    items.SetCommaText(il->GetStrValue());
                else if (auto* sl = dynamic_cast<TStrings*>(g->CellObject))
                    items.Assign(sl);
                TRecordWriter o("TGridSLIO");
                o.List("Strings", &items);
                o.WriteTo(Stream);
                break;
            }
            default:
                break;
            }
        }
}

void TRavArodozIdad::SaveToBinStream(TStream* Stream)
{
    SaveRectToBinStream(TRect(0, 0, ColCount() - 1, RowCount() - 1), Stream);
}

namespace {

// One stored cell as read, before anything of it reaches the grid.
struct TReadCell {
    int Col = 0, Row = 0;
    AnsiString Text;
    std::optional<TRecord> Props; // the nested CellProperties object
    std::unique_ptr<TCellGraphic> Graphic;
    std::unique_ptr<TObject> Object;    // the graphic's bitmap, icon, picture or captions
    std::vector<AnsiString> ImageItems; // a ctImages graphic's indexes, made a list at its target cell
};

// The graphic record of a cell and the object record that follows it.
void ReadGraphic(TRecordReader& In, TReadCell& Cell)
{
    const TRecord gr = In.Read("TGridGraphicIO", {"CellGraphic"});
    auto read = std::make_unique<TCellGraphic>();
    if (const TRecord* o = gr.Object("CellGraphic")) {
        read->CellType = TCellType(o->Int("CellType"));
        read->CellVAlign = TCellVAlign(o->Int("CellVAlign"));
        read->CellHAlign = TCellHAlign(o->Int("CellHAlign"));
        read->CellIndex = o->Int("CellIndex");
        read->CellTransparent = o->Get<bool>("CellTransparent", false);
        read->CellCreated = o->Get<bool>("CellCreated", false);
        read->CellBoolean = o->Get<bool>("CellBoolean", false);
        read->CellAngle = o->Int("CellAngle");
        read->CellValue = o->Get<double>("CellValue", 0);
        read->CellErrFrom = short(o->Int("CellErrFrom"));
        read->CellErrLen = short(o->Int("CellErrLen"));
        read->CellText = o->Get<AnsiString>("CellText", "");
    }
    switch (read->CellType) {
    case ctBitmap:
    case ctBitButton: {
        const TRecord o = In.Read("TGridBMPIO", {"Bitmap"});
        auto b = std::make_unique<TBitmap>();
        const auto png = o.Get<std::vector<Byte>>("Bitmap", {});
        if (!png.empty())
            PngToGraphic(png, b.get());
        Cell.Object = std::move(b);
        break;
    }
    case ctIcon: {
        const TRecord o = In.Read("TGridIconIO", {"Icon"});
        auto i = std::make_unique<TIcon>();
        const auto png = o.Get<std::vector<Byte>>("Icon", {});
        if (!png.empty())
            PngToGraphic(png, i.get());
        Cell.Object = std::move(i);
        break;
    }
    case ctPicture: {
        const TRecord o = In.Read("TGridPicIO", {"Picture"});
        auto pic = std::make_unique<TPicture>();
        const auto png = o.Get<std::vector<Byte>>("Picture", {});
        if (!png.empty()) {
            TBitmap b;
            PngToGraphic(png, &b);
            pic->SetGraphic(&b);
        }
        Cell.Object = std::move(pic);
        break;
    }
    case ctFilePicture: {
        const TRecord o = In.Read("TGridFilePicIO", {"Picture"});
        auto fp = std::make_unique<TFilePicture>();
        if (const TRecord* f = o.Object("Picture"))
            fp->SetFilename(f->Get<AnsiString>("Filename", ""));
        Cell.Object = std::move(fp);
        break;
    }
    case ctRadio:
    case ctImages: {
        const TRecord o = In.Read("TGridSLIO", {"Strings"});
        const auto items = o.Get<std::vector<AnsiString>>("Strings", {});
        if (read->CellType == ctImages)
            Cell.ImageItems = items;
        else {
            auto list = std::make_unique<TStringList>();
            for (const AnsiString& i : items)
                list->Add(i);
            Cell.Object = std::move(list);
        }
        break;
    }
    default:
        break;
    }
    Cell.Graphic = std::move(read);
}

} // namespace

void TRavArodozIdad::LoadAtPointFromBinStream(const TPoint& P, TStream* Stream)
{
    // The whole stream is read before the grid is touched: a stream that breaks off
    // part-way raises its error with the user's cells as they were.
    TRecordReader in(Stream);
    const TRecord head = in.Read("TGridPropIO", {"ColCount", "RowCount", "ColWidths", "RowHeights", "FullGrid"});
    const bool full = head.Get<bool>("FullGrid", false);
    const int rows = head.Int("RowCount"), cols = head.Int("ColCount");
    std::vector<int> widths, heights;
    if (full) {
        if (rows < 0 || cols < 0)
            throw EReadError("Invalid grid size in stream");
        // The lists are checked before the grid takes the counts, so that a damaged count
        // cannot make the grid reserve what the stream never held.
        widths = IntList(head.Get<AnsiString>("ColWidths", ""), cols);
        heights = IntList(head.Get<AnsiString>("RowHeights", ""), rows);
    }
    std::vector<TReadCell> read;
    while (Stream->Size() - Stream->Position() >= 2) {
        const TRecord cell = in.Read("TGridCellIO", {"Col", "Row", "Cell", "HasProp"});
        TReadCell c;
        c.Col = cell.Int("Col");
        c.Row = cell.Int("Row");
        c.Text = cell.Get<AnsiString>("Cell", "");
        if (cell.Get<bool>("HasProp", false)) {
            const TRecord prop = in.Read("TGridCellPropIO", {"CellProperties", "HasGraphic"});
            const TRecord* o = prop.Object("CellProperties");
            c.Props = o ? *o : TRecord{};
            if (prop.Get<bool>("HasGraphic", false))
                ReadGraphic(in, c);
        }
        read.push_back(std::move(c));
    }

    if (full) {
        Clear();
        SetRowCountEx(rows);
        SetColCountEx(cols);
        for (int c = 0; c < cols; ++c)
            SetColWidths(c, widths[size_t(c)]);
        for (int r = 0; r < rows; ++r)
            SetRowHeights(r, heights[size_t(r)]);
    }
    // A whole grid goes back to its own place; a part lands with its first stored cell at the point.
    const int baseCol = full || read.empty() ? 0 : read.front().Col;
    const int baseRow = full || read.empty() ? 0 : read.front().Row;
    const int atCol = full ? 0 : P.x, atRow = full ? 0 : P.y;
    for (TReadCell& cell : read) {
        const Int64 tc64 = Int64(cell.Col) - baseCol + atCol, tr64 = Int64(cell.Row) - baseRow + atRow;
        // A target outside the grid is read past, never written.
        if (tc64 < 0 || tc64 >= ColCount() || tr64 < 0 || tr64 >= RowCount())
            continue;
        const int tc = int(tc64), tr = int(tr64);
        SetCellEx(tc, tr, cell.Text);
        if (!cell.Props)
            continue;
        const TRecord* o = &*cell.Props;
        TCellProperties props(this, tc, tr);
        props.SetIsBaseCell(o->Get<bool>("IsBaseCell", true));
        props.SetCellSpanX(o->Int("CellSpanX", -1));
        props.SetCellSpanY(o->Int("CellSpanY", -1));
        props.SetOwnerCol(o->Int("OwnerCol"));
        props.SetOwnerRow(o->Int("OwnerRow"));
        props.SetAlignment(TAlignment(o->Int("Alignment")));
        props.SetBorderColor(TColor(o->Int("BorderColor", int(clBlack))));
        props.SetBorderWidth(o->Int("BorderWidth"));
        props.SetBrushColor(TColor(o->Int("BrushColor", int(clNone))));
        props.SetBrushStyle(TBrushStyle(o->Int("BrushStyle", bsSolid)));
        props.SetFontColor(TColor(o->Int("FontColor", int(clNone))));
        props.SetFontName(o->Get<AnsiString>("FontName", ""));
        props.SetFontSize(o->Int("FontSize"));
        props.SetFontStyle(TFontStyles(o->Int("FontStyle")));
        props.SetEditor(TEditorType(o->Int("Editor")));
        props.SetReadOnly(o->Get<bool>("ReadOnly", false));
        props.SetVAlignment(TVAlignment(o->Int("VAlignment")));
        props.SetWordWrap(o->Get<bool>("WordWrap", false));
        props.SetNodeLevel(o->Int("NodeLevel"));
        GetCellProperties(tc, tr)->Assign(&props);
        if (!cell.Graphic)
            continue;
        if (cell.Graphic->CellType == ctImages) {
            auto il = std::make_unique<TIntList>(tc, tr);
            TStringList items;
            for (const AnsiString& i : cell.ImageItems)
                items.Add(i);
            il->SetStrValue(items.CommaText());
            cell.Object = std::move(il);
        }
        TCellGraphic* g = CreateCellGraphic(tc, tr);
        g->Assign(cell.Graphic.get());
        g->CellObject = cell.Object.release();
        g->CellCreated = g->CellObject != nullptr || cell.Graphic->CellCreated;
    }
    Invalidate();
}

void TRavArodozIdad::LoadFromBinStream(TStream* Stream)
{
    LoadAtPointFromBinStream(TPoint(0, 0), Stream);
    FNodeCount = 0;
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (GetCellType(0, r) == ctNode)
            ++FNodeCount;
    if (FNodeCount > 0)
        RepaintCol(0);
}

void TRavArodozIdad::SaveToBinFile(const AnsiString& FileName)
{
    TMemoryStream ms;
    SaveToBinStream(&ms);
    ms.SaveToFile(FileName);
}

void TRavArodozIdad::LoadFromBinFile(const AnsiString& FileName)
{
    TMemoryStream ms;
    ms.LoadFromFile(FileName);
    LoadFromBinStream(&ms);
}
