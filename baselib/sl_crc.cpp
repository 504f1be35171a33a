#include "baselib/sl_crc.h"

#include <array>

namespace {

// Built once, on first use; the function-local statics make that thread-safe.
const std::array<std::uint32_t, 256>& Table32()
{
    static const std::array<std::uint32_t, 256> t = [] {
        std::array<std::uint32_t, 256> r{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
            r[n] = c;
        }
        return r;
    }();
    return t;
}

const std::array<std::uint16_t, 256>& Table16()
{
    static const std::array<std::uint16_t, 256> t = [] {
        std::array<std::uint16_t, 256> r{};
        for (unsigned n = 0; n < 256; ++n) {
            unsigned c = 0, d = n << 8;
            for (int k = 0; k < 8; ++k) {
                c = ((c ^ d) & 0x8000) ? (c << 1) ^ 0x1021 : c << 1;
                d <<= 1;
            }
            r[n] = static_cast<std::uint16_t>(c);
        }
        return r;
    }();
    return t;
}

const std::array<std::uint8_t, 256>& Table8()
{
    static const std::array<std::uint8_t, 256> t = [] {
        std::array<std::uint8_t, 256> r{};
        for (unsigned n = 0; n < 256; ++n) {
            unsigned c = 0, d = n;
            for (int k = 0; k < 8; ++k) {
                c = ((c ^ d) & 0x80) ? (c << 1) ^ 0x1D : c << 1;
                d <<= 1;
            }
            r[n] = static_cast<std::uint8_t>(c);
        }
        return r;
    }();
    return t;
}

template <typename T>
void MsbFirst(T& crc, std::uint8_t b, T poly)
{
    constexpr int w = sizeof(T) * 8;
    constexpr T top = T(1) << (w - 1);
    T d = static_cast<T>(T(b) << (w - 8));
    for (int k = 0; k < 8; ++k) {
        crc = ((crc ^ d) & top) ? static_cast<T>((crc << 1) ^ poly) : static_cast<T>(crc << 1);
        d = static_cast<T>(d << 1);
    }
}

template <typename T, typename F>
void Block(T& crc, const void* data, int length, F byteFn)
{
    auto p = static_cast<const std::uint8_t*>(data);
    for (int i = 0; i < length; ++i)
        byteFn(crc, p[i]);
}

} // namespace

TCRC32::TCRC32(std::uint32_t AInitial) : Value(AInitial), Initial(AInitial) { Table32(); }

std::uint32_t TCRC32::Check(const void* Data, int Length)
{
    const auto& t = Table32();
    auto p = static_cast<const std::uint8_t*>(Data);
    for (int i = 0; i < Length; ++i)
        Value = t[(Value ^ p[i]) & 0xFF] ^ (Value >> 8);
    return Value;
}

TCRC16::TCRC16(std::uint16_t AInitial) : Value(AInitial), Initial(AInitial) { Table16(); }

std::uint16_t TCRC16::Check(const void* Data, int Length)
{
    const auto& t = Table16();
    auto p = static_cast<const std::uint8_t*>(Data);
    for (int i = 0; i < Length; ++i)
        Value = static_cast<std::uint16_t>(t[((Value >> 8) ^ p[i]) & 0xFF] ^ (Value << 8));
    return Value;
}

TCRC8::TCRC8(std::uint8_t AInitial) : Value(AInitial), Initial(AInitial) { Table8(); }

std::uint8_t TCRC8::Check(const void* Data, int Length)
{
    const auto& t = Table8();
    auto p = static_cast<const std::uint8_t*>(Data);
    for (int i = 0; i < Length; ++i)
        Value = t[Value ^ p[i]];
    return Value;
}

namespace TBinFileFuncs {

void _Crc8(std::uint8_t& Crc, std::uint8_t Byte) { MsbFirst<std::uint8_t>(Crc, Byte, 0x1D); }
void _Crc16(std::uint16_t& Crc, std::uint8_t Byte) { MsbFirst<std::uint16_t>(Crc, Byte, 0x8005); }
void _Crc32(std::uint32_t& Crc, std::uint8_t Byte) { MsbFirst<std::uint32_t>(Crc, Byte, 0x04C11DB7u); }
void _CrcCcitt16(std::uint16_t& Crc, std::uint8_t Byte) { MsbFirst<std::uint16_t>(Crc, Byte, 0x1021); }

void _CrcCcitt32(std::uint32_t& Crc, std::uint8_t Byte)
{
    std::uint32_t d = Byte;
    for (int k = 0; k < 8; ++k) {
        Crc = ((Crc ^ d) & 1) ? (Crc >> 1) ^ 0xEDB88320u : Crc >> 1;
        d >>= 1;
    }
}

void _Crc8(std::uint8_t& Crc, const void* Data, int Length)
{
    Block(Crc, Data, Length, [](std::uint8_t& c, std::uint8_t b) { _Crc8(c, b); });
}
void _Crc16(std::uint16_t& Crc, const void* Data, int Length)
{
    Block(Crc, Data, Length, [](std::uint16_t& c, std::uint8_t b) { _Crc16(c, b); });
}
void _Crc32(std::uint32_t& Crc, const void* Data, int Length)
{
    Block(Crc, Data, Length, [](std::uint32_t& c, std::uint8_t b) { _Crc32(c, b); });
}
void _CrcCcitt16(std::uint16_t& Crc, const void* Data, int Length)
{
    Block(Crc, Data, Length, [](std::uint16_t& c, std::uint8_t b) { _CrcCcitt16(c, b); });
}
void _CrcCcitt32(std::uint32_t& Crc, const void* Data, int Length)
{
    Block(Crc, Data, Length, [](std::uint32_t& c, std::uint8_t b) { _CrcCcitt32(c, b); });
}

} // namespace TBinFileFuncs
