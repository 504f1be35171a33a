#include "platform/forms/DragDrop.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <map>

#include "platform/forms/DragDrop_p.h"
#include "platform/forms/FormsImpl_p.h"

using namespace zvqt;
using namespace zvforms;

namespace {

std::map<TWinControl*, TDropTargetHandler*>& Targets()
{
    static std::map<TWinControl*, TDropTargetHandler*> t;
    return t;
}

TDropScript& Script()
{
    static TDropScript s;
    return s;
}

TDragData DataOf(const QMimeData* m)
{
    TDragData d;
    if (m->hasText()) {
        d.HasText = true;
        d.Text = FromQString(m->text());
    }
    if (m->hasFormat("text/rtf")) {
        d.HasRTF = true;
        d.RTF = m->data("text/rtf").toStdString();
    }
    for (const QUrl& u : m->urls())
        if (u.isLocalFile())
            d.Files.push_back(FromQString(u.toLocalFile()));
    for (const QString& f : m->formats())
        if (f.startsWith(QLatin1String(kAppFormatPrefix))) {
            const QByteArray b = m->data(f);
            d.AppFormats[FromQString(f)] = std::vector<Byte>(b.begin(), b.end());
        }
    return d;
}

int EffectOf(Qt::DropAction a)
{
    return a == Qt::MoveAction ? DROPEFFECT_MOVE : a == Qt::CopyAction ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

Qt::DropAction ActionOf(int Effect)
{
    return Effect & DROPEFFECT_MOVE ? Qt::MoveAction : Effect & DROPEFFECT_COPY ? Qt::CopyAction : Qt::IgnoreAction;
}

// Turns the Qt drag events of one registered window into the handler's calls.
class DropFilter : public QObject {
public:
    DropFilter(TWinControl* c, QObject* parent) : QObject(parent), FControl(c) {}
    bool eventFilter(QObject*, QEvent* e) override
    {
        TDropTargetHandler* h = DropTargetOf(FControl);
        if (!h)
            return false;
        switch (e->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* d = static_cast<QDropEvent*>(e);
            const TShiftState s = ShiftOf(d->modifiers(), d->buttons());
            const TPoint p = FControl->ClientToScreen(TPoint(d->position().toPoint().x(), d->position().toPoint().y()));
            int effect = DROPEFFECT_NONE;
            Guard([&] {
                effect = e->type() == QEvent::DragEnter ? h->DragEnter(DataOf(d->mimeData()), s, p) : h->DragOver(s, p);
            });
            d->setDropAction(ActionOf(effect));
            if (effect != DROPEFFECT_NONE)
                d->accept();
            else
                d->ignore();
            return true;
        }
        case QEvent::DragLeave:
            Guard([&] { h->DragLeave(); });
            return true;
        case QEvent::Drop: {
            auto* d = static_cast<QDropEvent*>(e);
            const TShiftState s = ShiftOf(d->modifiers(), d->buttons());
            const TPoint p = FControl->ClientToScreen(TPoint(d->position().toPoint().x(), d->position().toPoint().y()));
            int effect = DROPEFFECT_NONE;
            Guard([&] { effect = h->Drop(DataOf(d->mimeData()), s, p); });
            d->setDropAction(ActionOf(effect));
            d->accept();
            return true;
        }
        default:
            return false;
        }
    }

private:
    TWinControl* FControl;
};

} // namespace

bool RegisterDragDrop(TWinControl* Window, TDropTargetHandler* Handler)
{
    if (!Window || !Handler)
        return false;
    Window->HandleNeeded();
    QWidget* w = Window->HandleAllocated() ? ImplOf(Window)->widget.data() : nullptr;
    if (!w)
        return false;
    Targets()[Window] = Handler;
    w->setAcceptDrops(true);
    w->installEventFilter(new DropFilter(Window, w));
    return true;
}

void RevokeDragDrop(TWinControl* Window)
{
    Targets().erase(Window);
    if (Window && Window->HandleAllocated())
        if (QWidget* w = ImplOf(Window)->widget.data())
            w->setAcceptDrops(false);
}

TDropTargetHandler* DropTargetOf(TWinControl* Window)
{
    auto it = Targets().find(Window);
    return it == Targets().end() ? nullptr : it->second;
}

namespace zvforms {
void SetDropScript(const TDropScript& S) { Script() = S; }
} // namespace zvforms

int DoDragDrop(TControl* Source, const TDragData& Data, int AllowedEffects)
{
    if (Script().active) {
        // A test's drag: entry, one move and the drop at the scripted point, as a user's would go.
        const TDropScript s = Script();
        Script() = TDropScript();
        TDropTargetHandler* h = s.target ? DropTargetOf(s.target) : nullptr;
        if (!h)
            return DROPEFFECT_NONE;
        const TPoint p = s.target->ClientToScreen(s.point);
        int effect = h->DragEnter(Data, s.shift, p) & AllowedEffects;
        if (effect != DROPEFFECT_NONE)
            effect = h->DragOver(s.shift, p) & AllowedEffects;
        if (effect == DROPEFFECT_NONE || s.cancel) {
            h->DragLeave();
            return DROPEFFECT_NONE;
        }
        return h->Drop(Data, s.shift, p) & AllowedEffects;
    }
    auto* sw = dynamic_cast<TWinControl*>(Source);
    if (!sw)
        sw = Source ? Source->Parent() : nullptr;
    QWidget* w = sw && sw->HandleAllocated() ? ImplOf(sw)->widget.data() : nullptr;
    if (!w)
        return DROPEFFECT_NONE;
    auto* m = new QMimeData;
    if (Data.HasText)
        m->setText(ToQString(Data.Text));
    if (Data.HasRTF)
        m->setData("text/rtf", QByteArray::fromStdString(Data.RTF));
    QList<QUrl> urls;
    for (const AnsiString& f : Data.Files)
        urls << QUrl::fromLocalFile(ToQString(f));
    if (!urls.isEmpty())
        m->setUrls(urls);
    for (const auto& [type, bytes] : Data.AppFormats)
        if (type.rfind(kAppFormatPrefix, 0) == 0)
            m->setData(ToQString(type),
                       QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    auto* drag = new QDrag(w);
    drag->setMimeData(m);
    Qt::DropActions allowed;
    if (AllowedEffects & DROPEFFECT_COPY)
        allowed |= Qt::CopyAction;
    if (AllowedEffects & DROPEFFECT_MOVE)
        allowed |= Qt::MoveAction;
    return EffectOf(drag->exec(allowed, Qt::MoveAction));
}
