// Compiled as part of the text catalogue's layer, which settings sits above; it must not build.
#include "settings/OptionTable.h"
