// The names and identifiers of the clock window that other subsystems refer to.
#pragma once

constexpr char CLOCKTITLE[] = "orlo clock";  // also the single-instance mutex name
constexpr int ID_TIME_LABEL = 1001;
constexpr int ID_DATE_LABEL = 1002;
constexpr unsigned ID_CLOCK_TIMER = 1424;
constexpr unsigned CLOCK_TICK_MS = 500;
