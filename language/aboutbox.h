// The About box of the appearance menu, then the developer's web site.
#pragma once
#include <windows.h>

void SHOWABOUTBOX();
