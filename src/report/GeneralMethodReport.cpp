#include <cmath>
#include <ostream>

#include "analysis/ElementResults.h"
#include "model/SectionModel.h"
#include "report/Reports.h"

namespace colsec {

void writeElementLimits(std::ostream& stream, const Element& e) {
  stream << "\tin Element PosY/Z: " << e.posY << " / " << e.posZ << "\n\t\t\tSigmaX: " << e.sigX << " TauY: " << e.tauY
         << " TauZ: " << e.tauZ << "\n";
  stream << "\t\t\tSigmaX Limits: " << e.stress(QueryLimitLower, 0.0) << "/" << e.stress(QueryLimitUpper, 0.0)
         << " TauY/Z Limit: " << e.shearStressY(QueryLimitUpper, 0.0) << "/" << e.shearStressZ(QueryLimitUpper, 0.0)
         << "\n";
}

namespace {

const char* convergedLabel(bool converged) { return converged ? "\tKonvergiert: " : "\tNICHT KONVERGIERT: "; }
const char* yesNo(bool yes) { return yes ? "JA " : "NEIN "; }

void writeExtremeLine(std::ostream& stream, const char* label, const Element* element, double value) {
  stream << label << value << " ";
  if (element != nullptr) {
    writeElementLimits(stream, *element);
  } else {
    stream << "\n";
  }
}

void writeMaterialSummary(std::ostream& stream, const Material& m) {
  stream << "Material " << m.number << "\n";
  const bool ownsElements = m.maxSigmaElement || m.minSigmaElement || m.maxTauElement || m.maxEpsElement ||
                            m.minEpsElement;
  if (!ownsElements) {
    stream << "\tkeine Elemente\n\n";
    return;
  }
  const double nan = std::nan("");
  const auto sig = [&](const Element* e) { return e ? e->sigX : nan; };
  writeExtremeLine(stream, "Max Sigma X: ", m.maxSigmaElement, sig(m.maxSigmaElement));
  writeExtremeLine(stream, "Min Sigma X: ", m.minSigmaElement, sig(m.minSigmaElement));
  writeExtremeLine(stream, "Max TauComb: ", m.maxTauElement, m.maxTauElement ? m.maxTauElement->tauComb : nan);
  stream << "Min/Max EpsX: " << (m.minEpsElement ? m.minEpsElement->epsX : nan) << "/"
         << (m.maxEpsElement ? m.maxEpsElement->epsX : nan) << "\n\n";
}

}  // namespace

void writeGeneralMethodReport(std::ostream& stream, const SectionModel& model) {
  stream << "\n -------------------------------------\n";
  stream << "   Nachweis nach EN 1994-1-1 6.7.2 Allgemeines Bemessungsverfahren";
  stream << "\n -------------------------------------\n";
  stream << "Informativ: Berechnete wirksame Biegesteifigkeiten:\n";
  stream << "\tEIeff y/z: " << model.stiffnessEff.EIy / 1e6 << "/" << model.stiffnessEff.EIz / 1e6 << "[Nm²]";
  stream << "\tEIeffII y/z: " << model.stiffnessEffII.EIy / 1e6 << "/" << model.stiffnessEffII.EIz / 1e6 << "[Nm²]";

  const SectionForces& forces = model.resultForces;
  stream << "\n\nResultierende Querkräfte [kN/kNm]:\n";
  stream << convergedLabel(model.shearConverged);
  stream << " Qy: " << forces.qy / 1000 << " Qz: " << forces.qz / 1000 << "\n";
  stream << "Resultierende Normalkräfte und Momente [kN/kNm]:\n";
  stream << convergedLabel(model.axialConverged);
  stream << " Nx: " << forces.nx / 1000 << " My: " << forces.my / 1e6 << " Mz: " << forces.mz / 1e6 << "\n";

  const StrainState& state = model.strainState;
  stream << "\t im Dehnungszustand epsX: " << state.epsX << "[-] kappaY: " << state.kappaY
         << "[1/mm]  kappaZ: " << state.kappaZ << "[1/mm]\n";
  const NeutralAxisPosition& axis = model.generalMethod.neutralAxis;
  stream << "\t Nullinie Offset y/z: " << axis.offY << "/" << axis.offZ << "[mm] alpha: " << axis.alphaDeg
         << "[deg]\n";

  stream << "\nReaktionskräfte gültig: Qi: " << yesNo(model.shearConverged) << " Nx und Mi: "
         << yesNo(model.axialConverged) << "\n\n";
  stream << "Spannungen in Elementen überschritten (siehe Zusammenfassung): " << yesNo(!model.stressesWithinLimits);
  stream << "\nDehnungen in Elementen überschritten (siehe Zusammenfassung): " << yesNo(!model.strainsWithinLimits);
  stream << "\n\n" << generalVerdictText(model.generalMethod.verified) << " ";
  stream << "\n\n  Zusammenfassung der ermittelten Spannungen in den Materialien\n";
  for (const auto& material : model.materials) writeMaterialSummary(stream, *material);
}

}  // namespace colsec
