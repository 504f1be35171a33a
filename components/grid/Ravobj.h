#pragma once
// Small objects the grid is built from: an integer list with a change
// notification and a comma text form, the sort index list, and a cell picture
// kept as a file name.
#include <functional>
#include <vector>

#include "platform/core/Component.h"

class TCanvas;

using TIntListChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;

class TIntList : public TObject {
public:
    TIntList(int ACol, int ARow) : FCol(ACol), FRow(ARow) {}

    int Count() const { return int(FItems.size()); }
    int GetInteger(int Index) const;
    void SetInteger(int Index, int Value);
    int operator[](int Index) const { return GetInteger(Index); }
    int Add(int Value);
    void Delete(int Index);
    void Clear();
    int IndexOf(int Value) const;
    AnsiString GetStrValue() const;
    void SetStrValue(const AnsiString& Value);

    TIntListChangeEvent OnChange;

protected:
    void Changed() { FireEvent(OnChange, this, FCol, FRow); }
    std::vector<int> FItems;

private:
    int FCol;
    int FRow;
};

// Column numbers; bit 31 marks a descending column.
class TSortIndexList : public TIntList {
public:
    TSortIndexList() : TIntList(0, 0) {}
    void AddIndex(int ACol, bool Ascending);
    int FindIndex(int ACol) const;
    void ToggleIndex(int ACol);
};

// A cell picture stored as the name of its file (the name is kept as given).
class TFilePicture : public TPersistent {
public:
    const AnsiString& Filename() const { return FFilename; }
    void SetFilename(const AnsiString& Value);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void DrawPicture(TCanvas* Canvas, const TRect& R);
    void Assign(TPersistent* Source) override;

private:
    AnsiString FFilename;
    int FWidth = 0;
    int FHeight = 0;
};
