// Any byte sequence as a table of load combinations: the reader must accept
// it or reject it with a located message, never crash; every name it
// accepts must read back unchanged from the CSV field written for it.

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "input/InputError.h"
#include "loads/LoadTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
  try {
    const auto table = colsec::readLoadTable(input, "loads.csv");
    if (table.empty()) std::abort();
    for (const auto& combination : table) {
      if (combination.name.find_first_of("\r\n") != std::string::npos) continue;
      std::istringstream again("name,Nx [N],My [Nmm],Mz [Nmm],Qy [N],Qz [N]\n" + colsec::csvField(combination.name) +
                               ",0,0,0,0,0\n");
      if (colsec::readLoadTable(again, "again.csv").front().name != combination.name) std::abort();
    }
  } catch (const colsec::InputError& error) {
    if (std::string(error.what()).rfind("loads.csv", 0) != 0) std::abort();
  }
  return 0;
}
