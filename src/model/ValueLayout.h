#pragma once
// The layout of the values of one input record, as the material-law and
// profile-shape tables declare it: the reader parses and checks the values
// in this order, and the messages show the names.

namespace colsec {

// How a value is read and what it must satisfy.
enum class ValueCheck {
  Number,       // any finite double
  NonNegative,  // a double >= 0 (lengths)
  NonZero,      // a double != 0 (a divisor of the law)
  Flag,         // the int 0 or 1, passed on as 0.0 or 1.0
};

struct ValueField {
  const char* name;  // as in the input description, e.g. "fyd"
  ValueCheck check;
};

}  // namespace colsec
