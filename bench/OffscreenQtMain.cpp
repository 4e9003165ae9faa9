// The main of the window benchmarks: a Qt application around the benchmarks.

#include "bench/QtBenchmarks.h"

int main(int argc, char** argv) {
    return telvarin::bench::runBenchmarksInQtApplication(argc, argv);
}
