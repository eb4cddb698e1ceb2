#include "report/JsonResult.h"

#include <ostream>
#include <string>

#include "materials/MaterialLaws.h"
#include "model/SectionModel.h"
#include "report/JsonWriter.h"

namespace colsec {

namespace {

// The law keyword of the input file.
const char* lawKeyword(const Material& material) {
  const MaterialLaw* law = lawOf(material);
  return law != nullptr ? law->keyword : "unknown";
}

// A description of the input summary without the line end that closes it.
std::string trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ' || text.back() == '\t')) text.pop_back();
  return text;
}

void writeForces(JsonWriter& json, const SectionForces& f) {
  json.beginObject();
  json.field("nx", f.nx);
  json.field("my", f.my);
  json.field("mz", f.mz);
  json.field("qy", f.qy);
  json.field("qz", f.qz);
  json.endObject();
}

void writeTriple(JsonWriter& json, const ForceTriple& f) {
  json.beginObject();
  json.field("nx", f.nx);
  json.field("my", f.my);
  json.field("mz", f.mz);
  json.endObject();
}

void writeStrainState(JsonWriter& json, const StrainState& s) {
  json.beginObject();
  json.field("epsX", s.epsX);
  json.field("kappaY", s.kappaY);
  json.field("kappaZ", s.kappaZ);
  json.endObject();
}

void writeStiffness(JsonWriter& json, const SectionStiffness& s) {
  json.beginObject();
  json.field("EIy", s.EIy);
  json.field("EIz", s.EIz);
  json.endObject();
}

// The element where an extreme occurs, with its stresses and limits as the
// report's detail lines give them; null when the material has none.
void writeExtreme(JsonWriter& json, std::string_view name, const Element* e, double Element::*quantity) {
  json.key(name);
  if (e == nullptr) {
    json.null();
    return;
  }
  json.beginObject();
  json.field("value", e->*quantity);
  json.field("posY", e->posY);
  json.field("posZ", e->posZ);
  json.field("epsX", e->epsX);
  json.field("sigX", e->sigX);
  json.field("tauY", e->tauY);
  json.field("tauZ", e->tauZ);
  json.field("tauComb", e->tauComb);
  json.field("sigXLimitLower", e->stress(QueryLimitLower, 0.0));
  json.field("sigXLimitUpper", e->stress(QueryLimitUpper, 0.0));
  json.field("tauYLimit", e->shearStressY(QueryLimitUpper, 0.0));
  json.field("tauZLimit", e->shearStressZ(QueryLimitUpper, 0.0));
  json.endObject();
}

void writeMaterial(JsonWriter& json, const Material& m) {
  json.beginObject();
  json.field("number", m.number);
  json.field("priority", m.priority);
  json.field("law", lawKeyword(m));
  json.field("description", trimmed(m.describe()));
  const bool ownsElements =
      m.maxSigmaElement || m.minSigmaElement || m.maxTauElement || m.maxEpsElement || m.minEpsElement;
  json.field("hasElements", ownsElements);
  json.key("extremes");
  json.beginObject();
  writeExtreme(json, "maxSigX", m.maxSigmaElement, &Element::sigX);
  writeExtreme(json, "minSigX", m.minSigmaElement, &Element::sigX);
  writeExtreme(json, "maxTauComb", m.maxTauElement, &Element::tauComb);
  writeExtreme(json, "minEpsX", m.minEpsElement, &Element::epsX);
  writeExtreme(json, "maxEpsX", m.maxEpsElement, &Element::epsX);
  json.endObject();
  json.endObject();
}

void writeGeneralMethod(JsonWriter& json, const SectionModel& model) {
  json.beginObject();
  json.field("shearConverged", model.shearConverged);
  json.field("axialConverged", model.axialConverged);
  json.field("stressesWithinLimits", model.stressesWithinLimits);
  json.field("strainsWithinLimits", model.strainsWithinLimits);
  json.field("verified", model.generalMethod.verified);
  json.key("carriedForces");
  writeForces(json, model.resultForces);
  json.key("strainState");
  writeStrainState(json, model.strainState);
  const NeutralAxisPosition& axis = model.generalMethod.neutralAxis;
  json.key("neutralAxis");
  json.beginObject();
  json.field("offY", axis.offY);
  json.field("offZ", axis.offZ);
  json.field("alphaDeg", axis.alphaDeg);
  json.endObject();
  json.key("EIeff");
  writeStiffness(json, model.stiffnessEff);
  json.key("EIeffII");
  writeStiffness(json, model.stiffnessEffII);
  json.key("materials");
  json.beginArray();
  for (const auto& material : model.materials) writeMaterial(json, *material);
  json.endArray();
  json.endObject();
}

void writeRatio(JsonWriter& json, std::string_view name, const RatioCheck& check) {
  json.key(name);
  json.beginObject();
  json.field("ratio", check.ratio);
  json.field("ok", check.ok);
  json.endObject();
}

void writeSimplifiedMethod(JsonWriter& json, const SectionModel& model) {
  const SimplifiedMethodResult& r = model.simplifiedMethod;
  json.beginObject();
  json.field("computed", r.computed);
  json.field("verified", r.methodOk());
  json.field("nonlinearOk", r.nonlinearOk());
  json.key("resistances");
  json.beginObject();
  json.field("nPlRdMax", model.nPlRdMax);
  json.field("nPlRdMin", model.nPlRdMin);
  json.field("mPlYRd", model.mPlYRd);
  json.field("mPlZRd", model.mPlZRd);
  json.field("mdy", model.mdy);
  json.field("mdz", model.mdz);
  json.field("qPlRdY", model.qPlRdY);
  json.field("qPlRdZ", model.qPlRdZ);
  json.endObject();
  json.key("ratios");
  json.beginObject();
  writeRatio(json, "shearY", r.shearY);
  writeRatio(json, "shearZ", r.shearZ);
  writeRatio(json, "axial", r.axial);
  writeRatio(json, "linearY", r.linearY);
  writeRatio(json, "linearZ", r.linearZ);
  writeRatio(json, "linearSum", r.linearSum);
  writeRatio(json, "closestMy", r.closestMy);
  writeRatio(json, "closestMz", r.closestMz);
  json.endObject();
  json.key("closestPoint");
  writeTriple(json, r.closestPoint);
  json.endObject();
}

void writeStrainFallback(JsonWriter& json, const StrainFallbackResult& f) {
  json.beginObject();
  json.field("attempted", f.attempted);
  json.field("converged", f.converged);
  json.field("iterations", static_cast<std::int32_t>(f.iterations));
  json.key("strainState");
  writeStrainState(json, f.strainState);
  json.key("carriedForces");
  writeTriple(json, f.resultForces);
  json.field("stressesWithinLimits", f.stressesWithinLimits);
  json.field("strainsWithinLimits", f.strainsWithinLimits);
  json.field("beyondResistance", f.beyondResistance);
  json.endObject();
}

void writeDesignCheck(JsonWriter& json, const DesignCheck& check) {
  json.beginObject();
  json.field("computed", check.computed);
  json.field("verdict", check.verdict);
  json.key("governing");
  if (check.governing >= 0 && static_cast<std::size_t>(check.governing) < check.items.size()) {
    json.value(static_cast<std::int32_t>(check.governing));
  } else {
    json.null();
  }
  json.key("items");
  json.beginArray();
  for (const DesignCheckItem& item : check.items) {
    json.beginObject();
    json.field("clause", item.clause);
    json.field("what", item.what);
    json.field("value", item.value);
    json.field("limit", item.limit);
    json.field("utilisation", item.utilisation);
    json.field("ok", item.ok);
    json.field("warning", item.warning);
    json.endObject();
  }
  json.endArray();
  const ExactResistances& r = check.resistances;
  json.key("resistances");
  json.beginObject();
  json.field("computed", r.computed);
  json.field("nPlRdMax", r.nPlRdMax);
  json.field("nPlRdMin", r.nPlRdMin);
  json.field("mPlYRd", r.mPlYRd);
  json.field("mPlZRd", r.mPlZRd);
  json.field("mPlYRdOther", r.mPlYRdOther);
  json.field("mPlZRdOther", r.mPlZRdOther);
  json.field("myAtNEd", r.myAtNEd);
  json.field("mzAtNEd", r.mzAtNEd);
  json.field("myAtNEdOther", r.myAtNEdOther);
  json.field("mzAtNEdOther", r.mzAtNEdOther);
  json.field("mdy", r.mdy);
  json.field("mdz", r.mdz);
  json.endObject();
  json.endObject();
}

void writeMemberAxis(JsonWriter& json, const MemberAxisResult& a) {
  json.beginObject();
  json.field("lcr", a.lcr);
  json.field("eiEff", a.eiEff);
  json.field("ncr", a.ncr);
  json.field("lambdaBar", a.lambdaBar);
  json.key("curve");
  if (a.curve != 0) {
    json.value(std::string(1, a.curve));
  } else {
    json.null();
  }
  json.field("chi", a.chi);
  json.field("nbRd", a.nbRd);
  json.field("e0", a.e0);
  json.field("eiEffII", a.eiEffII);
  json.field("ncrEff", a.ncrEff);
  json.field("beta", a.beta);
  json.field("k1", a.k1);
  json.field("k2", a.k2);
  json.endObject();
}

// EN 1994-1-1 6.7.3.3 to 6.7.3.5: only with a "#MEMBER" record.
void writeMember(JsonWriter& json, const MemberResult& member) {
  json.key("member");
  json.beginObject();
  json.field("nplRk", member.nplRk);
  json.field("nplRd", member.nplRd);
  json.field("length", member.length);
  json.key("y");
  writeMemberAxis(json, member.axes[0]);
  json.key("z");
  writeMemberAxis(json, member.axes[1]);
  json.key("checks");
  json.beginArray();
  for (const MemberSecondOrderCheck& check : member.checks) {
    json.beginObject();
    json.field("imperfectionPlane", std::string(1, check.imperfectionPlane));
    json.field("nx", check.forces.nx);
    json.field("my", check.forces.my);
    json.field("mz", check.forces.mz);
    json.field("verdict", check.verdict);
    json.endObject();
  }
  json.endArray();
  json.endObject();
}

}  // namespace

