// regsvr32.exe (regsvr32.h).
#include "regsvr32.h"

int main(int argc, char** argv) { return Regsvr32(std::vector<std::string>(argv + 1, argv + argc)); }
