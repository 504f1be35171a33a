#pragma once
// Packets over the byte stream of a TComm32: framed by a doubled head and
// tail byte with an escape byte, or ended by a quiet line. Received packets
// wait in a ring of records; packets to send leave one at a time as the
// engine's transmit queue runs empty.
//
// One lock guards the receiver, the sender and both queues, so the engine's
// threads and the owner may use the layer at once. Every read and write takes
// the caller's buffer size and never goes past it.
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "components/slcomm/Tcomm32.h"

namespace CorlanComm32 {

enum TCommPackageType : std::uint8_t { cptCompatiblePkg = 0, cptFrameHeadTail = 1, cptFrameTimeout = 2 };

constexpr std::uint8_t DefaultFrameHead = 0xEB;
constexpr std::uint8_t DefaultFrameTail = 0xEE;
constexpr std::uint8_t DefaultFrameCtrl = 0xEC;

// A packet record: a 32-bit byte count followed by the bytes.
struct TCommPackageHead {
    std::uint32_t Count;
    std::uint8_t Data[1];
};
constexpr std::uint32_t PackageHeadBytes = 4;

// A ring of fixed-size records that holds one less than its slots.
class TCommPackageQueue {
public:
    TCommPackageQueue(std::int32_t Slots, std::int32_t RecordSize);
    virtual ~TCommPackageQueue();
    void SetQueue(std::int32_t Slots, std::int32_t RecordSize);
    int In(const void* Record);
    int Out(void* Record);
    int Read(void* Record, std::uint32_t Index) const;
    void fRemoveQueue();
    std::int32_t Count() const;
    std::int32_t RecordSize() const { return FRecSize; }
    std::int32_t Slots() const { return FSlots; }
    void Clear() { FRead = FWrite = 0; }

private:
    std::vector<std::uint8_t> FStorage;
    std::int32_t FRead = 0;
    std::int32_t FWrite = 0;
    std::int32_t FSlots = 0;
    std::int32_t FRecSize = 0;
};

class TCommPackage : public TObject {
public:
    explicit TCommPackage(TComm32* Comm);
    // Gives the engine its callback back (while the port is open the hook stays
    // and passes notices on to it) and joins the packet thread.
    ~TCommPackage() override;

    // Kind 0: a record (count and bytes) into Buffer of Size bytes, cut to
    // what fits; 1 when one was taken. Kinds 1 and 2: the payload, cut to
    // Size; the number of bytes. Size 0: whether (kind 0) or how long (kinds 1
    // and 2) the next packet is, taking nothing.
    virtual std::uint32_t ReadPackage(void* Buffer, std::uint32_t Size);
    // Kind 0: a record of Size bytes whose count is cut to what Size holds;
    // 1 when queued. Kinds 1 and 2: Size payload bytes, cut to PackageSize;
    // the number queued. 0 when the send queue is full or nothing is given.
    virtual std::uint32_t WritePackage(const void* Buffer, std::uint32_t Size);
    virtual void PurgeRead();
    virtual void PurgeWrite();
    virtual void CallNotify(std::int32_t NotifyType);

    bool Active() const;
    void SetActive(bool Value) { fSetActive(Value); }
    void fSetActive(bool Value);
    std::uint32_t QueueSize() const { return FQueueSize; }
    void SetQueueSize(std::uint32_t Value) { fSetQSize(Value); }
    void fSetQSize(std::uint32_t Value);
    std::uint32_t PackageSize() const { return FPackageSize; }
    void SetPackageSize(std::uint32_t Value) { fSetPkgSz(Value); }
    void fSetPkgSz(std::uint32_t Value);
    TCommPackageType PackageType() const { return FPackageType; }
    void SetPackageType(TCommPackageType Value) { fSetPkgType(Value); }
    void fSetPkgType(TCommPackageType Value);
    std::uint32_t PackageInterval() const { return FPackageInterval; }
    void SetPackageInterval(std::uint32_t Value) { fSetPkgInterval(Value); }
    void fSetPkgInterval(std::uint32_t Value);

    std::uint8_t FrameHead() const;
    std::uint8_t FrameTail() const;
    std::uint8_t FrameCtrl() const;
    void SetFrameHead(std::uint8_t Value);
    void SetFrameTail(std::uint8_t Value);
    void SetFrameCtrl(std::uint8_t Value);

    void fNewCommNotify(TObject* Sender, std::int32_t NotifyType);

    TCommNotifyEvent OnPackage;

    // Waiting packets (tests and the device's checks).
    std::int32_t ReceivedCount() const;
    std::int32_t SendingCount() const;

private:
    void Deactivate();
    void Rebuild();
    void Wake();
    void _ReadHeadTailPackage();
    bool _ReadTimeoutPackage();
    void _EncodePackage();
    void _WritePackage();
    struct TThreadState;
    void _TimerThread(std::shared_ptr<TThreadState> S);
    std::uint32_t RecordBytes() const { return FPackageSize + PackageHeadBytes; }
    std::uint32_t& RecvCount() { return *reinterpret_cast<std::uint32_t*>(FRecv.data()); }

    mutable std::mutex FLock;  // everything below but the thread's own flags
    bool FActive = false;
    bool FInFrame = false;
    bool FEscape = false;
    std::uint32_t FWritePos = 0;
    TComm32* FComm;
    // The hook that stays in the engine: it reaches the layer only while the
    // layer lives, and the engine's previous callback always.
    struct THook;
    std::shared_ptr<THook> FHook;
    std::unique_ptr<TCommPackageQueue> FRecvQueue;
    std::unique_ptr<TCommPackageQueue> FSendQueue;
    std::vector<std::uint8_t> FRecv;   // record being assembled
    std::vector<std::uint8_t> FFrame;  // frame being sent, as it goes on the wire
    std::uint32_t FFrameCount = 0;
    std::vector<std::uint8_t> FSend;   // record being encoded
    std::uint32_t FQueueSize = 16;
    std::uint32_t FPackageSize = 4096;
    TCommPackageType FPackageType = cptCompatiblePkg;
    std::uint8_t FFrameHead = DefaultFrameHead;
    std::uint8_t FFrameTail = DefaultFrameTail;
    std::uint8_t FFrameCtrl = DefaultFrameCtrl;
    std::uint32_t FPackageInterval = 50;

    // Shared with the packet thread, so that a thread whose layer was freed
    // from its own callback still finds its flags.
    std::shared_ptr<TThreadState> FThreadState;
    std::thread FThread;
};

} // namespace CorlanComm32
