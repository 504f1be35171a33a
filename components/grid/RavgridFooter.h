#pragma once
// The floating footer: a panel at the grid's bottom edge that stays put while the
// rows scroll. It shows the grid's last row (a totals row), one column of the
// current row, or a markup template filled from the current row.
#include "platform/forms/Panel.h"

class TRavArodozIdad;

class TFooterPanel : public TCustomPanel {
public:
    // AOwner must be the grid the footer belongs to.
    explicit TFooterPanel(TComponent* AOwner);
    // The template with every "<#n>" replaced by the current row's text of column n;
    // a tag whose n is no number disappears.
    AnsiString HTMLColReplace(const AnsiString& Template);
    // Fixed columns plus the columns from the left column on: where the grid's cells end.
    int FooterWidth() const;

protected:
    void Paint() override;

private:
    void PaintLastRow();
    void PaintColPreview();
    void PaintCustomPreview();
    void PaintFrame(int W);
    TRavArodozIdad* FGrid;
};
