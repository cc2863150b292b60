// The two set-up programs, each a function that its program's entry calls and that returns the
// program's exit code. Neither takes arguments; both run on one thread without a window.
#pragma once

// SablewingStartVC: configures Developer Studio for the current user when the machine's
// installation is not the one last configured for this user, then starts it visible.
// 0 normal end, 1 COM could not be initialised or "MSDEV.Application" is unknown, 2 the user
// cancelled the configuration (nothing started).
int SablewingStartVC();

// SablewingSetupVC: always configures, records the installation for this user, and tells the
// user when every step was done. 0 normal end (also when COM or "MSDEV.Application" is not
// there: nothing is done then), 2 the user cancelled the configuration.
int SablewingSetupVC();
