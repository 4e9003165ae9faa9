// The tool without a built-in repertory: the build uses it to compile the repertory that the
// program and the real tool embed.
#include "tools/RepertoryCli.h"

#include <iostream>

int main(int argc, char** argv) {
    return telvarin::runRepertoryCli(std::vector<std::string>(argv + 1, argv + argc), std::nullopt, std::cout,
                                     std::cerr);
}
