#pragma once
// The error every indexed list of the presentation layer raises for an index
// outside it: "List index out of bounds (%d)".
#include <stdexcept>

class EListError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};
