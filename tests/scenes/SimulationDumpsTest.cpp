// Every computed value of the simulation, pinned: the dumps of psftool simulate for the stored
// simulation seeds (every emitter shape, shape, modifier and picture class, non-finite and limit
// values) and for the shipped scenes, as hashes recorded in simulation-dumps.txt. Any change to the
// engine that moves one bit of a position, velocity, colour or size shows here.
//
// A scene whose own bytes changed since its row was recorded is reported as such, not as an engine
// change. A shipped scene without a row is new: it is named in the output and pinned once the
// table is recorded again, so that shipping a scene takes nothing but its line in
// scenes/shipped.txt. To record the rows again, run this test with OSTREL_RECORD_DUMPS=1 on an
// engine whose results you trust (one that has not changed since the rows were last right), then
// commit the table.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "scene/ParticleSystem.h"
#include "scenes/textures/Sprites.h"
#include "support/Bytes.h"
#include "support/ImageBytes.h"
#include "support/ShippedScenes.h"
#include "support/TempDir.h"
#include "tools/commands/LoadedScene.h"
#include "tools/commands/Simulation.h"

namespace fs = std::filesystem;

namespace {

// Long enough for every scene to reach its steady crowd, and dumps along the way so that early
// and late particles both count.
constexpr uint32_t kSeed = 1;
constexpr uint64_t kSteps = 1000;
constexpr uint64_t kDumpEvery = 250;

const std::string kTablePath = std::string(OSTREL_TEST_SOURCE_DIR) + "/simulation-dumps.txt";

// FNV-1a, 64 bits: enough to tell any two dumps apart that a change of the engine would make.
uint64_t fnv1a(const std::string& bytes) {
  uint64_t hash = 14695981039346656037ull;
  for (const char c : bytes) {
    hash ^= static_cast<uint8_t>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string hex(uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct Scene {
  // The row's name: where the scene comes from and its file name.
  std::string name;
  fs::path file;
};

// The stored seeds of the simulation fuzz target, and the scenes the build compiled from
// scenes/shipped.txt. The seed at the gravity cap is left out: it is made to be slow (its live
// count squared per step), and every-modifier runs pairwise gravity too.
std::vector<Scene> scenes() {
  std::vector<Scene> found;
  for (const fs::directory_entry& entry : fs::directory_iterator(OSTREL_SIMULATION_SEEDS_DIR)) {
    const std::string name = entry.path().filename().string();
    if (name != "gravity-at-the-cap") {
      found.push_back({"seed/" + name, entry.path()});
    }
  }
  for (const std::string& name : ShippedScenes::names()) {
    found.push_back({"shipped/" + name, ShippedScenes::compiledPath(name)});
  }
  std::sort(found.begin(), found.end(), [](const Scene& a, const Scene& b) { return a.name < b.name; });
  return found;
}

// The dump of the scene's run, loaded from a folder that holds it beside every picture a seed
// names: the shipped sprites and the two small pictures of the fuzz workspace.
std::string dumpOf(const Scene& scene, const TempDir& folder) {
  const std::string path = folder.path(scene.file.filename().string() + ".psf");
  fs::copy_file(scene.file, path, fs::copy_options::overwrite_existing);
  LoadedScene loaded(path);
  char* buffer = nullptr;
  size_t size = 0;
  std::FILE* dump = open_memstream(&buffer, &size);
  simulate(loaded.system(), SimulationOptions{kSeed, kSteps, kDumpEvery}, dump);
  std::fclose(dump);
  std::string text(buffer, size);
  std::free(buffer);
  return text;
}

struct Row {
  std::string sceneHash;
  std::string dumpHash;
};

std::map<std::string, Row> recordedRows() {
  std::map<std::string, Row> rows;
  std::istringstream table(contents(kTablePath));
  for (std::string line; std::getline(table, line);) {
    if (line.empty() || line[0] == '#') {
      continue;
    }
    std::istringstream fields(line);
    std::string name;
    Row row;
    fields >> name >> row.sceneHash >> row.dumpHash;
    rows[name] = row;
  }
  return rows;
}

void record(const std::map<std::string, Row>& rows) {
  std::ofstream table(kTablePath, std::ios::binary);
  table << "# psftool simulate --seed " << kSeed << " --steps " << kSteps << " --dump-every " << kDumpEvery
        << ": FNV-1a 64 of the scene file and of the dump.\n"
        << "# Written by SimulationDumpsTest with OSTREL_RECORD_DUMPS=1; see that test before recording.\n";
  for (const auto& [name, row] : rows) {
    table << name << ' ' << row.sceneHash << ' ' << row.dumpHash << '\n';
  }
}

}  // namespace

TEST(SimulationDumpsTest, EveryStoredAndShippedSceneSimulatesToItsRecordedDump) {
  TempDir folder;
  for (const Sprite& sprite : sprites()) {
    folder.write(sprite.fileName, sprite.make());
  }
  folder.write("sprite.bmp", twoByTwoBitmap());
  folder.write("sprite.tga", twoByTwoTarga());

  std::map<std::string, Row> computed;
  for (const Scene& scene : scenes()) {
    SCOPED_TRACE(scene.name);
    computed[scene.name] = {hex(fnv1a(contents(scene.file))), hex(fnv1a(dumpOf(scene, folder)))};
  }
  if (std::getenv("OSTREL_RECORD_DUMPS") != nullptr) {
    record(computed);
    GTEST_SKIP() << "recorded " << computed.size() << " rows in " << kTablePath;
  }

  const std::map<std::string, Row> recorded = recordedRows();
  for (const auto& [name, row] : computed) {
    SCOPED_TRACE(name);
    const auto found = recorded.find(name);
    if (found == recorded.end() && name.rfind("shipped/", 0) == 0) {
      std::printf("%s: a new shipped scene with no recorded dump yet (see this test's comment)\n", name.c_str());
      continue;
    }
    ASSERT_NE(found, recorded.end()) << "no recorded dump: record the table (see this test's comment)";
    ASSERT_EQ(row.sceneHash, found->second.sceneHash)
        << "the scene file changed since its dump was recorded: record the table on an unchanged engine";
    EXPECT_EQ(row.dumpHash, found->second.dumpHash) << "the simulation's results changed";
  }
  for (const auto& [name, row] : recorded) {
    EXPECT_EQ(computed.count(name), 1u) << name << ": the table records a scene that no longer exists";
  }
}
