#pragma once
// What a sheet knows of the variant of random data it shows. Apart from the
// engine's headers, so that the windows can hold it.

#include <string>
#include <vector>

namespace tavolo {

struct NamedValue {
  std::string name;
  std::string text;  // the natural form; a condition as "true" or "false"
};

// What a sheet of a unit with random data knows of the variant it shows.
struct RandomVariant {
  int number = 0;                  // the variant expanded; 0: the unit has no block
  std::string fingerprint;         // of the block (4 characters); empty without one
  std::vector<NamedValue> values;  // in declaration order
  // Why the unit is shown as written (errors of the block or of this
  // variant), one message per line; empty when it was expanded.
  std::vector<std::string> problems;
};

}  // namespace tavolo
