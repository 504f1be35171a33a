#pragma once
// What a serial port is called: port N ("COMN") is the link
// <prefix>/dosdevices/comN when it exists, else the machine's /dev/ttyS<N-1>.
// The program, the simulator and the tests name ports only through these.
#include <vector>

#include "platform/core/Types.h"

// "COMN", the name the program shows for port N.
AnsiString SerialPortName(int Port);

// <prefix>/dosdevices, where the links of the ports live.
AnsiString SerialLinkDir();
// <prefix>/dosdevices/comN, whether or not it exists.
AnsiString SerialPortLinkPath(int Port);
// The device of port N: its link when that exists, else /dev/ttyS<N-1>; "" below 1.
AnsiString SerialDevicePath(int Port);

// Makes port N a link to Target (creating the folder), replacing an older link.
// Throws EOSError when a file that is not a link is in the way, or on failure.
void LinkSerialPort(int Port, const AnsiString& Target);
// Removes the link of port N only while it still points at Target (someone
// else may own it by now).
void UnlinkSerialPort(int Port, const AnsiString& Target);

// The port numbers there are: the linked ones in order, then the machine's own
// ports the driver found hardware for, each once.
std::vector<int> SerialPortNumbers();
