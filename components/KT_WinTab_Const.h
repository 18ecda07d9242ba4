#pragma once
// The message text of the pen-tablet component.

inline constexpr char SNoActiveTablet[] = "No active Tablet found";
