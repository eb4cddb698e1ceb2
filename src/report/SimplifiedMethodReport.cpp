#include <cmath>
#include <ostream>

#include "interaction/InteractionCurves.h"
#include "model/SectionModel.h"
#include "report/Reports.h"

namespace colsec {

namespace {

// A ratio passes when 1 ≥ r; NaN fails.
bool passes(double ratio) { return 1 >= ratio; }

}  // namespace

void writeSimplifiedMethodReport(std::ostream& stream, const SectionModel& model) {
  const SectionForces& f = model.designForces;
  stream << "\n -------------------------------------\n";
  stream << "   Nachweis nach EN 1994-1-1 6.7.3 Vereinfachtes Verfahren";
  stream << "\n -------------------------------------\n";
  stream << "Einwirkende Kräfte FEd [kN,kNm]\n";
  stream << "\tNx: " << f.nx / 1000 << " My: " << f.my / 1e6 << " Mz: " << f.mz / 1e6 << " Qy: " << f.qy / 1000
         << " Qz: " << f.qz / 1000;

  stream << "\n\nQuerkraft\n";
  stream << "\tQpl,Rd,y = " << model.qPlRdY / 1000 << "[kN]   " << "Qpl,Rd,z = " << model.qPlRdZ / 1000 << "[kN]\n";
  const double ry = std::fabs(f.qy / model.qPlRdY);
  stream << "\tQEd,y / Qpl,Rd,y = " << ry << "[-]  " << (passes(ry) ? "OK " : "Nicht erfüllt ");
  const double rz = std::fabs(f.qz / model.qPlRdZ);
  stream << "\tQEd,z / Qpl,Rd,z = " << rz << "[-]  " << (passes(rz) ? "OK " : "Nicht erfüllt ");

  stream << "\n\nNormalkraft mit Querkraftinteraktion\n";
  stream << "\tNpl,Rd,max = " << model.nPlRdMax / 1000 << "[kN]   " << "Npl,Rd,min = " << model.nPlRdMin / 1000
         << "[kN]\n";
  const double rN = f.nx > 0 ? std::fabs(f.nx / std::fabs(model.nPlRdMax)) : std::fabs(f.nx / std::fabs(model.nPlRdMin));
  stream << "\tNEd/Npl,Rd = " << rN << "   " << (passes(rN) ? "OK" : "Nicht erfüllt");

  stream << "\n\nMomente mit linearer My-Mz-Interaktion\n";
  stream << "\tMpl,y,Rd = " << model.mPlYRd / 1e6 << "[kNm]   " << "Mpl,z,Rd = " << model.mPlZRd / 1e6 << "[kNm]\n";
  stream << "\tmdy = " << model.mdy << "[-]   " << "\tmdz = " << model.mdz << "[-]\n";
  // Magnitudes: the section is doubly symmetric, so a negative design
  // moment must not lower the interaction sum.
  const double r1 = std::fabs(f.my / model.mdy / model.mPlYRd);
  const double r2 = std::fabs(f.mz / model.mdz / model.mPlZRd);
  stream << "\t[1] My,Ed/mdy/Mpl,y,Rd = " << r1 << "[-] siehe alphaM 6.7.3.6(1)\n";
  stream << "\t[2] Mz,Ed/mdz/Mpl,z,Rd = " << r2 << "[-] siehe alphaM 6.7.3.6(1)\n";
  stream << "\t   [1]+[2] = " << r1 + r2 << " <= 1,0 (siehe 6.7.3.7 (2)) " << (passes(r1 + r2) ? "OK" : "Nicht erfüllt");

  stream << "\n\nMomente mit nichtlinearer My-Mz-Interaktion (experimentell)";
  const CurvePoint p = closestCurvePoint(model, {f.nx, f.my, f.mz});
  stream << "\n\tNächstgelegener Punkt auf der My-Mz-Interaktionskurve: [kN/kNm]:" << " Nx: " << p.nx / 1000
         << " My: " << p.my / 1e6 << " Mz: " << p.mz / 1e6;
  const double uy = std::fabs(f.my / p.my);
  stream << "\n\tAusnutzungsgrad My: " << uy << "   " << (passes(uy) ? "OK" : "Außerhalb der Fließfläche");
  const double uz = std::fabs(f.mz / p.mz);
  stream << "\n\tAusnutzungsgrad Mz: " << uz << "   " << (passes(uz) ? "OK" : "Außerhalb der Fließfläche");
}

}  // namespace colsec
