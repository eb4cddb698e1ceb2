#include <ostream>

#include "interaction/InteractionCurves.h"

namespace colsec {

void writeCurve(std::ostream& stream, const InteractionCurve& curve, const char* name) {
  for (const CurvePoint& p : curve) {
    stream << "#CURVEPOINT " << name << " " << p.nx << " " << p.my << " " << p.mz << "\n";
  }
}

}  // namespace colsec
