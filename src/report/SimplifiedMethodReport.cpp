#include <ostream>

#include "model/SectionModel.h"
#include "report/Reports.h"

namespace colsec {

void writeSimplifiedMethodReport(std::ostream& stream, const SectionModel& model) {
  const SectionForces& f = model.designForces;
  stream << "\n -------------------------------------\n";
  stream << "   Nachweis nach EN 1994-1-1 6.7.3 Vereinfachtes Verfahren";
  stream << "\n -------------------------------------\n";
  stream << "Einwirkende Kräfte FEd [kN,kNm]\n";
  stream << "\tNx: " << f.nx / 1000 << " My: " << f.my / 1e6 << " Mz: " << f.mz / 1e6 << " Qy: " << f.qy / 1000
         << " Qz: " << f.qz / 1000;

  const SimplifiedMethodResult& r = model.simplifiedMethod;
  stream << "\n\nQuerkraft\n";
  stream << "\tQpl,Rd,y = " << model.qPlRdY / 1000 << "[kN]   " << "Qpl,Rd,z = " << model.qPlRdZ / 1000 << "[kN]\n";
  stream << "\tQEd,y / Qpl,Rd,y = " << r.shearY.ratio << "[-]  " << checkWord(r.shearY.ok) << " ";
  stream << "\tQEd,z / Qpl,Rd,z = " << r.shearZ.ratio << "[-]  " << checkWord(r.shearZ.ok) << " ";

  stream << "\n\nNormalkraft mit Querkraftinteraktion\n";
  stream << "\tNpl,Rd,max = " << model.nPlRdMax / 1000 << "[kN]   " << "Npl,Rd,min = " << model.nPlRdMin / 1000
         << "[kN]\n";
  stream << "\tNEd/Npl,Rd = " << r.axial.ratio << "   " << checkWord(r.axial.ok);

  stream << "\n\nMomente mit linearer My-Mz-Interaktion\n";
  stream << "\tMpl,y,Rd = " << model.mPlYRd / 1e6 << "[kNm]   " << "Mpl,z,Rd = " << model.mPlZRd / 1e6 << "[kNm]\n";
  stream << "\tmdy = " << model.mdy << "[-]   " << "\tmdz = " << model.mdz << "[-]\n";
  stream << "\t[1] My,Ed/mdy/Mpl,y,Rd = " << r.linearY.ratio << "[-] siehe alphaM 6.7.3.6(1)\n";
  stream << "\t[2] Mz,Ed/mdz/Mpl,z,Rd = " << r.linearZ.ratio << "[-] siehe alphaM 6.7.3.6(1)\n";
  stream << "\t   [1]+[2] = " << r.linearSum.ratio << " <= 1,0 (siehe 6.7.3.7 (2)) " << checkWord(r.linearSum.ok);

  stream << "\n\nMomente mit nichtlinearer My-Mz-Interaktion (experimentell)";
  const CurvePoint& p = r.closestPoint;
  stream << "\n\tNächstgelegener Punkt auf der My-Mz-Interaktionskurve: [kN/kNm]:" << " Nx: " << p.nx / 1000
         << " My: " << p.my / 1e6 << " Mz: " << p.mz / 1e6;
  stream << "\n\tAusnutzungsgrad My: " << r.closestMy.ratio << "   " << surfaceCheckWord(r.closestMy.ok);
  stream << "\n\tAusnutzungsgrad Mz: " << r.closestMz.ratio << "   " << surfaceCheckWord(r.closestMz.ok);
}

}  // namespace colsec
