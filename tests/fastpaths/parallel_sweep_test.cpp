// The surface swept on several threads gives every bit of the one swept
// on one thread, and of the plain section sums curve by curve, in every
// quadrant of the moments.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "interaction/InteractionCurves.h"
#include "model/SectionModel.h"
#include "support/InMemoryRun.h"

namespace colsec {
namespace {

std::uint64_t bits(double value) { return std::bit_cast<std::uint64_t>(value); }

void expectSameCurve(const InteractionCurve& a, const InteractionCurve& b, const std::string& what) {
  ASSERT_EQ(a.size(), b.size()) << what;
  for (std::size_t i = 0; i < a.size(); ++i) {
    ASSERT_TRUE(bits(a[i].nx) == bits(b[i].nx) && bits(a[i].my) == bits(b[i].my) && bits(a[i].mz) == bits(b[i].mz))
        << what << ", point " << i;
  }
}

TEST(ParallelSweep, ThreadsGiveTheBitsOfOneThreadAndOfThePlainSums) {
  const std::string section =
      "#MATERIAL CONC1992_3171 NR 1 PRIO 1 PAR 33000 17 1.0 0.002 0.0035 2\n"
      "#MATERIAL Steel1993_543 NR 2 PRIO 2 PAR 210000 355 81000\n"
      "#MATERIAL Steel1992_327b NR 3 PRIO 3 PAR 200000 435\n"
      "#PROFILE RECT NR 1 MAT 1 DIM 400 300 0 0 0\n"
      "#PROFILE HEB NR 2 MAT 2 DIM 200 200 9 15 18 0\n"
      "#PROFILE CIRC NR 3 MAT 3 DIM 140 100 25 0 0\n"
      "#PROFILE CIRC NR 4 MAT 3 DIM -140 -110 20 0 0\n"
      "#SETTINGS SET 9 0 0 11 37\n";
  const char* forces[] = {"#FORCEED FED -900000 50000000 20000000 30000 60000\n",
                          "#FORCEED FED -900000 -50000000 20000000 30000 60000\n",
                          "#FORCEED FED -900000 -50000000 -20000000 30000 60000\n",
                          "#FORCEED FED -900000 50000000 -20000000 30000 60000\n"};
  for (const char* force : forces) {
    const auto run = test::analyseText(section + force);
    const SectionModel& model = run->model;
    const PlasticSurface one = sweepPlasticSurface(model, 1);
    const PlasticSurface three = sweepPlasticSurface(model, 3);
    expectSameCurve(one.curveNMy, three.curveNMy, std::string(force) + "N-My");
    expectSameCurve(one.curveNMz, three.curveNMz, std::string(force) + "N-Mz");
    ASSERT_EQ(one.surfaceCurves.size(), 11u);
    ASSERT_EQ(three.surfaceCurves.size(), 11u);
    const MomentQuadrant quadrant = momentQuadrant(model.designForces);
    const double radius = sectionRadius(model);
    for (int i = 0; i < 11; ++i) {
      const std::string what = std::string(force) + "angle " + std::to_string(i);
      expectSameCurve(one.surfaceCurves[i], three.surfaceCurves[i], what);
      expectSameCurve(sweepCurve(model, surfaceAngle(quadrant, i, 11), -radius, radius, 37), three.surfaceCurves[i],
                      what + " against the plain sums");
    }
    // The run itself (all cores) stored the same curves.
    expectSameCurve(model.curveNMy, one.curveNMy, std::string(force) + "run's N-My");
    expectSameCurve(model.surfaceCurves.back(), one.surfaceCurves.back(), std::string(force) + "run's last curve");
  }
}

}  // namespace
}  // namespace colsec
