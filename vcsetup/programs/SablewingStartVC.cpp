// SablewingStartVC.exe: the product's way to start Visual C++.
#include "SetupPrograms.h"

int main() { return SablewingStartVC(); }
