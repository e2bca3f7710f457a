#pragma once
// The headless run behind psftool simulate: steps of a particle system from a given generator
// state, with the live particles, or a summary of them, dumped as CSV.

#include <cstdint>
#include <cstdio>

class ParticleSystem;
class Progress;

struct SimulationOptions {
  // The generator's state before step 1.
  uint32_t seed = 0;
  uint64_t steps = 0;
  // Rows after steps K, 2K, ...; 0 means only after the last step.
  uint64_t dumpEvery = 0;
  // One row per dump step with the live count and statistics instead of one per particle.
  bool summary = false;
};

// The dump's first line, exactly.
extern const char kSimulationHeader[];
// The summary's first line: the live count, the extremes of the drawn positions and the means of
// alpha and half-size over the live particles (empty fields when there are none).
extern const char kSummaryHeader[];

// Sets the generator's state and runs the steps; one step is the system's update, then its
// particle walk. Writes the header and the rows to dump unless it is null. A step that throws
// writes none of its rows; those of the steps before it are already written. progress, unless
// null, is shown after every step.
void simulate(ParticleSystem& system, const SimulationOptions& options, std::FILE* dump, Progress* progress = nullptr);
