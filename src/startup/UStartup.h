// The program's entry: hands the command line to a running show, shows the
// welcome window, or runs a show of its own.
#pragma once

int RunLumetta(int argc, char** argv);
