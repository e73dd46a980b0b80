#pragma once

// Resource identifiers shared by Halvane.rc and the code that loads them
// (plain macros: the resource compiler reads this file too). Explorer shows
// the icon group with the lowest identifier as the exe's icon.
#define HALVANE_ICON_RESOURCE 1
