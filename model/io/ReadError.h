#pragma once
// The error of every file the front end reads or writes: open failures, a file that ends
// early, a bad number. Its text is shown to the user as it stands.

#include <stdexcept>

namespace dorvek {

class EInOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace dorvek
