#include "window/monitor_layout.h"

namespace window {
namespace {

Area ToArea(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Called by the system for each monitor: nothing thrown leaves it.
BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, RECT*, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!::GetMonitorInfoW(monitor, &info)) return TRUE;
  try {
    reinterpret_cast<std::vector<Monitor>*>(list)->push_back(
        Monitor{ToArea(info.rcMonitor), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  } catch (...) {
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::vector<Monitor> SystemMonitors() {
  std::vector<Monitor> monitors;
  ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

Area WindowArea(HWND hwnd) {
  RECT r{};
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (::IsIconic(hwnd) && ::GetWindowPlacement(hwnd, &placement)) {
    r = placement.rcNormalPosition;
  } else {
    ::GetWindowRect(hwnd, &r);
  }
  return ToArea(r);
}

}  // namespace window