void writeProgram(JsonWriter& json) {
  json.key("program");
  json.beginObject();
  json.field("name", "colsec");
  json.field("version", COLSEC_VERSION);
  json.endObject();
}

void writeJsonResult(std::ostream& stream, const SectionModel& model, std::string_view inputPath) {
  JsonWriter json(stream);
  json.beginObject();
  json.field("format", "colsec-result");
  json.field("schemaVersion", static_cast<std::int32_t>(kJsonResultSchemaVersion));
  writeProgram(json);
  json.field("input", inputPath);

  json.key("units");
  json.beginObject();
  json.field("force", "N");
  json.field("moment", "Nmm");
  json.field("length", "mm");
  json.field("stress", "N/mm2");
  json.field("strain", "-");
  json.field("curvature", "1/mm");
  json.field("bendingStiffness", "Nmm2");
  json.field("angle", "deg");
  json.endObject();

  json.key("designForces");
  writeForces(json, model.designForces);
  json.key("settings");
  json.beginObject();
  json.field("feSize", model.settings.feSize);
  json.field("angularSubdivisions", model.settings.angularSubdivisions);
  json.field("offsetSubdivisions", model.settings.offsetSubdivisions);
  json.field("momentsFromAxialForce", model.momentsFromAxialForce);
  json.endObject();

  json.key("profiles");
  json.beginArray();
  for (const auto& profile : model.profiles) {
    json.beginObject();
    json.field("number", profile->number);
    json.field("materialNumber", profile->materialNumber);
    json.field("description", trimmed(profile->describe()));
    json.endObject();
  }
  json.endArray();

  json.key("generalMethod");
  writeGeneralMethod(json, model);
  json.key("simplifiedMethod");
  writeSimplifiedMethod(json, model);
  json.key("strainFallback");
  writeStrainFallback(json, model.strainFallback);
  json.key("designCheck");
  writeDesignCheck(json, model.designCheck);
  if (model.member.computed) writeMember(json, model.member);
  json.endObject();
  json.finish();
}

}  // namespace colsec
