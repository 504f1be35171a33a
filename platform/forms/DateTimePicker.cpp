#include "platform/forms/DateTimePicker.h"

#include <QDateTime>
#include <QDateTimeEdit>
#include <cmath>

#include "platform/forms/FormsImpl_p.h"

using namespace zvqt;
using namespace zvforms;

namespace {

const QDateTime& Epoch()
{
    static const QDateTime e(QDate(1899, 12, 30), QTime(0, 0));
    return e;
}

QDateTime ToQ(TDateTime v)
{
    const double days = std::floor(v);
    const qint64 ms = static_cast<qint64>(std::llround((v - days) * 86400000.0));
    return Epoch().addDays(static_cast<qint64>(days)).addMSecs(ms);
}

TDateTime FromQ(const QDateTime& d)
{
    const qint64 days = Epoch().date().daysTo(d.date());
    return static_cast<double>(days) + d.time().msecsSinceStartOfDay() / 86400000.0;
}

} // namespace

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner)
{
    FTabStop = true;
    FColor = clWindow;
    FDateTime = FromQ(QDateTime::currentDateTime());
    SetBounds(0, 0, 186, 21);
}

void TDateTimePicker::SetDateTime(TDateTime v) { SetAndSync(FDateTime, v); }

TDateTime TDateTimePicker::Date() const { return std::floor(FDateTime); }
void TDateTimePicker::SetDate(TDateTime v) { SetDateTime(std::floor(v) + (FDateTime - std::floor(FDateTime))); }
TDateTime TDateTimePicker::Time() const { return FDateTime - std::floor(FDateTime); }
void TDateTimePicker::SetTime(TDateTime v) { SetDateTime(std::floor(FDateTime) + (v - std::floor(v))); }

void TDateTimePicker::SetKind(TDateTimeKind v) { SetAndSync(FKind, v); }

void TDateTimePicker::SetDateFormat(TDTDateFormat v) { SetAndSync(FDateFormat, v); }

void TDateTimePicker::SetFormat(const AnsiString& v) { SetAndSync(FFormat, v); }

void TDateTimePicker::UserChanged(TDateTime v)
{
    if (v == FDateTime)
        return;
    FDateTime = v;
    Guard([&] { FireEvent(OnChange, this); }, this);
}

bool TDateTimePicker::WantsKey(Word Key, TShiftState Shift) const
{
    if (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN)
        return true;
    return TWinControl::WantsKey(Key, Shift);
}

void TDateTimePicker::CreateWidget()
{
    QWidget* parent = FParent ? zvforms::ImplOf(FParent)->widget.data() : nullptr;
    auto* d = new NativeWidget<QDateTimeEdit>(this, parent);
    FImpl->widget = d;
    FImpl->native = true;
    d->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(d, &QDateTimeEdit::dateTimeChanged, d, [this, d](const QDateTime& v) {
        if (d->ctl && !FImpl->syncing)
            UserChanged(FromQ(v));
    });
}

void TDateTimePicker::SyncWidget()
{
    auto* d = FImpl->widget ? qobject_cast<QDateTimeEdit*>(FImpl->widget.data()) : nullptr;
    if (!d)
        return;
    FImpl->syncing = true;
    const bool block = d->blockSignals(true);
    QString fmt = ToQString(FFormat);
    if (fmt.isEmpty())
        fmt = FKind == dtkTime ? "HH:mm:ss" : FDateFormat == dfLong ? "dddd, MMMM d, yyyy" : "MM/dd/yyyy";
    d->setDisplayFormat(fmt);
    d->setCalendarPopup(FKind == dtkDate);
    d->setDateTime(ToQ(FDateTime));
    ApplyPalette(this, d, FColor, FFont->Color());
    d->blockSignals(block);
    FImpl->syncing = false;
}
