#include "dates/calendar.h"

// The month calendar comes with the calendar window itself.
void SHOWCALENDAR(HWND clock) {
    (void)clock;
}
