#pragma once
// The three sections of the German verification report. Writers only
// read the model. Forces are printed in kN, moments in kNm.

#include <iosfwd>

namespace colsec {

class Element;
class SectionModel;

// Two detail lines for one element: position and stresses, then its limits.
void writeElementLimits(std::ostream& stream, const Element& element);

// EN 1994-1-1 6.7.2, general method: stiffnesses, carried forces,
// convergence, neutral axis, limit checks, verdict and material extremes.
void writeGeneralMethodReport(std::ostream& stream, const SectionModel& model);

// EN 1994-1-1 6.7.3, simplified method: shear, axial force, linear and
// nonlinear My-Mz interaction against the plastic resistances.
void writeSimplifiedMethodReport(std::ostream& stream, const SectionModel& model);

// Materials, profiles, design forces and settings; the end of the file.
void writeInputSummary(std::ostream& stream, const SectionModel& model);

// The verdict of the general method and the words of the simplified
// method's checks, as the report states them; views that quote the
// report take them from here.
inline const char* generalVerdictText(bool verified) {
  return verified ? "NACHWEIS ERBRACHT: JA" : "NACHWEIS ERBRACHT: NEIN";
}
inline const char* checkWord(bool ok) { return ok ? "OK" : "Nicht erfüllt"; }
// The experimental check against the My-Mz curve.
inline const char* surfaceCheckWord(bool ok) { return ok ? "OK" : "Außerhalb der Fließfläche"; }

// Written in place of the simplified method when a used material is linear.
inline constexpr const char* kLinearMaterialLine = "\n Linear Material found, interaction curves not generated.";

}  // namespace colsec
