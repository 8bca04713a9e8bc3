#include "language/aboutbox.h"

// Filled in with the About box work.
void SHOWABOUTBOX() {}
