#pragma once
// The headless run behind psftool simulate: steps of a particle system from a given generator
// state, with the live particles dumped as CSV.

#include <cstdint>
#include <cstdio>

class ParticleSystem;

struct SimulationOptions {
  // The generator's state before step 1.
  uint32_t seed = 0;
  uint64_t steps = 0;
  // Rows after steps K, 2K, ...; 0 means only after the last step.
  uint64_t dumpEvery = 0;
};

// The dump's first line, exactly.
extern const char kSimulationHeader[];

// Sets the generator's state and runs the steps; one step is the system's update, then its
// particle walk. Writes the header and the rows to dump unless it is null. A step that throws
// writes none of its rows; those of the steps before it are already written.
void simulate(ParticleSystem& system, const SimulationOptions& options, std::FILE* dump);
