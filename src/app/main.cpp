#include "app/shell/program.h"

int main(int argc, char** argv) {
    return zkt::runProgram(argc, argv);
}
