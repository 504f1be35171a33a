#pragma once
// Basic types of the class library, in the program's own vocabulary.
#include <cstdint>
#include <string>

using AnsiString = std::string;
using String = std::string;

using Byte = std::uint8_t;
using Word = std::uint16_t;
using DWORD = std::uint32_t;
using Cardinal = std::uint32_t;
using LongWord = std::uint32_t;
using LongInt = std::int32_t;
using Int64 = std::int64_t;

// Days since 1899-12-30, fraction of a day in the fraction, as the class library counts.
using TDateTime = double;

struct TPoint {
    int x = 0;
    int y = 0;
    constexpr TPoint() = default;
    constexpr TPoint(int ax, int ay) : x(ax), y(ay) {}
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

// Right and Bottom are exclusive, as in Win32.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr TRect() = default;
    constexpr TRect(int l, int t, int r, int b) : Left(l), Top(t), Right(r), Bottom(b) {}
    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(const TPoint& p) const
    {
        return p.x >= Left && p.x < Right && p.y >= Top && p.y < Bottom;
    }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Rect(int l, int t, int r, int b) { return TRect(l, t, r, b); }
constexpr TPoint Point(int x, int y) { return TPoint(x, y); }
