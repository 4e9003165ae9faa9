#include "data/BuiltinRepertory.h"
#include "tools/RepertoryCli.h"

#include <iostream>

int main(int argc, char** argv) {
    return telvarin::runRepertoryCli(std::vector<std::string>(argv + 1, argv + argc),
                                     telvarin::builtinRepertoryBytes(), std::cout, std::cerr);
}
