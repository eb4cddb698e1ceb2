#include "loads/LoadCaseTables.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iomanip>
#include <ostream>
#include <sstream>
#include <string>

#include "loads/LoadCaseRun.h"
#include "loads/LoadTable.h"

namespace colsec {

namespace {

// The shortest text that reads back as the same double.
std::string exact(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string sixDigits(double value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

const char* okWord(bool ok) { return ok ? "ok" : "fails"; }

const char* simplifiedWord(const CombinationOutcome& o) {
  if (!o.simplifiedComputed) return "not applied";
  return okWord(o.simplifiedOk);
}

const char* strainWord(const CombinationOutcome& o) {
  return strainStateWord(o.shearConverged, o.axialConverged, o.fallback.converged, o.fallback.beyondResistance);
}

const DesignCheckItem* governingItem(const CombinationOutcome& o) {
  return o.designCheck.governing < 0 ? nullptr : &o.designCheck.items[o.designCheck.governing];
}

// Characters, not bytes, of UTF-8 text: continuation bytes do not count.
bool startsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

std::size_t characterCount(const std::string& text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), startsCharacter));
}

// Pads to a width counted in characters.
std::string padded(const std::string& text, std::size_t width) {
  const std::size_t characters = characterCount(text);
  return characters >= width ? text : text + std::string(width - characters, ' ');
}

// At most `width` characters, the last of them "…" when cut.
std::string clipped(const std::string& text, std::size_t width) {
  if (characterCount(text) <= width) return text;
  std::size_t characters = 0;
  std::size_t cut = 0;  // where the last character that fits starts
  for (std::size_t i = 0; i < text.size() && characters < width; ++i) {
    if (!startsCharacter(text[i])) continue;
    ++characters;
    cut = i;
  }
  return text.substr(0, cut) + "…";
}

// The member column only where the input has a "#MEMBER" record.
bool hasMember(const LoadCaseResults& results) {
  return !results.outcomes.empty() && results.outcomes.front().member.computed;
}

const char* memberWord(const CombinationOutcome& o) {
  if (!o.member.applicable) return "not applied";
  return okWord(o.member.verdict);
}

}  // namespace

const char* strainStateWord(bool shearConverged, bool axialConverged, bool fallbackConverged, bool beyondResistance) {
  if (!shearConverged) return "shear not converged";
  if (axialConverged) return "converged";
  if (fallbackConverged) return "converged (full Newton)";
  if (beyondResistance) return "beyond the resistance";
  return "not converged";
}

void writeLoadCaseCsv(std::ostream& stream, const LoadCaseResults& results) {
  const bool member = hasMember(results);
  stream << "name,Nx [kN],My [kNm],Mz [kNm],Qy [kN],Qz [kN],general method,simplified method,design check,"
         << (member ? "member," : "") << "governing clause,governing item,utilisation,strain state,governs\n";
  for (std::size_t i = 0; i < results.outcomes.size(); ++i) {
    const CombinationOutcome& o = results.outcomes[i];
    const SectionForces& f = o.combination.forces;
    const DesignCheckItem* item = governingItem(o);
    stream << csvField(o.combination.name) << "," << exact(f.nx / 1000) << "," << exact(f.my / 1e6) << ","
           << exact(f.mz / 1e6) << "," << exact(f.qy / 1000) << "," << exact(f.qz / 1000) << ","
           << okWord(o.generalVerified) << "," << simplifiedWord(o) << "," << okWord(o.designCheck.verdict) << ","
           << (member ? std::string(memberWord(o)) + "," : std::string()) << csvField(item ? item->clause : "")
           << "," << csvField(item ? item->what : "") << ","
           << (std::isfinite(o.utilisation) ? sixDigits(o.utilisation) : "") << "," << strainWord(o) << ","
           << (static_cast<int>(i) == results.governing ? "yes" : "") << "\n";
  }
}

void writeLoadCaseConsoleTable(std::ostream& stream, const LoadCaseResults& results) {
  std::size_t nameWidth = 4;
  for (const CombinationOutcome& o : results.outcomes) {
    nameWidth = std::max(nameWidth, std::min<std::size_t>(characterCount(o.combination.name), 24));
  }
  stream << "\nLoad combinations: " << results.outcomes.size() << "\n";
  const bool member = hasMember(results);
  stream << "  " << padded("name", nameWidth) << "  " << padded("general", 8) << padded("simplified", 12)
         << padded("check", 7) << (member ? padded("member", 12) : "") << padded("util.", 9) << "governing item\n";
  for (std::size_t i = 0; i < results.outcomes.size(); ++i) {
    const CombinationOutcome& o = results.outcomes[i];
    const DesignCheckItem* item = governingItem(o);
    const bool governs = static_cast<int>(i) == results.governing;
    stream << (governs ? "> " : "  ") << padded(o.combination.name, nameWidth) << "  "
           << padded(okWord(o.generalVerified), 8) << padded(simplifiedWord(o), 12)
           << padded(okWord(o.designCheck.verdict), 7) << (member ? padded(memberWord(o), 12) : "")
           << padded(std::isfinite(o.utilisation) ? sixDigits(o.utilisation) : "-", 9)
           << (item ? clipped(item->clause + " " + item->what, 44) : std::string("-")) << "\n";
  }
  if (results.governing >= 0) {
    stream << "> governs: " << results.outcomes[results.governing].combination.name << "\n";
  }
}

}  // namespace colsec
