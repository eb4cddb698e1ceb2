#include <ostream>

#include "model/SectionModel.h"
#include "report/Reports.h"

namespace colsec {

void writeInputSummary(std::ostream& stream, const SectionModel& model) {
  stream << "\n\n -------------------------------------\n";
  stream << "   Zusammenfassung der Eingangsdaten";
  stream << "\n -------------------------------------\n";
  stream << "\n      Materials:\n";
  for (const auto& material : model.materials) stream << material->describe();
  stream << "\n      Profiles:\n";
  for (const auto& profile : model.profiles) stream << profile->describe();
  stream << "\n      Settings:\n";
  const SectionForces& f = model.designForces;
  stream << "Force FEd [kN/kNm]:" << " Nx: " << f.nx / 1000 << " My: " << f.my / 1e6 << " Mz: " << f.mz / 1e6
         << " Qy: " << f.qy / 1000 << " Qz: " << f.qz / 1000;
  stream << "\nFE-Size [mm]: " << model.settings.feSize;
  stream << "\nInteraction Surface Angular Subdivisions [-]: " << model.settings.angularSubdivisions;
  stream << "\nInteraction Surface Offset Subdivisions [-]: " << model.settings.offsetSubdivisions;
}

}  // namespace colsec
