#pragma once
// The start of the program: one instance per user.
class TNamedMutex;

// When another instance holds the mutex: asks it to come to the front, tells the user and
// returns true (this start then ends without a window).
bool RefuseSecondInstance(const TNamedMutex& Mutex);

// The running instance's answer to a later start: its window comes back to the front,
// restored when it was minimised. Installed before the window is made.
void ListenForLaterStarts();
