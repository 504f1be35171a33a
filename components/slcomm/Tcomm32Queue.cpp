#include <algorithm>
#include <cstring>
#include <new>
#include <strings.h>

#include "baselib/sl_lang.h"
#include "components/slcomm/Tcomm32.h"
#include "platform/core/Strings.h"
#include "platform/serial/SerialDevice.h"
#include "platform/serial/SerialPorts.h"

namespace CorlanComm32 {

namespace {

const TLangText kErrors[] = {
    {1, "Out of memory", "内存不够", "記憶體不夠"},
    {2, "Cannot initialize read buffer", "不能初始化读缓存", "不能初始化讀緩存"},
    {3, "Cannot initialize write buffer", "不能初始化写缓存", "不能初始化寫緩存"},
    {4, "Cannot open COM port", "不能打开端口", "不能打開埠"},
    {5, "Cannot set comm-mask", "不能设置端口事件MASK", "不能設置埠事件MASK"},
    {6, "Cannot set COM port buffer size", "不能设置端口缓存", "不能設置埠緩存"},
    {7, "Cannot read COM port parameters", "不能得到端口参数", "不能得到埠參數"},
    {8, "Cannot set COM port parameters", "不能设置端口参数", "不能設置埠參數"},
    {9, "Cannot create COM port asynchronize read event", "不能创建端口异步读事件", "不能創建埠非同步讀事件"},
    {10, "Cannot create COM port asynchronize write event", "不能创建端口异步写事件", "不能創建埠非同步寫事件"},
    {11, "Cannot create COM port read thread", "不能创建端口读线程", "不能創建埠讀線程"},
    {12, "Cannot create COM port write thread", "不能创建端口写线程", "不能創建埠寫線程"},
    {13, "Cannot close COM port read thread", "不能关闭端口读线程", "不能關閉埠讀線程"},
    {14, "Cannot close COM port write thread", "不能关闭端口写线程", "不能關閉埠寫線程"},
};

AnsiString ErrorText(int Code)
{
    const TLangText* t = FindLangText(kErrors, Code);
    return LangText(t ? *t : UnknownErrorText);
}

} // namespace

EComm32Error::EComm32Error(TErrorCode Code) : Exception(ErrorText(Code)), ErrorCode(Code) {}

TCommQueue::TCommQueue(std::int32_t Size) : FBufSize(Size)
{
    try {
        fSetBufSize(Size);
    } catch (const EComm32Error&) {
        FBuffer = nullptr;  // left without storage: every transfer moves nothing
        FBufSize = Size;
    }
}

TCommQueue::~TCommQueue() { delete[] FBuffer; }

void TCommQueue::fSetBufSize(std::int32_t Size)
{
    FReadPos = 0;
    FWritePos = 0;
    if (Size <= 0) {
        delete[] FBuffer;
        FBuffer = nullptr;
        return;
    }
    auto* fresh = new (std::nothrow) std::uint8_t[static_cast<size_t>(Size)];
    if (!fresh)
        throw EComm32Error(EComm32Error::ecOutOfMemory);
    delete[] FBuffer;
    FBuffer = fresh;
    FBufSize = Size;
}

std::int32_t TCommQueue::Count() const
{
    if (!FBuffer)
        return 0;
    return (FWritePos.load(std::memory_order_acquire) - FReadPos.load(std::memory_order_acquire) + FBufSize) %
           FBufSize;
}

std::int32_t TCommQueue::Room() const
{
    if (!FBuffer)
        return 0;
    return (FReadPos.load(std::memory_order_acquire) - FWritePos.load(std::memory_order_acquire) + FBufSize - 1) %
           FBufSize;
}

std::int32_t TCommQueue::In(const std::uint8_t* Byte) { return Byte ? In(Byte, 1) : 0; }

std::int32_t TCommQueue::In(const void* Data, std::int32_t Length)
{
    if (!FBuffer || !Data || Length <= 0)
        return 0;
    std::int32_t r = FReadPos.load(std::memory_order_acquire);
    std::int32_t w = FWritePos.load(std::memory_order_relaxed);
    std::int32_t n = std::min(Length, (r - w + FBufSize - 1) % FBufSize);
    std::int32_t first = std::min(n, FBufSize - w);
    auto src = static_cast<const std::uint8_t*>(Data);
    std::memcpy(FBuffer + w, src, static_cast<size_t>(first));
    std::memcpy(FBuffer, src + first, static_cast<size_t>(n - first));
    FWritePos.store((w + n) % FBufSize, std::memory_order_release);
    return n;
}

std::int32_t TCommQueue::Out(std::uint8_t* Byte) { return Byte ? Out(Byte, 1) : 0; }

std::int32_t TCommQueue::Out(void* Data, std::int32_t Length)
{
    if (!FBuffer || !Data || Length <= 0)
        return 0;
    std::int32_t w = FWritePos.load(std::memory_order_acquire);
    std::int32_t r = FReadPos.load(std::memory_order_relaxed);
    std::int32_t n = std::min(Length, (w - r + FBufSize) % FBufSize);
    std::int32_t first = std::min(n, FBufSize - r);
    auto dst = static_cast<std::uint8_t*>(Data);
    std::memcpy(dst, FBuffer + r, static_cast<size_t>(first));
    std::memcpy(dst + first, FBuffer, static_cast<size_t>(n - first));
    FReadPos.store((r + n) % FBufSize, std::memory_order_release);
    return n;
}

std::int32_t TCommQueue::Skip(std::int32_t Length)
{
    if (!FBuffer || Length <= 0)
        return 0;
    std::int32_t w = FWritePos.load(std::memory_order_acquire);
    std::int32_t r = FReadPos.load(std::memory_order_relaxed);
    std::int32_t n = std::min(Length, (w - r + FBufSize) % FBufSize);
    FReadPos.store((r + n) % FBufSize, std::memory_order_release);
    return n;
}

TCommSerialPortInfo::TCommSerialPortInfo() : Ports(std::make_unique<TStringList>()) { Refresh(); }

TCommSerialPortInfo::~TCommSerialPortInfo() = default;

void TCommSerialPortInfo::Refresh()
{
    Ports->Clear();
    FromSystem = false;
    ListFromSystem();
    if (Ports->Count() == 0) {
        for (const char* p : {"COM1", "COM2", "COM3", "COM4"})
            Ports->Add(p);
        FromSystem = false;
    }
}

void TCommSerialPortInfo::ListFromSystem()
{
    // This system's ports come from the platform (the links of the prefix and
    // the machine's own serial ports), each once.
    for (int no : SerialPortNumbers())
        if (no > 0)
            Ports->Add(PortName(no));
    Ports->CustomSort([](TStringList* List, int I, int J) { return PortListSortCompare(List, I, J); });
    FromSystem = true;
}

int TCommSerialPortInfo::PortNo(const AnsiString& Name)
{
    if (Name.size() < 3 || strncasecmp(Name.c_str(), "COM", 3) != 0)
        return 0;
    const char* p = Name.c_str() + 3;
    while (*p == ' ')
        ++p;
    bool neg = false;
    if (*p == '+' || *p == '-')
        neg = *p++ == '-';
    long long v = 0;
    while (*p >= '0' && *p <= '9' && v < 100000000)
        v = v * 10 + (*p++ - '0');
    if (neg)
        v = -v;
    return v < 1 ? 0 : static_cast<int>(v);
}

AnsiString TCommSerialPortInfo::PortName(int No) { return SerialPortName(No); }

int TCommSerialPortInfo::PortListSortCompare(TStringList* List, int I, int J)
{
    return PortNo(List->Strings(I)) - PortNo(List->Strings(J));
}

} // namespace CorlanComm32
