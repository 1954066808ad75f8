// The "Plugin Options" dialog.
#include "settings/settings.h"

void ShowOptionsDialog() {}
