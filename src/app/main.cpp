#include "app/Program.h"

int main(int argc, char** argv) { return kyr::runProgram(argc, argv); }
