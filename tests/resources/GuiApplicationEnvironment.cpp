// The resource tests decode pictures through the application's image plugins.
#include "GuiApplicationEnvironment.h"
