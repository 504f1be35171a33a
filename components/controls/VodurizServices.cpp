// The typed edit's optional services: range lists, the lookup list, persistence, the
// web-address click and text drag and drop.
#include "components/controls/Voduriz.h"

bool TVodUriz::RangeStrToList(TRangeList* List) const { return List->StrToList(GetText()); }

void TVodUriz::ListToRangeStr(TRangeList* List) { SetText(List->ToRangeStr()); }
