#include "app/ConsoleSummary.h"

#include <cmath>
#include <ostream>

#include "model/SectionModel.h"
#include "report/ShownItems.h"

namespace colsec {

namespace {

const char* verdict(bool verified) { return verified ? "verified" : "NOT verified"; }

}  // namespace

void writeConsoleSummary(std::ostream& console, const SectionModel& model, const std::string& reportPath) {
  console << "\nGeneral method (EN 1994-1-1, 6.7.2):    " << verdict(model.generalMethod.verified) << "\n";
  console << "Simplified method (EN 1994-1-1, 6.7.3): ";
  if (model.simplifiedMethod.computed) {
    console << verdict(model.simplifiedMethod.methodOk());
    // The report's four ratios leave out αM and the side of the moments:
    // say where the design check refuses what the report verifies.
    if (model.simplifiedMethod.methodOk() && model.designCheck.firstFailing("6.7.3") != nullptr) {
      console << " in the report; the design check refuses it (below)";
    }
    console << "\n";
  } else {
    console << "not applied (a LINEAR material is in use)\n";
  }
  const DesignCheck& check = model.designCheck;
  if (check.computed) {
    console << "Design check (EN 1994-1-1, 6.7):        " << verdict(check.verdict) << "\n";
    if (check.governing >= 0) {
      const DesignCheckItem& item = check.items[check.governing];
      console << "  governing: " << item.clause << " " << item.what;
      if (std::isfinite(item.utilisation)) console << ": utilisation " << item.utilisation;
      console << (item.ok ? "" : " (fails)") << "\n";
    }
    for (std::size_t i = 0; i < check.items.size(); ++i) {
      const DesignCheckItem& item = check.items[i];
      if (!item.ok && !item.warning && static_cast<int>(i) != check.governing) {
        console << "  also fails: " << item.clause << " " << item.what << "\n";
      }
    }
    for (const ShownItem& line : shownItems(check.items)) {
      const DesignCheckItem& item = check.items[line.item];
      if (item.warning) console << "  warning: " << item.clause << " " << line.what << "\n";
    }
  }
  const MemberResult& member = model.member;
  if (member.computed) {
    console << "Member (EN 1994-1-1, 6.7.3.3 to 6.7.3.5): " << verdict(member.verdict) << "\n";
    if (member.governing >= 0 && static_cast<std::size_t>(member.governing) < check.items.size()) {
      const DesignCheckItem& item = check.items[member.governing];
      console << "  governing: " << item.clause << " " << item.what;
      if (std::isfinite(item.utilisation)) console << ": utilisation " << item.utilisation;
      console << (item.ok ? "" : " (fails)") << "\n";
    }
  }
  console << "Report: " << reportPath << "\n";
}

}  // namespace colsec
