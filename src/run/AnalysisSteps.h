#pragma once
// The analysis steps of one run, in their fixed order, on a model that has
// been read, pruned and checked. Every step runs once; none is skipped
// because an earlier one did not converge.

#include <iosfwd>

#include "model/Tolerances.h"

namespace colsec {

class SectionModel;
struct PlasticSurface;
struct SectionCheckItems;
class FibreTable;


// Where the steps write: the four result streams and the console. A null
// result stream means the text of that file is not wanted (the results in
// the model are the same).
struct RunStreams {
  std::ostream* log;
  std::ostream* interaction;
  std::ostream* section;
  std::ostream* validation;
  std::ostream& console;
};

// Results of earlier steps that depend only on the elements after the
// shear analysis (and, for the surface, the quadrant of the moments), so
// that runs with the same shear forces can share them. Null: compute.
struct SharedResults {
  const PlasticSurface* surface = nullptr;
  const SectionCheckItems* sectionItems = nullptr;
  // The table of the elements' laws for the strain state.
  const FibreTable* fibres = nullptr;
  // Threads for the sweeps when they are computed here.
  int sweepThreads = 1;
};

// A whole single run: the sweeps on `threads` threads (0: one per core)
// beside the one that solves the strain state; with one thread, no thread
// is started and the steps run one after another.
void runAnalysisSteps(SectionModel& model, double tolerance, const RunStreams& streams, int threads = 0);

// The steps after the discretisation: shear stresses and the elements'
// shear-reduced resistances.
void runShearSteps(SectionModel& model, double tolerance, std::ostream& console);

// The steps that depend on the axial force and moments, on elements whose
// shear state is solved: strain state, element checks, both methods, the
// report and the design check.
void runForceSteps(SectionModel& model, double tolerance, const RunStreams& streams, const SharedResults& shared);

// The two halves of runForceSteps. The strain steps: strain state, element
// list (formatted on `threads` threads), element checks and the general
// method with its report.
void runStrainSteps(SectionModel& model, double tolerance, const RunStreams& streams,
                    const FibreTable* fibres = nullptr, int threads = 1);
// The resistance steps: interaction curves, the simplified method with its
// report, the input summary and the design check.
void runResistanceSteps(SectionModel& model, double tolerance, const RunStreams& streams,
                        const SharedResults& shared);

}  // namespace colsec
