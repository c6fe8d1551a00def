// The command-line tail from the arguments the shell split.
#include "command_line.hpp"

namespace tarvik::posix {

Text CommandLineTail(const std::vector<std::string>& arguments) {
    std::string joined;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0) joined += ' ';
        joined += arguments[i];
    }
    return DecodeUtf8Lossless(joined);
}

}  // namespace tarvik::posix
