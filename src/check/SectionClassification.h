#pragma once
// Local buckling of the structural-steel profiles (EN 1994-1-1 6.7.1 (9)
// and Table 6.3 for composite sections; EN 1993-1-1 Table 5.2, class 2,
// for a steel profile without concrete), classified from the section
// itself: which points around and inside a profile are concrete.

#include <vector>

#include "model/Results.h"

namespace colsec {

class SectionModel;

class Material;
class Profile;

// A profile's role follows its shape, not its law: an HEB, a rectangle or a
// hollow circle of a steel law (structural or reinforcing) is structural
// steel for αM, Table 6.3 and EN 1993-1-1 Table 5.2; a solid circle is a
// bar. The plastic shear resistance still follows the laws.
bool hasStructuralShape(const Profile& profile);
// fyd of either steel law; NaN for any other law.
double steelYieldStrength(const Material& material);
// The largest fyd of the profiles of structural steel; NaN without one.
double highestStructuralSteelStrength(const SectionModel& model);
// Warnings where a law does not match the role of its profile's shape: a
// structural shape of the reinforcing-steel law, a bar of the
// structural-steel law.
std::vector<DesignCheckItem> profileRoleItems(const SectionModel& model);

// One item per slenderness limit of every hollow or I-shaped profile of
// structural steel; a fully encased I-section (concrete cover on every
// side, 6.7.5.1 (2)) and solid profiles have none.
std::vector<DesignCheckItem> localBucklingItems(const SectionModel& model);

// The rows of EN 1994-1-1 Table 6.5 (buckling curves and member
// imperfections) this section belongs to, from the same look at it as the
// local-buckling check: one structural-steel profile, an I-section fully or
// partially encased or a concrete-filled circular or rectangular tube.
enum class BucklingSectionKind { NotCovered, EncasedISection, FilledTube };
struct BucklingSection {
  BucklingSectionKind kind = BucklingSectionKind::NotCovered;
  bool majorAxisY = true;  // an I-section's strong axis is the section's y axis
};
BucklingSection bucklingSection(const SectionModel& model);

}  // namespace colsec
