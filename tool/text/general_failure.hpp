// The general failure: any run-time failure after the run is armed ends in ErrorKind 9.
// Platform layers and core helpers throw it with a diagnostic for the developer; the user only
// ever sees the fixed message.
#pragma once

#include <stdexcept>
#include <string>

namespace tarvik {

class GeneralFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace tarvik
