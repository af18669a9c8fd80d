#pragma once

// Command ids shared by menus, toolbar buttons, accelerators, context menus
// and tests. The numbers are the program's own and never change.
