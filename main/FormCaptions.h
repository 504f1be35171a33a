#pragma once
// Captions of the input panels: each field's caption stands above it, flush with its left
// edge, and a panel's title across its top, so that no caption is ever covered by a field.
#include "platform/core/Types.h"

class TControl;
class TLabel;
class TVodUriz;
class TWinControl;

// Places Label (made when null, owned by the field's owner) above Field with Text.
TLabel* CaptionAbove(TControl* Field, const AnsiString& Text, TLabel* Label = nullptr);
// A typed edit's own caption label, above it (it follows the edit's visibility and enabling).
void CaptionAbove(TVodUriz* Field, const AnsiString& Text);
// The title of Panel: bold, at its top left; Bar makes it white on a navy bar across the top.
TLabel* PanelTitle(TWinControl* Panel, const AnsiString& Text, bool Bar);
