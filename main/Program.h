#pragma once
// The start of the program: one instance per user.
class TNamedMutex;

// When another instance holds the mutex: asks it to come to the front, tells the user and
// returns true (this start then ends without a window).
bool RefuseSecondInstance(const TNamedMutex& Mutex);
