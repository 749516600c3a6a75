#pragma once

// The exceptions of the PDF library. Their messages are fixed texts that callers may show.

#include <stdexcept>
#include <string>

namespace kyrovane {

// A value handed to the library cannot be used.
class EPdfInvalidValue : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The call does not fit the state of the object (no document, no page, object not registered).
class EPdfInvalidOperation : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace kyrovane
