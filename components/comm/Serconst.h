#pragma once
// The serial port component's tables and message texts.
#include "components/comm/Sertypes.h"
#include "platform/serial/SerialDevice.h"

// Rate of each TSerBaudrate (brUser: the UserBaudrate property).
constexpr int SerBaudrates[] = {0,     110,   300,   600,   1200,  2400,   4800,   9600,
                                14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};
constexpr Byte SerDatabits[] = {4, 5, 6, 7, 8};
// Event bit each TSerCommEvent selects.
constexpr DWORD SerEventBits[] = {EV_BREAK, EV_CTS,    EV_DSR,   EV_ERR,      EV_RING,   EV_RLSD, EV_RXCHAR,
                                  EV_RXFLAG, EV_TXEMPTY, EV_PERR, EV_RX80FULL, EV_EVENT1, EV_EVENT2};

constexpr const char* sPortOpen = "Can't perform this operation while port is open";
constexpr const char* sPortClosed = "Can't perform this operation while port is closed";
constexpr const char* sDeviceNotFound = "Specified device not found (%s).";
constexpr const char* sCantOpen = "Can't open specified device %s";
constexpr const char* sErrorCode = " (Error %d, %s)";
constexpr const char* sWriteDcb = "Error writing dcb (%d), %s";
constexpr const char* sReadDefaults = "Error reading default port parameters.";
constexpr const char* sInitBuffers = "Error initializing buffers (%d), %s";
constexpr const char* sSetTimeouts = "Error setting timeouts (%d), %s";
constexpr const char* sSetEventMask = " Error setting EventMask (%d), %s";
constexpr const char* sReadError = "Read error (%d), %s";
constexpr const char* sWriteError = "Write error (%d), %s";
constexpr const char* sOutputFull = "Output buffer is full. Please check comm status.";
constexpr const char* sStatistics = "Error retrieving statistics (%d), %s";
constexpr const char* sModemState = "Error reading modem state (%d), %s";
constexpr const char* sCommFunction = "Error calling comm function (%d), %s";
constexpr const char* sClearBuffers = "Error clearing buffers (%d), %s";
constexpr const char* sPortProperties = "Error reading port properties (%d), %s";
constexpr const char* sDtrHandshake = "DTR line updates not allowed when flowcontrol is set to Handshake.";
constexpr const char* sRtsHandshake = "RTS line updates not allowed when flowcontrol is set to Handshake or Toggle.";
