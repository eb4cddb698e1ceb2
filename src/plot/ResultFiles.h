#pragma once
// Readers of the result files of an earlier colsec run: the element list
// ("_Section.res"), the interaction curves ("_Interaction.res") and the
// figures of the verification report ("_Validation.res"). Every problem is
// a ResultFileError whose message starts with "FILE:LINE: ".

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/Types.h"

namespace colsec::plot {

// A missing, unreadable or malformed result file, or results that do not
// belong to the input beside them.
class ResultFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Message of a ResultFileError: "FILE:LINE: text", or "FILE: text" for
// line 0.
std::string locatedMessage(const std::string& fileName, int line, const std::string& text);

// A number as the result files print it: a decimal number with optional
// sign and exponent, or nan / inf with optional sign. Anything else
// (blank, trailing characters, a comma) gives nothing.
std::optional<double> parseResultNumber(std::string_view token);

// One "#ELEMENT" line. Lengths in mm, stresses in N/mm².
struct ElementRecord {
  std::int32_t profileNumber = 0;
  double posY = 0.0;
  double posZ = 0.0;
  double dimY = 0.0;
  double dimZ = 0.0;
  double epsX = 0.0;
  double sigX = 0.0;
  double tauY = 0.0;
  double tauZ = 0.0;
  int line = 0;  // line in the file, from 1
};

// The element list: "//Elements", then one line per element. Positions
// and widths must be finite, widths positive; the results may be nan.
std::vector<ElementRecord> readSectionResults(std::istream& in, const std::string& fileName);

// The four curves, in N and Nmm; points may be nan. An empty file (a run
// with a linear material) gives four empty curves.
struct InteractionResults {
  InteractionCurve nMy;
  InteractionCurve nMz;
  InteractionCurve myMzN0;
  InteractionCurve myMz;
  int lineCount = 0;
};

// "#CURVEPOINT NAME nx my mz" lines, blocks in the order NMy, NMz, MyMzN0,
// MyMz.
InteractionResults readInteractionResults(std::istream& in, const std::string& fileName);

// The general-method section of the report. Forces in kN, moments in kNm,
// exactly as printed.
struct GeneralMethodFigures {
  bool shearConverged = false;
  double qyKN = 0.0;
  double qzKN = 0.0;
  bool axialConverged = false;
  double nxKN = 0.0;
  double myKNm = 0.0;
  double mzKNm = 0.0;
  StrainState strainState;
  double neutralAxisOffY = 0.0;  // [mm]
  double neutralAxisOffZ = 0.0;  // [mm]
  double neutralAxisAlphaDeg = 0.0;
  bool stressesExceeded = false;
  bool strainsExceeded = false;
  bool verified = false;  // "NACHWEIS ERBRACHT: JA "
  int verdictLine = 0;
};

// The simplified-method section. Forces in kN, moments in kNm; the words
// of every check as printed ("OK", "Nicht erfüllt", ...), without the
// trailing blank some of them carry.
struct SimplifiedMethodFigures {
  SectionForces designKN;  // nx, qy, qz in kN; my, mz in kNm
  double qPlRdYKN = 0.0;
  double qPlRdZKN = 0.0;
  double ratioQy = 0.0;
  std::string wordQy;
  double ratioQz = 0.0;
  std::string wordQz;
  double nPlRdMaxKN = 0.0;
  double nPlRdMinKN = 0.0;
  double ratioN = 0.0;
  std::string wordN;
  double mPlYRdKNm = 0.0;
  double mPlZRdKNm = 0.0;
  double mdy = 0.0;
  double mdz = 0.0;
  double ratioMy = 0.0;  // [1]
  double ratioMz = 0.0;  // [2]
  double ratioSum = 0.0;
  std::string wordSum;
  ForceTriple closestPoint;  // nx in kN, my and mz in kNm
  double utilisationMy = 0.0;
  std::string wordMy;
  double utilisationMz = 0.0;
  std::string wordMz;

  // The four checks of the method proper (shear y, shear z, axial force,
  // linear interaction) all read "OK".
  bool allChecksOk() const;
  // The experimental check against the My-Mz curve reads "OK" twice.
  bool nonlinearOk() const;
};

// The figures of the whole report.
struct ValidationReport {
  GeneralMethodFigures general;
  bool linearMaterial = false;  // the report says no curves were built
  int methodLine = 0;           // that line, or the title of the simplified method
  std::optional<SimplifiedMethodFigures> simplified;
  SectionForces designKN;  // from the input summary: kN and kNm
  int designLine = 0;
  double feSize = 0.0;  // [mm]
  int feSizeLine = 0;
};

ValidationReport readValidationReport(std::istream& in, const std::string& fileName);

// Matches one line against a pattern in which every "{}" stands for a
// field; the text between fields must match exactly and the whole line
// must be used. A field ends where the text after it first occurs (the
// last field, at the end of the line). False when the line does not fit.
bool matchLinePattern(std::string_view line, std::string_view pattern, std::vector<std::string>& fields);

}  // namespace colsec::plot
