#include "data/BuiltinRepertory.h"
#include "foundation/files/CommandLine.h"
#include "tools/RepertoryCli.h"

#include <iostream>

int main(int argc, char** argv) {
    return telvarin::runRepertoryCli(telvarin::commandLineWords(argc, argv),
                                     telvarin::builtinRepertoryBytes(), std::cout, std::cerr);
}
