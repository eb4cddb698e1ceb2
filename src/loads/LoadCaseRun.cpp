#include "loads/LoadCaseRun.h"

#include <atomic>
#include <bit>
#include <cmath>
#include <cstdint>
#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <thread>
#include <stdexcept>

#include "analysis/FibreTable.h"
#include "check/DesignCheck.h"
#include "input/InputChecks.h"
#include "input/InputReader.h"
#include "interaction/InteractionCurves.h"
#include "model/ParallelFor.h"
#include "model/SectionModel.h"
#include "profiles/Discretisation.h"
#include "run/AnalysisSteps.h"

namespace colsec {

namespace {

// A model that nobody prints: console and warnings are dropped.
struct QuietModel {
  QuietModel() : discard(nullptr), model(discard) {}
  std::ostream discard;
  SectionModel model;
};

// Reads the section from the input text: profiles, materials, settings.
std::unique_ptr<QuietModel> readSection(const std::string& text, const std::string& path) {
  auto section = std::make_unique<QuietModel>();
  std::istringstream input(text);
  InputRecordLines lines = readInput(input, section->model, path, section->discard);
  section->model.pruneMaterials();
  // The design forces come from the table, so a missing #FORCEED is no loss.
  if (lines.forcesLine == 0) lines.forcesLine = -1;
  checkInput(section->model, lines, path, section->discard);
  return section;
}

// Elements copied between models of the same input text point at the
// materials of `from`; they are turned to the same materials of `to`
// (both models list them in the same order).
void pointAtMaterialsOf(std::vector<Element>& elements, const SectionModel& from, const SectionModel& to) {
  // Neighbouring elements mostly share their material.
  std::size_t last = 0;
  for (Element& e : elements) {
    if (last >= from.materials.size() || from.materials[last].get() != e.material) {
      last = 0;
      while (last < from.materials.size() && from.materials[last].get() != e.material) ++last;
      if (last == from.materials.size()) throw std::logic_error("element of a material not in its model");
    }
    e.material = to.materials[last].get();
  }
}

// The elements after the shear analysis for one pair of shear forces.
// Computed by the first combination that needs it and released after the
// last, so that only the states in use are held.
struct ShearState {
  double qy = 0.0;
  double qz = 0.0;
  std::once_flag computed;
  std::atomic<int> users{0};
  std::vector<Element> elements;  // materials: those of the master model
  bool converged = false;
  double carriedQy = 0.0;
  double carriedQz = 0.0;
  SectionCheckItems sectionItems;
  std::unique_ptr<FibreTable> fibres;  // the elements' laws for the strain state
};

// The plastic sweeps of one shear pair and quadrant, held the same way.
struct SurfaceSlot {
  int quadrant = 0;
  std::vector<double> axialForces;  // 0 and the design axial forces of its combinations
  std::once_flag computed;
  std::atomic<int> users{0};
  PlasticSurface surface;
};

// Shear pairs are told apart by their bits: -0.0 and 0.0 give shear
// stresses of different signs.
using ShearKey = std::pair<std::uint64_t, std::uint64_t>;
ShearKey shearKey(const SectionForces& f) { return {std::bit_cast<std::uint64_t>(f.qy), std::bit_cast<std::uint64_t>(f.qz)}; }

class SectionSource {
 public:
  SectionSource(const std::string& text, const std::string& path) : text_(text), path_(path) {
    master_ = readSection(text_, path_);
    discretise(master_->model);
  }

  const SectionModel& master() const { return master_->model; }

  // A fresh model of the section whose elements are copies of `elements`
  // (materials of the master model), pointing at the fresh model's own
  // materials.
  std::unique_ptr<QuietModel> modelWith(const std::vector<Element>& elements) const {
    std::unique_ptr<QuietModel> fresh = readSection(text_, path_);
    SectionModel& model = fresh->model;
    const SectionModel& source = master_->model;
    model.gridLinesY = source.gridLinesY;  // sorted and unique since the discretisation
    model.gridLinesZ = source.gridLinesZ;
    model.elements = elements;
    pointAtMaterialsOf(model.elements, source, model);
    return fresh;
  }

