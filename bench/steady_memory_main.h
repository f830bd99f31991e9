#pragma once

// The main() of the benchmarks that allocate and free megabyte buffers in
// every iteration. Left to its defaults, glibc hands such buffers back to
// the system and faults them in again on the next iteration, and on a
// virtual machine those faults cost more than the work measured; freed
// memory is kept in the process instead, for the subjects and the
// baselines alike.

#include <benchmark/benchmark.h>

#include <malloc.h>

int main(int argc, char** argv) {
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 512 << 20);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
