// SablewingSetupVC.exe: sets Visual C++ up for the current user.
#include "SetupPrograms.h"

int main() { return SablewingSetupVC(); }
