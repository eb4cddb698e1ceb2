#pragma once
// The central record of one run: the input side filled by the reader and
// every result stored by the analyses. Units: mm, N, Nmm, N/mm².

#include <cstdint>
#include <iosfwd>
#include <limits>
#include <memory>
#include <vector>

#include "analysis/Element.h"
#include "model/Material.h"
#include "model/Member.h"
#include "model/Profile.h"
#include "model/Results.h"
#include "model/Types.h"

namespace colsec {

class SectionModel {
 public:
  // console receives the not-found message of the material lookup; it
  // must outlive the model.
  explicit SectionModel(std::ostream& console);
  SectionModel(const SectionModel&) = delete;
  SectionModel& operator=(const SectionModel&) = delete;

  // First material with this number; reports on the console when none has it.
  const Material* findMaterial(std::int32_t number) const;
  // Takes ownership, attaches the material and adds the grid lines.
  void addProfile(std::unique_ptr<Profile> profile);
  void addHebProfile(std::int32_t number, std::int32_t materialNumber, double H, double B, double ts, double tg,
                     double r, bool rotated);
  void addRectProfile(std::int32_t number, std::int32_t materialNumber, double H, double B, double t, double r,
                      bool hollow);
  void addCircProfile(std::int32_t number, std::int32_t materialNumber, double offsetY, double offsetZ,
                      double diameter, double t, bool hollow);
  // Drops the materials no profile uses and decides allNonlinear.
  void pruneMaterials();

  std::vector<std::unique_ptr<Profile>> profiles;
  std::vector<std::unique_ptr<Material>> materials;
  SectionForces designForces;
  Settings settings;
  bool allNonlinear = true;
  std::vector<double> gridLinesY;
  std::vector<double> gridLinesZ;
  // Contiguous, in creation order; never reordered after discretisation,
  // so pointers into it stay valid.
  std::vector<Element> elements;
  InteractionCurve curveNMy;
  InteractionCurve curveNMz;
  InteractionCurve curveMyMz;
  InteractionCurve curveMyMzN0;
  double mPlYRd = std::numeric_limits<double>::quiet_NaN();
  double mPlZRd = std::numeric_limits<double>::quiet_NaN();
  double nPlRdMax = std::numeric_limits<double>::quiet_NaN();
  double nPlRdMin = std::numeric_limits<double>::quiet_NaN();
  double qPlRdY = std::numeric_limits<double>::quiet_NaN();
  double qPlRdZ = std::numeric_limits<double>::quiet_NaN();
  double mdy = std::numeric_limits<double>::quiet_NaN();
  double mdz = std::numeric_limits<double>::quiet_NaN();
  SectionStiffness stiffnessEff;
  SectionStiffness stiffnessEffII;
  std::vector<InteractionCurve> surfaceCurves;
  SectionForces resultForces;
  StrainState strainState;
  bool shearConverged = false;
  bool axialConverged = false;
  bool stressesWithinLimits = true;
  bool strainsWithinLimits = true;
  GeneralMethodResult generalMethod;
  SimplifiedMethodResult simplifiedMethod;
  // Declared in the input: the design moments result directly from the
  // axial force (EN 1994-1-1 6.7.3.6 (2)), so μd may exceed 1.0.
  bool momentsFromAxialForce = false;
  StrainFallbackResult strainFallback;
  DesignCheck designCheck;
  // The "#MEMBER" record and the member check; absent without the record.
  MemberInput memberInput;
  MemberResult member;
  // Only for pictures; empty after the run of colsec.
  FullInteractionDiagram fullDiagram;

 private:
  std::ostream& console_;
};

}  // namespace colsec
