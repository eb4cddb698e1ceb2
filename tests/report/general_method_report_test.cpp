#include <gtest/gtest.h>

#include <cstdio>

#include <memory>
#include <sstream>
#include <string>

#include "analysis/ElementResults.h"
#include "analysis/GeneralMethod.h"
#include "analysis/SectionSums.h"
#include "analysis/Solvers.h"
#include "materials/Concrete1992_3171.h"
#include "materials/Steel1993_543.h"
#include "model/SectionModel.h"
#include "report/Reports.h"

namespace colsec {
namespace {

// The fixed head of the section, up to the stiffness line.
const std::string kHead =
    "\n -------------------------------------\n"
    "   Nachweis nach EN 1994-1-1 6.7.2 Allgemeines Bemessungsverfahren"
    "\n -------------------------------------\n"
    "Informativ: Berechnete wirksame Biegesteifigkeiten:\n";

// The verdict and neutral axis are decided by the analysis, then printed.
std::string report(SectionModel& model) {
  evaluateGeneralMethod(model);
  std::ostringstream out;
  writeGeneralMethodReport(out, model);
  return out.str();
}

// The line of the report that starts with `prefix`, with its line break.
std::string lineOf(const std::string& text, const std::string& prefix) {
  const std::size_t start = text.find(prefix);
  if (start == std::string::npos) return "";
  const std::size_t end = text.find('\n', start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start + 1);
}

struct VerdictCase {
  const char* name;
  bool shearConverged, axialConverged, stressesWithinLimits, strainsWithinLimits;
  const char* shearLabel;
  const char* axialLabel;
  const char* validity;  // "Qi: ... Nx und Mi: ..."
  const char* stressAnswer;
  const char* strainAnswer;
  const char* verdict;
};

TEST(GeneralMethodReportTest, ConvergenceAndLimitFlagsDecideTheVerdict) {
  const VerdictCase cases[] = {
      {"all fine", true, true, true, true, "\tKonvergiert: ", "\tKonvergiert: ", "Qi: JA  Nx und Mi: JA ", "NEIN ",
       "NEIN ", "JA "},
      {"shear not converged", false, true, true, true,
       "\tNICHT KONVERGIERT: ", "\tKonvergiert: ", "Qi: NEIN  Nx und Mi: JA ", "NEIN ", "NEIN ", "NEIN "},
      {"strain state not converged", true, false, true, true,
       "\tKonvergiert: ", "\tNICHT KONVERGIERT: ", "Qi: JA  Nx und Mi: NEIN ", "NEIN ", "NEIN ", "NEIN "},
      {"a stress exceeded", true, true, false, true, "\tKonvergiert: ", "\tKonvergiert: ", "Qi: JA  Nx und Mi: JA ",
       "JA ", "NEIN ", "NEIN "},
      {"a strain exceeded", true, true, true, false, "\tKonvergiert: ", "\tKonvergiert: ", "Qi: JA  Nx und Mi: JA ",
       "NEIN ", "JA ", "NEIN "},
      {"nothing holds", false, false, false, false,
       "\tNICHT KONVERGIERT: ", "\tNICHT KONVERGIERT: ", "Qi: NEIN  Nx und Mi: NEIN ", "JA ", "JA ", "NEIN "},
  };
  for (const VerdictCase& c : cases) {
    std::ostringstream console;
    SectionModel model(console);
    model.shearConverged = c.shearConverged;
    model.axialConverged = c.axialConverged;
    model.stressesWithinLimits = c.stressesWithinLimits;
    model.strainsWithinLimits = c.strainsWithinLimits;
    model.stiffnessEff = {0.0, 2.5e12, 1.2e12};
    model.stiffnessEffII = {0.0, 2.25e12, 1.08e12};
    // The forces of the last iteration are printed whether or not it converged.
    model.resultForces = {-1500000.0, 2.5e8, -1.2345e7, 0.0, 12345.6};
    model.strainState = {-5e-4, 1e-5, 2e-5};
    const std::string expected =
        kHead + "\tEIeff y/z: 2.5e+06/1.2e+06[Nm²]\tEIeffII y/z: 2.25e+06/1.08e+06[Nm²]" +
        "\n\nResultierende Querkräfte [kN/kNm]:\n" + c.shearLabel + " Qy: 0 Qz: 12.3456\n" +
        "Resultierende Normalkräfte und Momente [kN/kNm]:\n" + c.axialLabel + " Nx: -1500 My: 250 Mz: -12.345\n" +
        "\t im Dehnungszustand epsX: -0.0005[-] kappaY: 1e-05[1/mm]  kappaZ: 2e-05[1/mm]\n" +
        "\t Nullinie Offset y/z: 20/10[mm] alpha: 63.435[deg]\n" + "\nReaktionskräfte gültig: " + c.validity + "\n\n" +
        "Spannungen in Elementen überschritten (siehe Zusammenfassung): " + c.stressAnswer +
        "\nDehnungen in Elementen überschritten (siehe Zusammenfassung): " + c.strainAnswer +
        "\n\nNACHWEIS ERBRACHT: " + c.verdict + "\n\n  Zusammenfassung der ermittelten Spannungen in den Materialien\n";
    EXPECT_EQ(report(model), expected) << c.name;
  }
}

struct AxisCase {
  const char* name;
  StrainState state;
  const char* expected;
};

TEST(GeneralMethodReportTest, NeutralAxisLine) {
  const AxisCase cases[] = {
      // kappaY = 0: alpha = π/2, and π/2 / 3.141592 · 180 = 90.0000187
      // prints as 90; t = 1e-4/2e-5 = 5, offZ = 6.123233995736766e-17·5.
      {"kappaY = 0", {-1e-4, 0.0, 2e-5}, "\t Nullinie Offset y/z: 5/3.06162e-16[mm] alpha: 90[deg]\n"},
      // kappaZ/kappaY = 2: atan 2 = 1.1071487 rad is 63.43495° with the
      // full π, 63.43496° with the divisor 3.141592, which is 63.435 to six
      // digits. Foot point −epsX·(kappaZ, kappaY)/|kappa|² = (20, 10).
      {"kappaZ = 2 kappaY", {-5e-4, 1e-5, 2e-5}, "\t Nullinie Offset y/z: 20/10[mm] alpha: 63.435[deg]\n"},
      // kappaZ = 0: alpha = 0, zero strain at z = 3e-4/1.5e-5 = 20.
      {"bending about y only", {-3e-4, 1.5e-5, 0.0}, "\t Nullinie Offset y/z: 0/20[mm] alpha: 0[deg]\n"},
  };
  for (const AxisCase& c : cases) {
    std::ostringstream console;
    SectionModel model(console);
    model.strainState = c.state;
    EXPECT_EQ(lineOf(report(model), "\t Nullinie"), c.expected) << c.name;
  }
}

TEST(GeneralMethodReportTest, NeutralAxisOffsetIsOnTheAxisForNegativeCurvatures) {
  struct {
    const char* name;
    StrainState state;
    const char* expected;
  } const cases[] = {
      // kappaY = −1e-5, kappaZ = 1e-5: alpha = atan(−1) = −π/4, printed −45
      // (−45.0000093 with the divisor 3.141592). The zero-strain line
      // 2e-4 − 1e-5·z + 1e-5·y = 0 has its foot point at
      // −epsX·(kappaZ, kappaY)/|kappa|² = (−10, 10); the plain arc-tangent
      // formula would give (10, −10), where the strain is 4e-4.
      {"kappaY < 0", {2e-4, -1e-5, 1e-5}, "\t Nullinie Offset y/z: -10/10[mm] alpha: -45[deg]\n"},
      // kappaY = 0, kappaZ = −2e-5: zero strain at y = −1e-4/2e-5 = −5.
      {"kappaY = 0, kappaZ < 0", {-1e-4, 0.0, -2e-5}, "\t Nullinie Offset y/z: -5/-3.06162e-16[mm] alpha: 90[deg]\n"},
      // Both negative: foot point 1e-4·(−1e-5, −2e-5)/5e-10 = (−2, −4);
      // alpha = atan(0.5) = 26.5651°.
      {"both negative", {-1e-4, -2e-5, -1e-5}, "\t Nullinie Offset y/z: -2/-4[mm] alpha: 26.5651[deg]\n"},
  };
  for (const auto& c : cases) {
    std::ostringstream console;
    SectionModel model(console);
    model.strainState = c.state;
    const std::string line = lineOf(report(model), "\t Nullinie");
    EXPECT_EQ(line, c.expected) << c.name;
    // The printed point really has zero strain (to the printed digits).
    double offY = 0.0;
    double offZ = 0.0;
    ASSERT_EQ(std::sscanf(line.c_str(), "\t Nullinie Offset y/z: %lf/%lf", &offY, &offZ), 2) << c.name;
    const double strain = c.state.epsX + c.state.kappaY * offZ + c.state.kappaZ * offY;
    EXPECT_NEAR(strain, 0.0, 1e-9) << c.name;
  }
}

TEST(GeneralMethodReportTest, MaterialWithoutElementsSaysSo) {
  std::ostringstream console;
  SectionModel model(console);
  model.materials.push_back(std::make_unique<Concrete1992_3171>(7, 1, 30000.0, 20.0, 0.85, 0.002, 0.0035, 2.0));
  const std::string text = report(model);
  const std::string tail =
      "\n\n  Zusammenfassung der ermittelten Spannungen in den Materialien\nMaterial 7\n\tkeine Elemente\n\n";
  ASSERT_GE(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

// Two steel fibres 10 x 10 at z = ∓5 (E = 200000, fyd = 235, G = 80000)
// under Nx = −10 kN, My = 0.1 kNm, Qz = 2 kN, worked by hand:
// - Shear: G·A = 1.6e7 N, γz = 2000/1.6e7 = 1.25e-4, τz = 10 in both
//   fibres (elastic, and below half of τlim = 135.677, so no reduction).
// - EA = 4e7 N, ε = −1e4/4e7 = −2.5e-4.
// - EIy = E·2·(100·25 + 10·10³/12) = 1.33333e9 Nmm², of which the centres
//   carry 5000/6666.67 = 3/4: the My residual falls by 1/4 per iteration,
//   1e5 → 25000 → 6250 → 1562.5 → 390.6 → 97.66 Nmm ≤ 100 after five.
//   κ = 1e5/1.33333e9·(1 + 1/4 + 1/16 + 1/64 + 1/256) = 9.990234375e-5,
//   My carried = 5000·E·κ = 99902.34 Nmm.
// - Fibre strains −2.5e-4 ∓ 5κ = −7.4951e-4 and 2.4951e-4, stresses
//   −149.902 and 49.9023.
// - EIz = E·2·10·10³/12 = 3.33333e8; II values 0.9 times.
// - Neutral axis: alpha = 0, offset z = 2.5e-4/κ = 2.50244 mm.
TEST(GeneralMethodReportTest, WholeSectionOfASmallSteelSection) {
  std::ostringstream console;
  SectionModel model(console);
  model.materials.push_back(std::make_unique<Steel1993_543>(1, 10, 200000.0, 235.0, 80000.0));
  model.materials.push_back(std::make_unique<Concrete1992_3171>(2, 1, 30000.0, 20.0, 0.85, 0.002, 0.0035, 2.0));
  const Material* steel = model.materials[0].get();
  model.elements.emplace_back(0.0, -5.0, 10.0, 10.0, CellOwner{1, steel, 1.0, 1.0}, 1);
  model.elements.emplace_back(0.0, 5.0, 10.0, 10.0, CellOwner{1, steel, 1.0, 1.0}, 1);
  model.designForces = {-1e4, 1e5, 0.0, 0.0, 2000.0};
  std::ostringstream log;
  runShearAnalysis(model, 0.0001, console);
  updateElementResistances(model.elements);
  runStressAnalysis(model, 0.0001, log, console);
  checkElementLimits(model);
  collectMaterialExtremes(model, console);

  const std::string limits = "\t\t\tSigmaX Limits: -235/235 TauY/Z Limit: 135.677/135.677\n";
  const std::string upper = "\tin Element PosY/Z: 0 / 5\n\t\t\tSigmaX: 49.9023 TauY: 0 TauZ: 10\n" + limits;
  const std::string lower = "\tin Element PosY/Z: 0 / -5\n\t\t\tSigmaX: -149.902 TauY: 0 TauZ: 10\n" + limits;
  const std::string expected = kHead + "\tEIeff y/z: 1333.33/333.333[Nm²]\tEIeffII y/z: 1200/300[Nm²]" +
                               "\n\nResultierende Querkräfte [kN/kNm]:\n"
                               "\tKonvergiert:  Qy: 0 Qz: 2\n"
                               "Resultierende Normalkräfte und Momente [kN/kNm]:\n"
                               "\tKonvergiert:  Nx: -10 My: 0.0999023 Mz: 0\n"
                               "\t im Dehnungszustand epsX: -0.00025[-] kappaY: 9.99023e-05[1/mm]  kappaZ: 0[1/mm]\n"
                               "\t Nullinie Offset y/z: 0/2.50244[mm] alpha: 0[deg]\n"
                               "\nReaktionskräfte gültig: Qi: JA  Nx und Mi: JA \n\n"
                               "Spannungen in Elementen überschritten (siehe Zusammenfassung): NEIN "
                               "\nDehnungen in Elementen überschritten (siehe Zusammenfassung): NEIN "
                               "\n\nNACHWEIS ERBRACHT: JA "
                               "\n\n  Zusammenfassung der ermittelten Spannungen in den Materialien\n"
                               "Material 1\n"
                               // Equal shear stresses in both fibres: the later one is recorded.
                               "Max Sigma X: 49.9023 " +
                               upper + "Min Sigma X: -149.902 " + lower + "Max TauComb: 10 " + upper +
                               "Min/Max EpsX: -0.000749512/0.000249512\n\n"
                               "Material 2\n\tkeine Elemente\n\n";
  EXPECT_EQ(report(model), expected);
}

}  // namespace
}  // namespace colsec
