// Layout, drawing and hit testing of markup text.
#include <algorithm>
#include <cctype>
#include <cmath>

#include "components/grid/Raghtmle.h"
#include "platform/core/StringUtils.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/DrawTextFlags.h"
#include "platform/core/FileUtils.h"
#include "platform/forms/Shell.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/ImageList.h"

namespace {

constexpr unsigned kTextFlags = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING;

AnsiString Upper(AnsiString s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool StartsI(const AnsiString& s, const char* p)
{
    const size_t n = std::char_traits<char>::length(p);
    return s.size() >= n && Upper(s.substr(0, n)) == p;
}

AnsiString Quoted(const AnsiString& s, const AnsiString& name)
{
    const size_t p = name.empty() ? 0 : s.find(name);
    if (p == AnsiString::npos)
        return {};
    const size_t q1 = s.find('"', p + name.size());
    const size_t q2 = q1 == AnsiString::npos ? q1 : s.find('"', q1 + 1);
    return q2 == AnsiString::npos ? AnsiString() : s.substr(q1 + 1, q2 - q1 - 1);
}

// An attribute value as written: the name is found in the upper-cased tag, the value
// taken from the tag itself (picture addresses keep their case).
AnsiString QuotedAsWritten(const AnsiString& tag, const AnsiString& utag, const AnsiString& name)
{
    const size_t p = utag.find(name);
    return p == AnsiString::npos ? AnsiString() : Quoted(tag.substr(p + name.size()), "");
}

TColor ColorValue(const AnsiString& v)
{
    if (v.find('#') != AnsiString::npos)
        return HexToColor(v.substr(v.find('#')));
    return TextToColor(v);
}

struct FontState {
    AnsiString name;
    int size = 0;
    TColor color = 0;
    TFontStyles style = 0;
    TColor brush = clNone;
    int orientation = 0; // tenths of a degree
};

// State that runs on from one line to the next.
struct Run {
    FontState font;
    bool inAnchor = false, hidden = false, error = false, sub = false, sup = false, shadow = false;
    bool parBk = false;
    TColor parColor = clNone, savedBrush = clNone, savedFontColor = 0;
    int anchorNo = 0;
    AnsiString href;
    bool anchorHot = false;
    int anchorStartX = 0, anchorStartTop = 0;
    bool anchorOnThisLine = false;
    int listLevel = 0, align = 0, indent = 0;
    int anchorCount = 0, imageCount = 0;
};

struct Call {
    TCanvas* cv;
    TRect R;
    TImageList* images;
    int xpos, ypos, focusIndex, hoverIndex, shadowShift;
    bool hitTestOnly, measureOnly, selected, blink, hoverOnly, wordWrap, down;
    TColor urlColor, hoverBrush, hoverText, shadowColor, entryBrush;
    THTMLPictureCache* cache;
    TPictureContainer* container;
    FontState ref;
    int ghHeight = 0;
    int imageUnderPoint = -1;
    // outputs
    bool hit = false;
    AnsiString* hitAnchor;
    AnsiString stripped, focusHref;
    int hitAnchorNumber = -1;
    TRect* hitAnchorRect;
    TRect hitControlRect{0, 0, 0, 0};
    AnsiString ctrlId, ctrlValue, ctrlType;
    bool print = false;
    double printRatio = 1.0;
};

struct Line {
    int width = 0, height = 0, subOff = 0, supOff = 0, imgOff = 0;
};

void Apply(TCanvas* cv, const FontState& f)
{
    cv->Font()->SetName(f.name);
    cv->Font()->SetSize(f.size);
    cv->Font()->SetColor(f.color);
    cv->Font()->SetStyle(f.style);
    cv->Font()->SetOrientation(f.orientation);
    if (f.brush == clNone)
        cv->Brush()->SetStyle(bsClear);
    else
        cv->Brush()->SetColor(f.brush);
}

void SetStyle(Run& r, TFontStyles bit, bool on) { r.font.style = on ? (r.font.style | bit) : (r.font.style & ~bit); }

// Container names are case-blind; addresses keep their case and only local files load.
THTMLPicture* FindImage(Call& c, const AnsiString& src)
{
    if (src.find("://") != AnsiString::npos) {
        if (!c.cache)
            return nullptr;
        THTMLPicture* p = c.cache->FindPicture(src);
        if (!p) {
            p = c.cache->AddPicture();
            p->LoadFromURL(src);
        }
        return p;
    }
    if (src.find(':') == AnsiString::npos)
        return c.container ? c.container->FindPicture(Upper(src)) : nullptr;
    return nullptr;
}

// A picture at its own size, an animated one at its frame's place in its largest frame
// area (cleared first), or stretched into the WIDTH x HEIGHT box.
void DrawPicture(Call& c, THTMLPicture* g, const TRect& box, bool stretched)
{
    TCanvas* cv = c.cv;
    if (stretched) {
        const bool s = g->Stretch;
        g->Stretch = true;
        g->DrawOn(cv, box);
        g->Stretch = s;
        return;
    }
    int x = box.Left, y = box.Top;
    if (g->GetFrameCount() > 1) {
        if (c.entryBrush != clNone) {
            const TColor b = cv->Brush()->Color();
            const TBrushStyle st = cv->Brush()->Style();
            cv->Brush()->SetColor(c.entryBrush);
            cv->FillRect(box);
            cv->Brush()->SetColor(b);
            cv->Brush()->SetStyle(st);
        }
        if (g->Width() < g->GetMaxWidth() || g->Height() < g->GetMaxHeight()) {
            x += g->FrameXPos();
            y += g->FrameYPos();
        }
    }
    const bool s = g->Stretch;
    g->Stretch = false;
    g->DrawOn(cv, TRect(x, y, x + g->Width(), y + g->Height()));
    g->Stretch = s;
}

// One line being walked: what the steps of RenderLine share.
struct LineWalk {
    LineWalk(Call& C, Run& R, Line& L, bool Draw, int X0, int Top)
        : c(C), r(R), ln(L), cv(C.cv), draw(Draw), x0(X0), top(Top), lineWidth(C.R.Right - X0),
          bottom(Top + L.height + L.supOff)
    {
    }
    Call& c;
    Run& r;
    Line& ln;
    TCanvas* cv;
    const bool draw;
    const int x0, top, lineWidth;
    const int bottom; // text bottom on the drawing pass
    AnsiString consumed;
    int X = 0;
    bool listItem = false;
};

// A tag at the head of the text.
struct Tag {
    AnsiString tag, utag, name;
    bool closing = false;
    char a = 0, b = 0;
};

// What a tag does to the line: ends it, or stays for the next one.
struct TagEffect {
    bool lineBreak = false, stayForNext = false;
};

// ---- line layout

// The paragraph's background, and an anchor that runs on from the line before.
void StartLine(LineWalk& w)
{
    Call& c = w.c;
    Run& r = w.r;
    if (w.draw && r.parBk && r.parColor != clNone) {
        w.cv->Brush()->SetColor(r.parColor);
        w.cv->FillRect(TRect(c.R.Left, w.top, c.R.Right, w.top + w.ln.height));
        Apply(w.cv, r.font);
    }
    if (w.draw && r.inAnchor) {
        r.anchorStartX = w.x0;
        r.anchorStartTop = w.top;
    }
}

void EndLine(LineWalk& w)
{
    Call& c = w.c;
    Run& r = w.r;
    // A focused anchor still open at the line's end is framed up to here and goes on.
    if (w.draw && !c.hitTestOnly && r.inAnchor && r.anchorNo - 1 == c.focusIndex)
        w.cv->DrawFocusRect(TRect(r.anchorStartX, w.bottom - c.ghHeight, w.x0 + w.X + 1, w.bottom));
    // A trailing blank does not count in the line's width.
    if (!w.draw && c.wordWrap && !w.consumed.empty() && w.consumed.back() == ' ' && w.X > 0)
        w.X -= w.cv->TextWidth(" ");
    w.ln.width = std::max(w.ln.width, w.X);
}

// ---- text runs

// Where the run before the next tag (or after the next blank, when wrapping) ends.
size_t RunEnd(const Call& c, const AnsiString& text)
{
    const size_t lt = text.find('<');
    size_t segEnd = lt == AnsiString::npos ? text.size() : lt;
    if (c.wordWrap) {
        const size_t sp = text.find(' ');
        if (sp != AnsiString::npos && sp < segEnd)
            segEnd = sp + 1;
    }
    return segEnd;
}

// Draws a measured run of width W at the line's X, and notes an anchor under the point.
void DrawRun(LineWalk& w, const AnsiString& seg, int W)
{
    Call& c = w.c;
    Run& r = w.r;
    Line& ln = w.ln;
    TCanvas* cv = w.cv;
    const int sx = w.x0 + w.X;
    int tb = w.bottom - ln.imgOff;
    if (r.sub)
        tb += ln.subOff;
    if (r.sup)
        tb -= ln.supOff;
    // The hit band: from the text bottom up by the height of "gh".
    if (r.inAnchor && c.xpos >= sx && c.xpos < sx + W && c.ypos <= w.bottom && c.ypos > w.bottom - c.ghHeight) {
        r.anchorHot = true;
        c.hit = true;
        *c.hitAnchor = r.href;
    }
    if (!c.hitTestOnly) {
        TRect d(sx, w.top, c.wordWrap ? sx + W : c.R.Right, tb);
        const unsigned f = kTextFlags | (c.wordWrap ? 0u : DT_END_ELLIPSIS);
        if (r.shadow) {
            TRect s = d;
            s = TRect(s.Left + c.shadowShift, s.Top + c.shadowShift, s.Right + c.shadowShift, s.Bottom + c.shadowShift);
            cv->Font()->SetColor(c.shadowColor);
            cv->DrawText(seg, s, f);
            cv->Font()->SetColor(r.font.color);
        }
        if (r.font.orientation != 0)
            cv->TextOut(sx, tb, seg); // turned about the segment's start on the text bottom
        else
            cv->DrawText(seg, d, f);
        if (r.error) {
            cv->Pen()->SetColor(clRed);
            int x = sx & ~1;
            bool low = x % 4 == 0;
            cv->MoveTo(x, tb + (low ? 2 : 0));
            for (; x < sx + W; x += 2) {
                low = !low;
                cv->LineTo(x + 2, tb + (low ? 2 : 0));
            }
        }
    }
    if (r.inAnchor && r.anchorNo - 1 == c.focusIndex)
        c.focusHref = r.href;
}

// Measures (and on the drawing pass draws) the run of segEnd characters at the head of
// text; false when the line, or the whole text, ends here.
bool TextRun(LineWalk& w, AnsiString& text, size_t segEnd)
{
    Call& c = w.c;
    Run& r = w.r;
    Line& ln = w.ln;
    TCanvas* cv = w.cv;
    AnsiString seg = text.substr(0, segEnd);
    seg = StringReplace(seg, "&nbsp;", " ", rfReplaceAll | rfIgnoreCase);
    seg = StringReplace(seg, "&lt;", "<", rfReplaceAll | rfIgnoreCase);
    seg = StringReplace(seg, "&gt;", ">", rfReplaceAll | rfIgnoreCase);
    Apply(cv, r.font);
    TRect m(0, 0, 0, 0);
    cv->DrawText(seg, m, kTextFlags | DT_CALCRECT);
    const int H = m.Height(), W = r.hidden ? 0 : m.Width();
    const bool fits = w.X + W <= w.lineWidth || W > w.lineWidth || w.consumed.empty() ||
                      (!w.consumed.empty() && w.consumed.back() != ' ');
    if (!w.draw && c.wordWrap && !fits)
        return false;
    if (r.sub)
        ln.subOff = std::max(ln.subOff, H / 4);
    if (r.sup)
        ln.supOff = std::max(ln.supOff, H / 4);
    ln.height = std::max(ln.height, H);
    if (!w.draw)
        c.stripped += seg;
    if (w.draw && !r.hidden)
        DrawRun(w, seg, W);
    w.X += W;
    w.consumed += text.substr(0, segEnd);
    text.erase(0, segEnd);
    if (!c.wordWrap && w.X > w.lineWidth && w.consumed.size() > segEnd) {
        // Without word wrap an overflowing segment ends the whole text.
        text.clear();
        return false;
    }
    return true;
}

// ---- tags

Tag ParseTag(const AnsiString& text)
{
    Tag t;
    const size_t gt = text.find('>');
    t.tag = gt == AnsiString::npos ? text : text.substr(0, gt + 1);
    t.utag = Upper(t.tag);
    t.closing = t.utag.size() > 2 && t.utag[1] == '/';
    t.name = t.utag.substr(t.closing ? 2 : 1);
    t.a = t.name.empty() ? 0 : t.name[0];
    t.b = t.name.size() > 1 ? t.name[1] : 0;
    return t;
}

void OpenAnchor(LineWalk& w, const Tag& t)
{
    Call& c = w.c;
    Run& r = w.r;
    r.inAnchor = true;
    r.anchorNo = ++r.anchorCount;
    r.href = Quoted(t.tag, "");
    r.anchorHot = false;
    r.anchorStartX = w.x0 + w.X;
    r.anchorStartTop = w.top;
    if (w.draw && (!c.hoverOnly || r.anchorNo == c.hoverIndex)) {
        SetStyle(r, fsUnderline, true);
        r.savedBrush = r.font.brush;
        if (c.hoverOnly && c.hoverBrush != clNone)
            r.font.brush = c.hoverBrush;
        if (!c.selected)
            r.font.color = (c.hoverOnly && c.hoverText != clNone) ? c.hoverText : c.urlColor;
    } else if (!c.hoverOnly) {
        SetStyle(r, fsUnderline, true);
    }
    if (!w.draw && !c.selected && !c.hoverOnly)
        r.font.color = c.urlColor;
}

// <BODY>: the colour first, so a background picture shows over it.
void BodyTag(LineWalk& w, const Tag& t)
{
    Call& c = w.c;
    TCanvas* cv = w.cv;
    if (!w.draw || c.hitTestOnly)
        return;
    const AnsiString bg = Quoted(t.utag, "BGCOLOR");
    if (!bg.empty()) {
        cv->Brush()->SetColor(ColorValue(bg));
        cv->FillRect(c.R);
        Apply(cv, w.r.font);
    }
    const AnsiString src = QuotedAsWritten(t.tag, t.utag, "BACKGROUND");
    THTMLPicture* p = src.empty() ? nullptr : FindImage(c, src);
    if (p && !p->Empty() && p->Width() > 0 && p->Height() > 0) {
        cv->SaveDC();
        cv->IntersectClipRect(c.R);
        for (int y = c.R.Top; y < c.R.Bottom; y += p->Height())
            for (int x = c.R.Left; x < c.R.Right; x += p->Width())
                DrawPicture(c, p, TRect(x, y, x + p->Width(), y + p->Height()), false);
        cv->RestoreDC();
        Apply(cv, w.r.font);
    }
}

// ---- controls

// A form control's face in the box of width W at x on the line.
void DrawControl(LineWalk& w, const AnsiString& type, const AnsiString& value, int x, int W, int H)
{
    Call& c = w.c;
    TCanvas* cv = w.cv;
    const bool checked = Upper(value) == "TRUE";
    const int B = w.bottom, LH = w.ln.height;
    cv->Brush()->SetStyle(bsClear);
    cv->Pen()->SetColor(clGray);
    cv->Font()->SetColor(clBlack);
    cv->Font()->SetStyle(0);
    if (type == "EDIT" || type == "COMBO") {
        cv->Rectangle(x, B - LH + 3, x + W, B + 1);
        TRect t(x + 2, B - LH + 4, x + W - (type == "COMBO" ? 17 : 0), B);
        cv->DrawText(value, t, kTextFlags | DT_NOPREFIX);
        if (type == "COMBO") {
            TRect d(x + W - 19, B - LH + 6, x + W - 3, B - 2);
            cv->Brush()->SetColor(clBtnFace);
            cv->FillRect(d);
            cv->Brush()->SetColor(clBlack);
            const int cx = (d.Left + d.Right) / 2, cy = (d.Top + d.Bottom) / 2;
            cv->Polygon({TPoint(cx - 3, cy - 1), TPoint(cx + 3, cy - 1), TPoint(cx, cy + 2)});
        }
    } else if (type == "CHECK") {
        cv->Brush()->SetColor(clWindow);
        cv->Rectangle(x + 2, B - 15, x + 15, B);
        if (checked) {
            cv->Pen()->SetColor(clBlack);
            cv->Polyline({TPoint(x + 5, B - 8), TPoint(x + 7, B - 5), TPoint(x + 12, B - 11)});
        }
    } else if (type == "RADIO") {
        cv->Brush()->SetColor(clWindow);
        cv->Ellipse(x + 2, B - 14, x + 14, B);
        if (checked) {
            cv->Brush()->SetColor(clBlack);
            cv->Ellipse(x + 5, B - 11, x + 11, B - 3);
        }
    } else if (type == "BUTTON") {
        TRect bx(x + 2, B - 20, x + W - 2, B);
        cv->Brush()->SetColor(clBtnFace);
        cv->FillRect(bx);
        TRect e = bx;
        // Pressed while the button is down under the point.
        const bool hot = c.xpos > x - 2 && c.xpos < x + W - 2 && c.ypos > B - H - 2 && c.ypos < B - 2;
        cv->DrawEdge(e, c.down && hot ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        TRect t(bx.Left + 2, bx.Top + 2, bx.Right - 2, bx.Bottom - 2);
        cv->DrawText(value, t, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    Apply(cv, w.r.font);
}

// <CONTROL>: its box on the line (left for the next line when it does not fit), its
// face and its hit area.
void ControlTag(LineWalk& w, const Tag& t, TagEffect& e)
{
    Call& c = w.c;
    AnsiString type, id, width, value;
    ParseControlTag(t.tag.size() > 8 ? t.tag.substr(8) : AnsiString(), type, id, width, value);
    int W = IStrToInt(width), H = c.ghHeight + 6;
    if (type == "BUTTON")
        H = 24;
    else if (type == "COMBO")
        H = 25;
    else if (type == "CHECK" || type == "RADIO")
        W = H = 16;
    if (w.X + W > w.lineWidth && W <= w.lineWidth && w.X > 0) {
        e.stayForNext = true;
        return;
    }
    const int x = w.x0 + w.X;
    if (w.draw && !c.hitTestOnly)
        DrawControl(w, type, value, x, W, H);
    if (w.draw && c.xpos >= x && c.xpos < x + W && c.ypos >= w.top && c.ypos < w.top + H) {
        c.hit = true;
        *c.hitAnchor = "ctrl";
        c.hitControlRect = TRect(x, w.top, x + W, w.top + H);
        c.ctrlId = id;
        c.ctrlValue = value;
        c.ctrlType = type;
    }
    w.X += W;
    w.ln.height = std::max(w.ln.height, H);
}

// ---- images

// <IMG>: its box on the line (left for the next line when it does not fit), the picture
// and the anchor or ALT text under the point.
void ImageTag(LineWalk& w, const Tag& t, TagEffect& e)
{
    Call& c = w.c;
    Run& r = w.r;
    Line& ln = w.ln;
    TCanvas* cv = w.cv;
    ++r.imageCount;
    AnsiString src = Quoted(t.tag, "SRC");
    const AnsiString alt = Quoted(t.tag, "ALT");
    if (c.imageUnderPoint == r.imageCount && !alt.empty())
        src = alt;
    int iwd = 0, iht = 0;
    THTMLPicture* g = nullptr;
    int idx = -1;
    bool sys = false;
    const bool large = StartsI(src, "LSYS:");
    if (large || StartsI(src, "SSYS:")) {
        sys = true;
        iwd = iht = large ? 32 : 16;
    } else if (StartsI(src, "IDX:")) {
        idx = IStrToInt(src.substr(4));
        if (c.images && idx >= 0 && idx < c.images->Count()) {
            iwd = c.images->Width();
            iht = c.images->Height();
        } else
            idx = -1;
    } else {
        g = FindImage(c, src);
        if (g && !g->Empty()) {
            iwd = g->GetMaxWidth();
            iht = g->GetMaxHeight();
        } else
            g = nullptr;
    }
    const int iw = IStrToInt(Quoted(t.utag, "WIDTH")), ih = IStrToInt(Quoted(t.utag, "HEIGHT"));
    if (g && iw >= 1 && ih >= 1) {
        iwd = iw;
        iht = ih;
    }
    // On paper every image box grows to the printer's resolution.
    if (c.print) {
        iwd = static_cast<int>(std::lround(iwd * c.printRatio));
        iht = static_cast<int>(std::lround(iht * c.printRatio));
    }
    if (w.X + iwd > w.lineWidth && iwd <= w.lineWidth && w.X > 0) {
        --r.imageCount;
        e.stayForNext = true;
        return;
    }
    const int x = w.x0 + w.X;
    const AnsiString al = Quoted(t.utag, "ALIGN");
    if (al == "TOP")
        ln.imgOff = ln.height - c.ghHeight;
    else if (al == "MIDDLE")
        ln.imgOff = (ln.height - c.ghHeight) / 2;
    if (w.draw) {
        const int y = w.bottom - iht;
        if (!c.hitTestOnly) {
            if (idx >= 0 && c.print) {
                TBitmap b;
                c.images->GetBitmap(idx, &b);
                PrintBitmap(cv, TRect(x, y, x + iwd, y + iht), &b);
            } else if (idx >= 0)
                c.images->Draw(cv, x, y, idx);
            else if (g)
                DrawPicture(c, g, TRect(x, y, x + iwd, y + iht), c.print || (iw >= 1 && ih >= 1));
            else if (sys) {
                int size = 0;
                DrawSystemIcon(cv, x, y, size, c.printRatio, c.print, true, large, src.substr(5));
            }
        }
        if (c.xpos >= x && c.xpos < x + iwd && c.ypos >= y && c.ypos < y + iht) {
            c.imageUnderPoint = r.imageCount;
            if (r.inAnchor) {
                c.hit = true;
                *c.hitAnchor = r.href;
                r.anchorHot = true;
            }
        }
    }
    w.X += iwd;
    ln.height = std::max(ln.height, iht);
}

// ---- tags

void FontTag(LineWalk& w, const Tag& t)
{
    Call& c = w.c;
    Run& r = w.r;
    const AnsiString attrs = t.utag.size() > 5 ? t.utag.substr(5) : AnsiString();
    const AnsiString face = Quoted(attrs, "FACE");
    if (!face.empty())
        r.font.name = face;
    const AnsiString col = Quoted(attrs, " COLOR");
    if (!col.empty() && !c.selected)
        r.font.color = ColorValue(col);
    const AnsiString bg = Quoted(attrs, "BGCOLOR");
    if (!bg.empty() && w.draw && !c.selected) {
        r.savedBrush = r.font.brush;
        r.font.brush = ColorValue(bg);
    }
    const AnsiString sz = Quoted(attrs, "SIZE");
    if (!sz.empty()) {
        static const int sizes[] = {8, 10, 12, 14, 16};
        const int n = IStrToInt(sz);
        r.font.size = n >= 1 && n <= 5 ? sizes[n - 1] : n;
    }
}

void ParagraphTag(LineWalk& w, const Tag& t)
{
    Call& c = w.c;
    Run& r = w.r;
    const AnsiString& utag = t.utag;
    const AnsiString al = Quoted(utag, "ALIGN");
    if (al.find("LEFT") != AnsiString::npos)
        r.align = 0;
    else if (al.find("RIGHT") != AnsiString::npos)
        r.align = 1;
    else if (al.find("CENTER") != AnsiString::npos)
        r.align = 2;
    const AnsiString ind = Quoted(utag, "INDENT");
    if (!ind.empty())
        r.indent = IStrToInt(ind);
    if (utag.find("BGCOLOR") != AnsiString::npos) {
        const AnsiString col = Quoted(utag, "BGCOLOR");
        r.parColor = col.empty() ? clNone : ColorValue(col);
        r.parBk = true;
        if (w.draw && r.parColor != clNone) {
            w.cv->Brush()->SetColor(r.parColor);
            w.cv->FillRect(TRect(c.R.Left, w.top, c.R.Right, w.top + w.ln.height));
        }
    }
}

void OpenTag(LineWalk& w, const Tag& t, TagEffect& e)
{
    Call& c = w.c;
    Run& r = w.r;
    TCanvas* cv = w.cv;
    const AnsiString& tag = t.tag;
    const AnsiString& utag = t.utag;
    const char a = t.a, b = t.b;
    if (a == 'A') {
        OpenAnchor(w, t);
    } else if (utag == "<B>") {
        SetStyle(r, fsBold, true);
    } else if (a == 'B' && b == 'R') {
        e.lineBreak = true;
        if (!w.draw)
            c.stripped += '\r';
    } else if (a == 'B' && b == 'L') {
        if (!c.blink)
            r.font.color = c.entryBrush;
    } else if (a == 'B' && b == 'O') {
        BodyTag(w, t);
    } else if (a == 'C') {
        ControlTag(w, t, e);
    } else if (a == 'E') {
        r.error = true;
    } else if (a == 'F') {
        FontTag(w, t);
    } else if (a == 'H' && b == 'I') {
        if (w.draw) {
            r.savedBrush = r.font.brush;
            r.savedFontColor = r.font.color;
            r.font.brush = clHighlight;
            r.font.color = clHighlightText;
        }
    } else if (a == 'H' && b == 'R') {
        e.lineBreak = true;
        if (w.draw && !c.hitTestOnly) {
            cv->Pen()->SetColor(clBlack);
            cv->MoveTo(w.x0, w.bottom + 1);
            cv->LineTo(c.R.Right, w.bottom + 1);
        }
    } else if (utag == "<I>") {
        SetStyle(r, fsItalic, true);
    } else if (a == 'I' && b == 'N') {
        const int n = IStrToInt(Quoted(tag, ""));
        if (n > w.X)
            w.X = n;
    } else if (a == 'I' && b == 'M') {
        ImageTag(w, t, e);
    } else if (a == 'L') {
        if (w.listItem) {
            e.lineBreak = true;
            e.stayForNext = true;
        } else {
            w.listItem = true;
            w.X += r.listLevel * 12;
            if (w.draw && !c.hitTestOnly) {
                TRect d(w.x0 + (r.listLevel - 1) * 12, w.top, w.x0 + w.X + 12, w.bottom);
                cv->DrawText(r.listLevel % 2 ? "\xB7" : "o", d, kTextFlags | DT_NOPREFIX);
            }
            w.X += 12;
        }
    } else if (a == 'P') {
        ParagraphTag(w, t);
    } else if (utag == "<S>") {
        SetStyle(r, fsStrikeOut, true);
    } else if (a == 'S' && b == 'H') {
        r.shadow = true;
    } else if (utag == "<SUB>") {
        r.sub = true;
    } else if (utag == "<SUP>") {
        r.sup = true;
    } else if (utag == "<U>") {
        SetStyle(r, fsUnderline, true);
    } else if (a == 'U') {
        ++r.listLevel;
    } else if (a == 'Z') {
        r.hidden = true;
    } else if (a == 'R') {
        r.font.orientation = IStrToInt(Quoted(tag, "")) * 10;
    }
}

void CloseAnchor(LineWalk& w)
{
    Call& c = w.c;
    Run& r = w.r;
    SetStyle(r, fsUnderline, false);
    r.font.brush = r.savedBrush;
    if (!c.selected)
        r.font.color = c.ref.color;
    if (w.draw && r.anchorHot) {
        *c.hitAnchorRect = TRect(r.anchorStartX, r.anchorStartTop, w.x0 + w.X, w.bottom);
        c.hitAnchorNumber = r.anchorNo;
    }
    if (w.draw && !c.hitTestOnly && r.anchorNo - 1 == c.focusIndex) {
        TRect fr(r.anchorStartX, w.bottom - c.ghHeight, w.x0 + w.X + 1, w.bottom);
        w.cv->DrawFocusRect(fr);
    }
    r.inAnchor = false;
    r.anchorHot = false;
}

void CloseTag(LineWalk& w, const Tag& t, TagEffect& e)
{
    Call& c = w.c;
    Run& r = w.r;
    const AnsiString& utag = t.utag;
    const char a = t.a, b = t.b;
    if (a == 'A') {
        CloseAnchor(w);
    } else if (utag == "</B>") {
        SetStyle(r, fsBold, false);
    } else if (a == 'B') {
        r.font.color = c.ref.color;
    } else if (a == 'E') {
        r.error = false;
    } else if (a == 'F') {
        r.font.name = c.ref.name;
        r.font.size = c.ref.size;
        if (!c.selected) {
            r.font.color = c.ref.color;
            if (w.draw)
                r.font.brush = r.savedBrush;
        }
    } else if (a == 'H') {
        if (w.draw) {
            r.font.brush = r.savedBrush;
            r.font.color = r.savedFontColor;
        }
    } else if (a == 'I') {
        SetStyle(r, fsItalic, false);
    } else if (a == 'P') {
        e.lineBreak = true;
        r.font.brush = r.savedBrush;
        r.parBk = false;
    } else if (a == 'S' && b == 'H') {
        r.shadow = false;
    } else if (a == 'S' && b == 'U') {
        r.sub = r.sup = false;
    } else if (a == 'S') {
        SetStyle(r, fsStrikeOut, false);
    } else if (utag == "</U>") {
        SetStyle(r, fsUnderline, false);
    } else if (a == 'U') {
        if (r.listLevel > 0)
            --r.listLevel;
        else
            SetStyle(r, fsUnderline, false);
    } else if (a == 'Z') {
        r.hidden = false;
    } else if (a == 'R') {
        r.font.orientation = 0;
    }
}

// One line: consumes from text what fits (measuring) or renders all of text (drawing).
// x0/top: the line's start; returns the consumed text.
AnsiString RenderLine(Call& c, Run& r, AnsiString& text, bool draw, int x0, int top, Line& ln)
{
    LineWalk w(c, r, ln, draw, x0, top);
    StartLine(w);
    while (!text.empty()) {
        const size_t segEnd = RunEnd(c, text);
        if (segEnd > 0) {
            if (!TextRun(w, text, segEnd))
                break;
            continue;
        }
        if (text.size() <= 2) {
            text.clear();
            break;
        }
        const Tag t = ParseTag(text);
        TagEffect e;
        if (t.closing)
            CloseTag(w, t, e);
        else
            OpenTag(w, t, e);
        if (e.stayForNext && !e.lineBreak)
            break;
        if (!e.stayForNext) {
            w.consumed += t.tag;
            text.erase(0, t.tag.size());
        }
        if (e.lineBreak)
            break;
    }
    EndLine(w);
    return w.consumed;
}

} // namespace

bool HTMLDrawEx(TCanvas* Canvas, AnsiString s, const TRect& R, TImageList* SourceImages, int XPos, int YPos,
                int FocusIndex, int HoverIndex, int ShadowShift, bool HitTestOnly, bool MeasureOnly, bool Print,
                bool Selected, bool Blink, bool HoverOnly, bool WordWrap, bool Down, double PrintRatio,
                TColor URLColor, TColor HoverBrushColor, TColor HoverTextColor, TColor ShadowColor,
                AnsiString& HitAnchor, AnsiString& StrippedText, AnsiString& FocusHref, int& MeasuredWidth,
                int& MeasuredHeight, int& AnchorCount, int& HitAnchorNumber, TRect& HitAnchorRect,
                TRect& HitControlRect, AnsiString& HitControlId, AnsiString& HitControlValue,
                AnsiString& HitControlType, THTMLPictureCache* PictureCache, TPictureContainer* PictureContainer,
                void* /*OwnerHandle*/)
{
    Call c{Canvas, R, SourceImages, XPos, YPos, FocusIndex, HoverIndex, ShadowShift, HitTestOnly, MeasureOnly,
           Selected, Blink, HoverOnly, WordWrap, Down, URLColor, HoverBrushColor, HoverTextColor, ShadowColor,
           Canvas->Brush()->Style() == bsClear ? clNone : Canvas->Brush()->Color(), PictureCache, PictureContainer,
           {}, 0, -1, false, &HitAnchor, {}, {}, -1, &HitAnchorRect, TRect(0, 0, 0, 0), {}, {}, {}};
    TFont entryFont;
    entryFont.Assign(Canvas->Font());
    const TBrushStyle entryStyle = Canvas->Brush()->Style();
    const TColor entryBrushColor = Canvas->Brush()->Color();
    const TBkMode entryBk = Canvas->BkMode();
    Canvas->SetBkMode(bkTransparent);

    c.print = Print;
    c.printRatio = PrintRatio > 0 ? PrintRatio : 1.0;
    c.ref = FontState{entryFont.Name(), entryFont.Size(), entryFont.Color(), entryFont.Style(), clNone,
                      entryFont.Orientation()};
    c.ghHeight = Canvas->TextHeight("gh");

    // Entities ("&amp;" keeps a literal "&" through the prefix handling of the drawing).
    if (s.find('&') != AnsiString::npos) {
        static const char* const ent[][2] = {{"&amp;", "&&"},    {"&quot;", "\""},   {"&sect;", "\xA7"},
                                             {"&permil;", "\x89"}, {"&reg;", "\xAE"},   {"&copy;", "\xA9"},
                                             {"&para;", "\xB6"},   {"&trade;", "\x99"}, {"&euro;", "\x80"}};
        for (const auto& e : ent)
            s = StringReplace(s, e[0], e[1], rfReplaceAll | rfIgnoreCase);
    }
    s = CRLFToBR(UnwrapHashTag(s), true);

    Run run;
    run.font = c.ref;
    int top = R.Top;
    int measuredW = 0, measuredH = 0;
    while (!s.empty()) {
        Run saved = run;
        const int countBefore = run.anchorCount, imagesBefore = run.imageCount;
        Line ln;
        const AnsiString lineText = RenderLine(c, run, s, false, R.Left + 1, top, ln);
        int x0 = R.Left + 1;
        if (run.align == 1 && R.Right - ln.width > x0)
            x0 = R.Right - ln.width;
        else if (run.align == 2 && (R.Right - x0 - ln.width) / 2 > 0)
            x0 += (R.Right - x0 - ln.width) / 2;
        x0 += run.indent;
        const int lineH = ln.height + ln.subOff + ln.supOff;
        if (!MeasureOnly) {
            Run drawRun = saved;
            drawRun.anchorCount = countBefore;
            drawRun.imageCount = imagesBefore;
            drawRun.align = run.align;
            drawRun.indent = run.indent;
            AnsiString t = lineText;
            Line dl = ln;
            const AnsiString strippedBefore = c.stripped;
            RenderLine(c, drawRun, t, true, x0, top, dl);
            c.stripped = strippedBefore;
        }
        measuredW = std::max(measuredW, ln.width);
        top += lineH;
        measuredH += lineH;
        if (lineText.empty() && !s.empty())
            s.erase(0, 1); // nothing fits and nothing was consumed: never loop
        if (top > R.Bottom && !MeasureOnly)
            break;
    }
    if (measuredH == 0)
        measuredH = c.ghHeight;

    Canvas->Font()->Assign(&entryFont);
    Canvas->Brush()->SetColor(entryBrushColor);
    Canvas->Brush()->SetStyle(entryStyle);
    Canvas->SetBkMode(entryBk);

    StrippedText = c.stripped;
    FocusHref = c.focusHref;
    MeasuredWidth = measuredW;
    MeasuredHeight = measuredH;
    AnchorCount = run.anchorCount;
    HitAnchorNumber = c.hitAnchorNumber;
    HitControlRect = c.hitControlRect;
    HitControlId = c.ctrlId;
    HitControlValue = c.ctrlValue;
    HitControlType = c.ctrlType;
    return c.hit;
}

TPoint HTMLDrawEx(TCanvas* Canvas, const AnsiString& Text, const TRect& R, TColor URLColor, bool BlinkPhase,
                  bool MeasureOnly, bool WordWrap, TImageList* Images, THTMLPictureCache* Cache,
                  TPictureContainer* Container)
{
    AnsiString anchor, stripped, focus, id, value, type;
    int w = 0, h = 0, count = 0, number = -1;
    TRect ar(0, 0, 0, 0), cr(0, 0, 0, 0);
    HTMLDrawEx(Canvas, Text, R, Images, -1, -1, -1, -1, 1, false, MeasureOnly, false, false, BlinkPhase, false,
               WordWrap, false, 1.0, URLColor, clNone, clNone, clGray, anchor, stripped, focus, w, h, count, number,
               ar, cr, id, value, type, Cache, Container, nullptr);
    return TPoint(w, h);
}

void SelectRotatedFont(TCanvas* Canvas, int Degrees) { Canvas->Font()->SetOrientation(Degrees * 10); }

void RestoreFont(TCanvas* Canvas) { Canvas->Font()->SetOrientation(0); }

void PrintBitmap(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap)
{
    if (Canvas && Bitmap && !Bitmap->Empty())
        Canvas->StretchDraw(R, Bitmap);
}

namespace {

// A plain page (a file) or folder when the desktop has no icon for the name.
void DrawPlainIcon(TCanvas* cv, const TRect& R, bool folder)
{
    const TColor brush = cv->Brush()->Color();
    const TBrushStyle style = cv->Brush()->Style();
    const TColor pen = cv->Pen()->Color();
    const int w = R.Width(), h = R.Height();
    cv->Pen()->SetColor(clGray);
    if (folder) {
        cv->Brush()->SetColor(TColor(0x5CC8F0));
        cv->Rectangle(R.Left + 1, R.Top + h / 4, R.Right - 1, R.Bottom - 2);
        cv->Rectangle(R.Left + 1, R.Top + h / 8, R.Left + w / 2, R.Top + h / 4 + 1);
    } else {
        const int fold = w / 4;
        cv->Brush()->SetColor(clWhite);
        cv->Polygon({TPoint(R.Left + w / 8, R.Top + 1), TPoint(R.Right - w / 8 - fold, R.Top + 1),
                     TPoint(R.Right - w / 8 - 1, R.Top + 1 + fold), TPoint(R.Right - w / 8 - 1, R.Bottom - 1),
                     TPoint(R.Left + w / 8, R.Bottom - 1)});
        cv->MoveTo(R.Right - w / 8 - fold, R.Top + 1);
        cv->LineTo(R.Right - w / 8 - fold, R.Top + 1 + fold);
        cv->LineTo(R.Right - w / 8, R.Top + 1 + fold);
    }
    cv->Pen()->SetColor(pen);
    cv->Brush()->SetColor(brush);
    cv->Brush()->SetStyle(style);
}

} // namespace

void DrawSystemIcon(TCanvas* Canvas, int X, int Y, int& Size, double PrintRatio, bool Print, bool Draw, bool Large,
                    const AnsiString& Name)
{
    Size = Large ? 32 : 16;
    if (!Draw || !Canvas)
        return;
    const double ratio = Print && PrintRatio > 0 ? PrintRatio : 1.0;
    const TRect box(X, Y, X + static_cast<int>(std::lround(Size * ratio)), Y + static_cast<int>(std::lround(Size * ratio)));
    TIcon icon;
    if (DesktopFileIcon(Name, Large, &icon))
        Canvas->StretchDraw(box, &icon);
    else {
        const bool folder = !Name.empty() && (Name.back() == '/' || DirectoryExists(Name));
        DrawPlainIcon(Canvas, box, folder);
    }
}
