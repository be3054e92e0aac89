#pragma once
// A dictionary file that cannot be read as it should: the message is German and
// names the file, ready to be shown to the learner.

#include <stdexcept>
#include <string>

namespace morvanta::dict {

class DictError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace morvanta::dict
