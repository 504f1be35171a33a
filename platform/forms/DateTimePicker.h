#pragma once
// TDateTimePicker: a date (or time) field. DateTime is the class library's TDateTime
// (days since 1899-12-30); OnChange fires when the user changes the value.
#include "platform/forms/Controls.h"

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateFormat { dfShort, dfLong };

class TDateTimePicker : public TWinControl {
public:
    explicit TDateTimePicker(TComponent* AOwner);

    TDateTime DateTime() const { return FDateTime; }
    void SetDateTime(TDateTime v);
    TDateTime Date() const;
    void SetDate(TDateTime v);
    TDateTime Time() const;
    void SetTime(TDateTime v);
    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind v);
    TDTDateFormat DateFormat() const { return FDateFormat; }
    void SetDateFormat(TDTDateFormat v);
    // A display format in the toolkit's terms ("yyyy/MM/dd"); empty: by Kind and DateFormat.
    const AnsiString& Format() const { return FFormat; }
    void SetFormat(const AnsiString& v);

    TNotifyEvent OnChange;

    void UserChanged(TDateTime v);

protected:
    void CreateWidget() override;
    void SyncWidget() override;
    bool WantsKey(Word Key, TShiftState Shift) const override;

    TDateTime FDateTime = 0;
    TDateTimeKind FKind = dtkDate;
    TDTDateFormat FDateFormat = dfShort;
    AnsiString FFormat;
};
