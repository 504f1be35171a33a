#pragma once
// The grid the grid readers' seeds are written from: the kinds of texts the readers meet.
#include <memory>

#include "components/grid/Ravgrid.h"
#include "tests/fuzz/FuzzSupport.h"

namespace Fuzz {

inline std::unique_ptr<TRavArodozIdad> SampleGrid()
{
    auto g = std::make_unique<TRavArodozIdad>(nullptr);
    g->SetColCount(4);
    g->SetRowCount(4);
    const char* cells[] = {"Step", "1.000 kHz", "a,b \"quoted\"", "<b>bold</b>", "line\r\nbreak", "", "x", "-1.5e3"};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            g->SetCellEx(c, r, cells[(r * 4 + c) % 8]);
    return g;
}

// The grid the readers load into, made once for the whole run.
inline TRavArodozIdad& TargetGrid()
{
    static std::unique_ptr<TRavArodozIdad> grid = [] {
        EnsureApplication();
        return std::make_unique<TRavArodozIdad>(nullptr);
    }();
    return *grid;
}

} // namespace Fuzz
