// The machine-readable result written from a hand-filled model: the
// layout, the design check and strain fallback records, null for NaN and
// infinities, and nothing computed by the writer.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <sstream>
#include <string>

#include "materials/Steel1992_327b.h"
#include "model/SectionModel.h"
#include "report/JsonResult.h"
#include "support/JsonReader.h"

namespace colsec {
namespace {

using test::JsonReader;
using test::JsonValue;

const double kNan = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

JsonValue written(const SectionModel& model, const std::string& input = "col.txt") {
  std::ostringstream out;
  writeJsonResult(out, model, input);
  return JsonReader::parse(out.str());
}

TEST(JsonResultTest, TopLevelMembersInAStableOrder) {
  std::ostringstream console;
  SectionModel model(console);
  const JsonValue doc = written(model, "dir/col 1.txt");
  const char* const expected[] = {"format",  "schemaVersion", "program",       "input",            "units",
                                  "designForces", "settings", "profiles",      "generalMethod",    "simplifiedMethod",
                                  "strainFallback", "designCheck"};
  ASSERT_EQ(doc.names.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(doc.names[i], expected[i]) << i;
  EXPECT_EQ(doc["format"].str(), "colsec-result");
  EXPECT_EQ(doc["schemaVersion"].num(), 1);
  EXPECT_EQ(doc["program"]["name"].str(), "colsec");
  EXPECT_EQ(doc["program"]["version"].str(), COLSEC_VERSION);
  EXPECT_EQ(doc["input"].str(), "dir/col 1.txt");
  EXPECT_EQ(doc["units"]["force"].str(), "N");
  EXPECT_EQ(doc["units"]["moment"].str(), "Nmm");
  EXPECT_EQ(doc["units"]["length"].str(), "mm");
  EXPECT_EQ(doc["units"]["stress"].str(), "N/mm2");
}

TEST(JsonResultTest, ForcesSettingsAndGeneralMethodAreTheStoredValues) {
  std::ostringstream console;
  SectionModel model(console);
  model.designForces = {-3000000, 150000000, -50000000, 20000, 0.1};
  model.settings.feSize = 7.5;
  model.settings.angularSubdivisions = 19;
  model.settings.offsetSubdivisions = 100;
  model.resultForces = {-2999999.5, 1.25e8, -4.75e7, 19999.75, 0.125};
  model.strainState = {-0.00043, 1.25e-6, -5e-7};
  model.shearConverged = true;
  model.axialConverged = false;
  model.stressesWithinLimits = false;
  model.strainsWithinLimits = true;
  model.generalMethod.verified = false;
  model.generalMethod.neutralAxis = {12.5, -3.25, kInf};
  model.stiffnessEff = {1.0, 2.5e13, 3.5e13};
  model.stiffnessEffII = {1.0, 2.25e13, 3.25e13};

  const JsonValue doc = written(model);
  const JsonValue& f = doc["designForces"];
  EXPECT_EQ(f["nx"].num(), -3000000);
  EXPECT_EQ(f["my"].num(), 150000000);
  EXPECT_EQ(f["mz"].num(), -50000000);
  EXPECT_EQ(f["qy"].num(), 20000);
  EXPECT_EQ(f["qz"].num(), 0.1);
  EXPECT_EQ(doc["settings"]["feSize"].num(), 7.5);
  EXPECT_EQ(doc["settings"]["angularSubdivisions"].text, "19");
  EXPECT_EQ(doc["settings"]["offsetSubdivisions"].text, "100");

  const JsonValue& g = doc["generalMethod"];
  EXPECT_TRUE(g["shearConverged"].flag());
  EXPECT_FALSE(g["axialConverged"].flag());
  EXPECT_FALSE(g["stressesWithinLimits"].flag());
  EXPECT_TRUE(g["strainsWithinLimits"].flag());
  EXPECT_FALSE(g["verified"].flag());
  EXPECT_EQ(g["carriedForces"]["nx"].num(), -2999999.5);
  EXPECT_EQ(g["carriedForces"]["qz"].num(), 0.125);
  EXPECT_EQ(g["strainState"]["epsX"].num(), -0.00043);
  EXPECT_EQ(g["strainState"]["kappaY"].num(), 1.25e-6);
  EXPECT_EQ(g["strainState"]["kappaZ"].num(), -5e-7);
  EXPECT_EQ(g["neutralAxis"]["offY"].num(), 12.5);
  EXPECT_EQ(g["neutralAxis"]["offZ"].num(), -3.25);
  EXPECT_TRUE(g["neutralAxis"]["alphaDeg"].isNull());
  EXPECT_EQ(g["EIeff"]["EIy"].num(), 2.5e13);
  EXPECT_EQ(g["EIeffII"]["EIz"].num(), 3.25e13);
  EXPECT_EQ(g["materials"].items.size(), 0u);
}

TEST(JsonResultTest, MaterialExtremesNameTheirElements) {
  std::ostringstream console;
  SectionModel model(console);
  model.materials.push_back(std::make_unique<Steel1992_327b>(3, 5, 200000.0, 435.0));
  model.materials.push_back(std::make_unique<Steel1992_327b>(4, 1, 200000.0, 500.0));
  Material& bars = *model.materials[0];
  const CellOwner owner{7, &bars, 0.0, 0.0};
  model.elements.emplace_back(188.0, -188.0, 2.0, 3.0, owner, 7);
  model.elements.emplace_back(-188.0, 188.0, 2.0, 3.0, owner, 7);
  Element& low = model.elements[0];
  Element& high = model.elements[1];
  low.sigX = -435.0;
  low.epsX = -0.0035;
  high.sigX = 120.5;
  high.epsX = 0.0006025;
  high.tauComb = 0.25;
  bars.maxSigmaElement = &high;
  bars.minSigmaElement = &low;
  bars.maxTauElement = &high;
  bars.minEpsElement = &low;
  bars.maxEpsElement = &high;

  const JsonValue doc = written(model);
  const JsonValue& materials = doc["generalMethod"]["materials"];
  ASSERT_EQ(materials.items.size(), 2u);
  const JsonValue& m = materials[0];
  EXPECT_EQ(m["number"].num(), 3);
  EXPECT_EQ(m["priority"].num(), 5);
  EXPECT_EQ(m["law"].str(), "Steel1992_327b");
  // The input summary's text without its closing line end.
  EXPECT_EQ(m["description"].str(), "Pos.3 Model: Steel1992_327b: Priority=5\n\tE=200000\tfyd=435");
  EXPECT_TRUE(m["hasElements"].flag());
  struct Case {
    const char* name;
    double value, posY, posZ;
  };
  const Case cases[] = {{"maxSigX", 120.5, -188, 188},
                        {"minSigX", -435, 188, -188},
                        {"maxTauComb", 0.25, -188, 188},
                        {"minEpsX", -0.0035, 188, -188},
                        {"maxEpsX", 0.0006025, -188, 188}};
  for (const Case& c : cases) {
    const JsonValue& e = m["extremes"][c.name];
    EXPECT_EQ(e["value"].num(), c.value) << c.name;
    EXPECT_EQ(e["posY"].num(), c.posY) << c.name;
    EXPECT_EQ(e["posZ"].num(), c.posZ) << c.name;
    // Reinforcing steel: limits ±fyd, no shear.
    EXPECT_EQ(e["sigXLimitLower"].num(), -435) << c.name;
    EXPECT_EQ(e["sigXLimitUpper"].num(), 435) << c.name;
    EXPECT_EQ(e["tauYLimit"].num(), 0) << c.name;
    EXPECT_EQ(e["tauZLimit"].num(), 0) << c.name;
  }
  // A material whose area others took: no elements, every extreme null.
  const JsonValue& empty = materials[1];
  EXPECT_EQ(empty["number"].num(), 4);
  EXPECT_FALSE(empty["hasElements"].flag());
  for (const Case& c : cases) EXPECT_TRUE(empty["extremes"][c.name].isNull()) << c.name;
}

TEST(JsonResultTest, SimplifiedMethodRatiosAreWrittenAsStored) {
  std::ostringstream console;
  SectionModel model(console);
  model.nPlRdMax = 5.5e6;
  model.nPlRdMin = -1.25e7;
  model.mPlYRd = 8.5e8;
  model.mPlZRd = -kInf;
  model.mdy = 1.0625;
  model.mdz = kNan;
  model.qPlRdY = 1.5e6;
  model.qPlRdZ = 7.5e5;
  SimplifiedMethodResult& r = model.simplifiedMethod;
  r.computed = true;
  // Deliberately inconsistent values: the writer must not recompute any
  // ratio or verdict from the resistances.
  r.shearY = {0.5, false};
  r.shearZ = {2.0, true};
  r.axial = {0.25, true};
  r.linearY = {0.75, true};
  r.linearZ = {kNan, false};
  r.linearSum = {kInf, false};
  r.closestPoint = {-3e6, 1.5e8, kNan};
  r.closestMy = {0.125, true};
  r.closestMz = {kNan, false};

  const JsonValue s = written(model)["simplifiedMethod"];
  EXPECT_TRUE(s["computed"].flag());
  const JsonValue& res = s["resistances"];
  EXPECT_EQ(res["nPlRdMax"].num(), 5.5e6);
  EXPECT_EQ(res["nPlRdMin"].num(), -1.25e7);
  EXPECT_EQ(res["mPlYRd"].num(), 8.5e8);
  EXPECT_TRUE(res["mPlZRd"].isNull());
  EXPECT_EQ(res["mdy"].num(), 1.0625);
  EXPECT_TRUE(res["mdz"].isNull());
  EXPECT_EQ(res["qPlRdY"].num(), 1.5e6);
  EXPECT_EQ(res["qPlRdZ"].num(), 7.5e5);
  struct Case {
    const char* name;
    double ratio;  // NaN: null expected
    bool ok;
  };
  const Case cases[] = {{"shearY", 0.5, false},     {"shearZ", 2.0, true},     {"axial", 0.25, true},
                        {"linearY", 0.75, true},    {"linearZ", kNan, false},  {"linearSum", kNan, false},
                        {"closestMy", 0.125, true}, {"closestMz", kNan, false}};
  for (const Case& c : cases) {
    const JsonValue& check = s["ratios"][c.name];
    if (std::isnan(c.ratio)) {
      EXPECT_TRUE(check["ratio"].isNull()) << c.name;
    } else {
      EXPECT_EQ(check["ratio"].num(), c.ratio) << c.name;
    }
    EXPECT_EQ(check["ok"].flag(), c.ok) << c.name;
  }
  // shearY fails, so the method fails: methodOk() of the stored record.
  EXPECT_FALSE(s["verified"].flag());
  EXPECT_FALSE(s["nonlinearOk"].flag());
  EXPECT_EQ(s["closestPoint"]["nx"].num(), -3e6);
  EXPECT_EQ(s["closestPoint"]["my"].num(), 1.5e8);
  EXPECT_TRUE(s["closestPoint"]["mz"].isNull());
}

TEST(JsonResultTest, NotComputedSimplifiedMethodKeepsEveryMemberAsNull) {
  std::ostringstream console;
  SectionModel model(console);
  const JsonValue s = written(model)["simplifiedMethod"];
  EXPECT_FALSE(s["computed"].flag());
  EXPECT_FALSE(s["verified"].flag());
  for (const char* name : {"nPlRdMax", "nPlRdMin", "mPlYRd", "mPlZRd", "mdy", "mdz", "qPlRdY", "qPlRdZ"}) {
    EXPECT_TRUE(s["resistances"][name].isNull()) << name;
  }
  for (const char* name : {"shearY", "shearZ", "axial", "linearY", "linearZ", "linearSum", "closestMy", "closestMz"}) {
    EXPECT_TRUE(s["ratios"][name]["ratio"].isNull()) << name;
    EXPECT_FALSE(s["ratios"][name]["ok"].flag()) << name;
  }
}

TEST(JsonResultTest, StrainFallbackRecord) {
  std::ostringstream console;
  SectionModel model(console);
  StrainFallbackResult& f = model.strainFallback;
  f.attempted = true;
  f.converged = false;
  f.iterations = 250;
  f.strainState = {-0.0035, 2.5e-5, kNan};
  f.resultForces = {-1.5e7, 0.5, -kInf};
  f.stressesWithinLimits = true;
  f.strainsWithinLimits = false;
  f.beyondResistance = true;

  const JsonValue j = written(model)["strainFallback"];
  EXPECT_TRUE(j["attempted"].flag());
  EXPECT_FALSE(j["converged"].flag());
  EXPECT_EQ(j["iterations"].text, "250");
  EXPECT_EQ(j["strainState"]["epsX"].num(), -0.0035);
  EXPECT_EQ(j["strainState"]["kappaY"].num(), 2.5e-5);
  EXPECT_TRUE(j["strainState"]["kappaZ"].isNull());
  EXPECT_EQ(j["carriedForces"]["nx"].num(), -1.5e7);
  EXPECT_EQ(j["carriedForces"]["my"].num(), 0.5);
  EXPECT_TRUE(j["carriedForces"]["mz"].isNull());
  EXPECT_TRUE(j["stressesWithinLimits"].flag());
  EXPECT_FALSE(j["strainsWithinLimits"].flag());
  EXPECT_TRUE(j["beyondResistance"].flag());

  // The default record: not attempted.
  SectionModel fresh(console);
  const JsonValue none = written(fresh)["strainFallback"];
  EXPECT_FALSE(none["attempted"].flag());
  EXPECT_EQ(none["iterations"].text, "0");
}

TEST(JsonResultTest, DesignCheckItemsInOrderWithNullForNanAndInfinity) {
  std::ostringstream console;
  SectionModel model(console);
  DesignCheck& check = model.designCheck;
  check.computed = true;
  check.verdict = false;
  check.governing = 1;
  check.items = {
      {"6.7.3.6(1)", "My,Ed / (mdy Mpl,y,Rd) against alphaM", 0.75, 0.9, 0.8333333333333334, true, false},
      {"6.7.3.7(2)", "linear My-Mz interaction", kNan, 1.0, kNan, false, false},
      {"6.7.1(4)", "steel contribution ratio \"delta\" \\ 0.2..0.9", 0.95, kInf, -kInf, false, true},
  };
  const JsonValue d = written(model)["designCheck"];
  const char* const order[] = {"computed", "verdict", "governing", "items", "resistances"};
  ASSERT_EQ(d.names.size(), std::size(order));
  for (std::size_t i = 0; i < std::size(order); ++i) EXPECT_EQ(d.names[i], order[i]);
  EXPECT_TRUE(d["computed"].flag());
  EXPECT_FALSE(d["verdict"].flag());
  EXPECT_EQ(d["governing"].text, "1");
  const JsonValue& items = d["items"];
  ASSERT_EQ(items.items.size(), 3u);

  struct Case {
    const char* clause;
    const char* what;
    double value, limit, utilisation;  // NaN: null expected
    bool ok, warning;
  };
  const Case cases[] = {
      {"6.7.3.6(1)", "My,Ed / (mdy Mpl,y,Rd) against alphaM", 0.75, 0.9, 0.8333333333333334, true, false},
      {"6.7.3.7(2)", "linear My-Mz interaction", kNan, 1.0, kNan, false, false},
      {"6.7.1(4)", "steel contribution ratio \"delta\" \\ 0.2..0.9", 0.95, kNan, kNan, false, true},
  };
  const auto same = [](const JsonValue& v, double expected) {
    return std::isnan(expected) ? v.isNull() : (!v.isNull() && v.num() == expected);
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    const JsonValue& item = items[i];
    const char* const members[] = {"clause", "what", "value", "limit", "utilisation", "ok", "warning"};
    ASSERT_EQ(item.names.size(), std::size(members)) << c.clause;
    for (std::size_t k = 0; k < std::size(members); ++k) EXPECT_EQ(item.names[k], members[k]) << c.clause;
    EXPECT_EQ(item["clause"].str(), c.clause);
    EXPECT_EQ(item["what"].str(), c.what);
    EXPECT_TRUE(same(item["value"], c.value)) << c.clause;
    EXPECT_TRUE(same(item["limit"], c.limit)) << c.clause;
    EXPECT_TRUE(same(item["utilisation"], c.utilisation)) << c.clause;
    EXPECT_EQ(item["ok"].flag(), c.ok) << c.clause;
    EXPECT_EQ(item["warning"].flag(), c.warning) << c.clause;
  }
}

TEST(JsonResultTest, GoverningIsNullWhenNoItemGoverns) {
  struct Case {
    int governing;
    std::size_t items;
    const char* json;  // as written
  };
  // -1 means none; an index beyond the items cannot name one either.
  const Case cases[] = {{-1, 0, "null"}, {-1, 2, "null"}, {0, 2, "0"}, {1, 2, "1"}, {2, 2, "null"}, {0, 0, "null"}};
  for (const Case& c : cases) {
    std::ostringstream console;
    SectionModel model(console);
    model.designCheck.governing = c.governing;
    model.designCheck.items.resize(c.items);
    const JsonValue doc = written(model);
    const JsonValue& g = doc["designCheck"]["governing"];
    EXPECT_EQ(g.isNull() ? std::string("null") : g.text, c.json) << c.governing << " of " << c.items << " items";
  }
}

}  // namespace
}  // namespace colsec
