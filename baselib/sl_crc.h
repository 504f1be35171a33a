#pragma once
// Cyclic redundancy checks: table-driven classes that keep a running value,
// and bit-by-bit functions that update a value held by the caller. None adds a
// final complement; the caller picks the initial value.
#include <cstdint>

class TCRC32 {
public:
    explicit TCRC32(std::uint32_t Initial);
    std::uint32_t Check(const void* Data, int Length);
    std::uint32_t Value;
    std::uint32_t Initial;
};

class TCRC16 {
public:
    explicit TCRC16(std::uint16_t Initial);
    std::uint16_t Check(const void* Data, int Length);
    std::uint16_t Value;
    std::uint16_t Initial;
};

class TCRC8 {
public:
    explicit TCRC8(std::uint8_t Initial);
    std::uint8_t Check(const void* Data, int Length);
    std::uint8_t Value;
    std::uint8_t Initial;
};

namespace TBinFileFuncs {

void _Crc8(std::uint8_t& Crc, std::uint8_t Byte);
void _Crc8(std::uint8_t& Crc, const void* Data, int Length);
void _Crc16(std::uint16_t& Crc, std::uint8_t Byte);
void _Crc16(std::uint16_t& Crc, const void* Data, int Length);
void _Crc32(std::uint32_t& Crc, std::uint8_t Byte);
void _Crc32(std::uint32_t& Crc, const void* Data, int Length);
void _CrcCcitt16(std::uint16_t& Crc, std::uint8_t Byte);
void _CrcCcitt16(std::uint16_t& Crc, const void* Data, int Length);
void _CrcCcitt32(std::uint32_t& Crc, std::uint8_t Byte);
void _CrcCcitt32(std::uint32_t& Crc, const void* Data, int Length);

} // namespace TBinFileFuncs
