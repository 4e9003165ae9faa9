// The tool without a built-in repertory: the build uses it to compile the repertory that the
// program and the real tool embed.
#include "foundation/files/CommandLine.h"
#include "tools/RepertoryCli.h"

#include <iostream>

int main(int argc, char** argv) {
    return telvarin::runRepertoryCli(telvarin::commandLineWords(argc, argv), std::nullopt, std::cout,
                                     std::cerr);
}
