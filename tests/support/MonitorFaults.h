#pragma once
// Failures of the folder monitor's system calls, injected through the backend's table. Kept out
// of the tests themselves: the Windows table needs <windows.h>, which clashes with the COM header.
namespace debugconfigtest {

// Makes starting a watch fail; the system's error code that the failure reports.
int failMonitorStart();
// Makes every wait fail.
void failMonitorWait();
void restoreMonitor();

}  // namespace debugconfigtest
