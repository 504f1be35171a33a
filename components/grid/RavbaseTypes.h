#pragma once
// Types shared by the grid classes: options, draw states, grid coordinates and
// the enumerations of the base grid.
#include <cstdint>

#include "components/grid/Ravutil.h"
#include "platform/core/Types.h"
#include "platform/forms/Controls.h"

enum TGridOption : unsigned {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goRowSizing = 1u << 6,
    goColSizing = 1u << 7,
    goRowMoving = 1u << 8,
    goColMoving = 1u << 9,
    goEditing = 1u << 10,
    goTabs = 1u << 11,
    goRowSelect = 1u << 12,
    goAlwaysShowEditor = 1u << 13,
    goThumbTracking = 1u << 14,
};
using TGridOptions = unsigned;

// What a pressed left button is doing in the base grid.
enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

enum TGridDrawStateFlag : unsigned { gdSelected = 1u << 0, gdFocused = 1u << 1, gdFixed = 1u << 2 };
using TGridDrawState = unsigned;

struct TGridCoord {
    int X = 0;
    int Y = 0;
    friend constexpr bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// The controls library has its own vtaTop..vtaBottom: these names live in the grid's scope
// (the grid classes bring them in with `using enum`).
namespace Ravbase {
enum TVAlignment : Byte { vtaTop = 0, vtaCenter = 1, vtaBottom = 2 };
}
using Ravbase::TVAlignment;
enum TColumnCalcType : Byte { acNONE = 0, acSUM, acAVG, acCOUNT, acMIN, acMAX };
enum TEditorType : Byte {
    edNormal = 0, edSpinEdit, edComboEdit, edComboList, edEditBtn, edCheckBox, edDateEdit, edDateEditUpDown,
    edTimeEdit, edButton, edDataCheckBox, edNumeric, edPositiveNumeric, edFloat, edCapital, edMixedCase,
    edPassword, edUnitEditBtn, edLowerCase, edUpperCase, edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit,
    edNumericEditBtn, edFloatEditBtn, edCustom, edRichEdit
};