 private:
  const std::string& text_;
  const std::string& path_;
  std::unique_ptr<QuietModel> master_;
};

double outcomeUtilisation(const DesignCheck& check) {
  if (check.governing < 0) return 0.0;
  return check.items[check.governing].utilisation;
}

}  // namespace

int governingCombination(const std::vector<CombinationOutcome>& outcomes) {
  return indexOfHighestUtilisation(
      outcomes, [](const CombinationOutcome& o) { return o.utilisation; }, [](const CombinationOutcome&) { return true; });
}

LoadCaseResults runLoadCases(const std::string& inputText, const std::string& inputPath,
                             const std::vector<LoadCombination>& combinations, const LoadCaseOptions& options) {
  const SectionSource source(inputText, inputPath);
  const SectionModel& master = source.master();
  const int threads = std::max(1, options.threads);

  // Distinct shear pairs in the order of their first combination, and the
  // sweeps per shear pair and quadrant of the moments.
  std::map<ShearKey, int> shearIndex;
  std::vector<int> shearOf(combinations.size());
  std::map<std::pair<int, int>, int> surfaceIndex;
  std::vector<int> surfaceOf(combinations.size(), -1);
  for (std::size_t c = 0; c < combinations.size(); ++c) {
    const int nextShear = static_cast<int>(shearIndex.size());
    shearOf[c] = shearIndex.emplace(shearKey(combinations[c].forces), nextShear).first->second;
    if (master.allNonlinear) {
      const std::pair<int, int> key{shearOf[c], momentQuadrant(combinations[c].forces).q};
      surfaceOf[c] = surfaceIndex.emplace(key, static_cast<int>(surfaceIndex.size())).first->second;
    }
  }
  std::vector<ShearState> shears(shearIndex.size());
  std::vector<SurfaceSlot> surfaces(surfaceIndex.size());
  for (std::size_t c = 0; c < combinations.size(); ++c) {
    ShearState& shear = shears[static_cast<std::size_t>(shearOf[c])];
    if (shear.users++ == 0) {
      shear.qy = combinations[c].forces.qy;
      shear.qz = combinations[c].forces.qz;
    }
    if (surfaceOf[c] >= 0) {
      SurfaceSlot& slot = surfaces[static_cast<std::size_t>(surfaceOf[c])];
      slot.quadrant = momentQuadrant(combinations[c].forces).q;
      if (slot.axialForces.empty()) slot.axialForces.push_back(0.0);
      slot.axialForces.push_back(combinations[c].forces.nx);
      ++slot.users;
    }
  }

  const auto solveShear = [&](ShearState& state) {
    std::unique_ptr<QuietModel> run = source.modelWith(master.elements);
    SectionModel& model = run->model;
    model.designForces.qy = state.qy;
    model.designForces.qz = state.qz;
    runShearSteps(model, options.tolerance, run->discard);
    state.converged = model.shearConverged;
    state.carriedQy = model.resultForces.qy;
    state.carriedQz = model.resultForces.qz;
    state.sectionItems = sectionCheckItems(model);
    // Back to the master's materials, which outlive every run.
    state.elements = std::move(model.elements);
    pointAtMaterialsOf(state.elements, model, master);
    state.fibres = std::make_unique<FibreTable>(state.elements);
  };
  const auto sweepSurface = [&](SurfaceSlot& slot, const ShearState& shear) {
    std::unique_ptr<QuietModel> run = source.modelWith(shear.elements);
    // Moments of the signs of the quadrant pick its sweep angles.
    const int q = slot.quadrant;
    run->model.designForces.my = (q == 1 || q == 2) ? -1.0 : 0.0;
    run->model.designForces.mz = (q == 2 || q == 3) ? -1.0 : 0.0;
    // A surface read at a few axial forces needs the moments of a few
    // points per curve only; one read at many is swept whole.
    const auto offsets = static_cast<std::size_t>(std::max(0, master.settings.offsetSubdivisions));
    const bool few = slot.axialForces.size() * 8 <= offsets;
    slot.surface = sweepPlasticSurface(run->model, 1, few ? &slot.axialForces : nullptr);
  };

  LoadCaseResults results;
  results.shearStates = static_cast<int>(shears.size());
  results.outcomes.resize(combinations.size());
  std::mutex progressLock;
  int done = 0;
  parallelFor(static_cast<int>(combinations.size()), threads, [&](int c) {
    ShearState& shear = shears[static_cast<std::size_t>(shearOf[c])];
    std::call_once(shear.computed, solveShear, shear);
    SurfaceSlot* slot = surfaceOf[c] >= 0 ? &surfaces[static_cast<std::size_t>(surfaceOf[c])] : nullptr;
    if (slot != nullptr) std::call_once(slot->computed, sweepSurface, *slot, shear);

    std::unique_ptr<QuietModel> run = source.modelWith(shear.elements);
    SectionModel& model = run->model;
    model.designForces = combinations[c].forces;
    model.shearConverged = shear.converged;
    model.resultForces.qy = shear.carriedQy;
    model.resultForces.qz = shear.carriedQz;
    SharedResults shared;
    shared.surface = slot != nullptr ? &slot->surface : nullptr;
    shared.sectionItems = &shear.sectionItems;
    shared.fibres = shear.fibres.get();
    runForceSteps(model, options.tolerance, {nullptr, nullptr, nullptr, nullptr, run->discard}, shared);
    // The last user of a shear state or surface lets it go.
    if (slot != nullptr && --slot->users == 0) slot->surface = PlasticSurface{};
    if (--shear.users == 0) {
      std::vector<Element>().swap(shear.elements);
      shear.sectionItems = SectionCheckItems{};
      shear.fibres.reset();
    }

    CombinationOutcome& outcome = results.outcomes[c];
    outcome.combination = combinations[c];
    outcome.shearConverged = model.shearConverged;
    outcome.axialConverged = model.axialConverged;
    outcome.fallback = model.strainFallback;
    outcome.generalVerified = model.generalMethod.verified;
    outcome.simplifiedComputed = model.simplifiedMethod.computed;
    outcome.simplifiedOk = model.simplifiedMethod.methodOk();
    outcome.designCheck = model.designCheck;
    outcome.member = model.member;
    outcome.utilisation = outcomeUtilisation(model.designCheck);
    if (options.view) outcome.view = options.view(model);
    if (options.progress) {
      const std::lock_guard<std::mutex> lock(progressLock);
      options.progress(++done, static_cast<int>(combinations.size()));
    }
  });
  results.governing = governingCombination(results.outcomes);
  return results;
}

}  // namespace colsec
