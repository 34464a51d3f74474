// The network search and the questions about each device it found.
#pragma once

#include "network/NetworkState.h"
#include "platform/core/CString.h"

// Runs the network-wide search; logs the error names the service can report. Always 1.
int StartDiscovery();

// Logs "Number Of Discovered <label> Devices: <count>" and returns the count (0 when unreadable).
int GetDiscoveredDeviceCount(const CString& label);

// Each reads one text of device index through the service's two-step query into text (empty on
// failure) and continues the device's log line. Always 1.
int GetDeviceIPAddress(int index, CString& text);
int GetDeviceMACAddress(int index, CString& text);
int GetDeviceHostName(int index, CString& text);
int GetDeviceModelName(int index, CString& text);

// 1 when the library supports the device's model for scanning to a folder (asked without
// contacting the device); state.lastFeatures receives the library's answer.
int IsScanToFolderDevice(int index, NetworkState& state);
