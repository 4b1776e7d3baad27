#include "content/unit_content.h"

namespace tavolo {

const std::vector<std::string>& DefaultLayoutBlockLines() {
  static const std::vector<std::string> lines = {
      "<<value", "630",     "False", "40",    "5",     "5",     "1",  "7",  ">>",     "<<font",
      "12",      "MS 明朝", "False", "False", "False", "False", "0",  ">>", "<<kran", "5",
      "15",      "2",       "0",     "0",     "0",     "15",    "10", "0",  "0",      ">>"};
  return lines;
}

}  // namespace tavolo
