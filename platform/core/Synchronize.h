#pragma once
// Handing calls to the user-interface thread. A worker's Synchronize queues the
// call and waits; the main thread runs queued calls from its message loop and
// from any wait of its own (CheckSynchronize), so a main thread that waits for a
// worker never deadlocks with that worker's Synchronize.
#include <functional>

// Marks the calling thread as the user-interface thread (the first caller of
// any function here is taken otherwise).
void SetMainThread();
bool IsMainThread();

// Runs Method on the main thread and waits for it. On the main thread it runs
// at once. An exception thrown by Method is rethrown in the caller.
void Synchronize(const std::function<void()>& Method);

// Queues Method to run on the main thread later, without waiting.
void QueueOnMainThread(std::function<void()> Method);

// Runs the queued calls; on the main thread only (elsewhere it returns false).
// Waits up to TimeoutMs for a call to arrive when none is queued.
// Returns true when at least one call ran.
bool CheckSynchronize(int TimeoutMs = 0);

// Called (from any thread) when a call is queued and no wake is on its way yet,
// so the message loop wakes once and runs CheckSynchronize for every call queued
// until then. The forms layer installs it; empty means nobody to wake.
// It runs outside the queue's lock but must not run a call itself; it allocates nothing
// that the loop frees, so the thread checker needs no order between the two.
void SetWakeMainThread(std::function<void()> Wake);
