#pragma once

// What the programs a process started used of the machine, for the benchmarks.
namespace ResourceUsage {
// The largest resident memory of any ended child process, in megabytes.
double endedChildrenPeakMegabytes();
} // namespace ResourceUsage
