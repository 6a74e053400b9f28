#include "startup/UStartup.h"

int main(int argc, char** argv) { return RunLumetta(argc, argv); }
