#pragma once
// The serial component's worker threads: the event thread that waits for port
// events, the write thread that sends a write buffer, and that buffer.
#include <atomic>
#include "platform/core/SyncObjs.h"
#include "platform/core/Threads.h"
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "components/comm/Serobjects.h"
#include "components/comm/Sertypes.h"

class TSerCustomComm;
class TSerialDevice;

// The component's threads: created suspended, ended by StopThread and WaitFor.
class TSerThread : public TThread {
public:
    TSerThread() : TThread(true) {}
};

class TSerCommBuffer : public TObject {
public:
    explicit TSerCommBuffer(int Capacity) : FData(static_cast<size_t>(Capacity > 0 ? Capacity : 0)) {}
    Byte* DataPtr() { return FData.data(); }
    int Capacity() const { return static_cast<int>(FData.size()); }
    int Count() const { return FCount; }
    void Clear() { FCount = 0; }
    int Write(const void* Data, int N);
    void Peek(void* Target, int N) const;
    int Read(void* Target, int N);
    int Remove(int N);

private:
    std::vector<Byte> FData;
    int FCount = 0;
};

class TSerCommEventThread : public TSerThread {
public:
    // Waits on Device for the events of Mask.
    TSerCommEventThread(TSerCustomComm* Owner, TSerialDevice* Device, DWORD Mask);
    ~TSerCommEventThread() override;
    void StopThread();

protected:
    void Execute() override;

private:
    // What the thread shares with the deliveries it posted, which may outlive it.
    struct TDeliveries {
        std::mutex Mutex;
        bool Out = false;    // a delivery is posted or running: the next one waits for its end
        DWORD Held = 0;      // what came meanwhile, delivered together once it has returned
        bool Closed = false; // on the window's thread: the port closed, nothing more is delivered
    };

    void Deliver(DWORD Events);
    static void Post(const std::shared_ptr<TDeliveries>& Deliveries, TSerCustomComm* Owner, DWORD Events);

    TSerCustomComm* FOwner;
    TSerialDevice* FDevice;
    DWORD FMask;
    TSerWaitEvent FWakeEvent; // set by StopThread
    std::shared_ptr<TDeliveries> FDeliveries = std::make_shared<TDeliveries>();
};

class TSerCommWriteThread : public TSerThread {
public:
    TSerCommWriteThread(TSerCustomComm* Owner, TSerialDevice* Device, int Capacity);
    ~TSerCommWriteThread() override;
    // On the writer's thread: buffers the bytes; false when no room appeared within TimeoutMs.
    bool WriteData(const void* Data, int Count, int TimeoutMs);
    // Empties the write path; false when the thread did not answer within 2000 ms.
    bool PurgeWrite();
    // Tells the thread to end and wakes its wait for room (the device is still open).
    void StopThread();
    // Under the owner's write lock.
    int BufferCount() const { return FBuffer.Count(); }
    int BufferCapacity() const { return FBuffer.Capacity(); }

protected:
    void Execute() override;

private:
    void AcknowledgePurge();
    void DoTxEmpty();
    void DoWriteError();
    void Signal(bool& Flag);

    TSerCustomComm* FOwner;
    TSerialDevice* FDevice;
    TSerCommBuffer FBuffer;
    std::mutex FMutex;
    std::condition_variable FChanged;
    bool FData = false;
    bool FStop = false;
    bool FPurgeRequest = false;
    bool FPurgeAck = false;
    unsigned FRoomMade = 0; // counts the passes that took bytes out of the buffer
};
