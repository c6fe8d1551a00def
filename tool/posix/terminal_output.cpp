// The tool's windows as text on the terminal.
#include "terminal_output.hpp"

#include <cstdlib>
#include <iostream>
#include <string>

#include "general_failure.hpp"
#include "tarvik_version.h"
#include "usage_text.hpp"

namespace tarvik::posix {
namespace {

// Windows callers see CR LF; a terminal wants plain line feeds.
std::string ForTerminal(std::string text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

}  // namespace

void PrintMessage(const Text& message) {
    std::cerr << ForTerminal(EncodeUtf8Lossless(message)) << std::endl;
    if (!std::cerr) throw GeneralFailure("message could not be printed");
}

// Standard error belongs to the message box here, so the reason goes there only when asked for.
void PrintFailureReason(std::string_view reason) noexcept {
    const char* const debug = std::getenv("TARVIK_DEBUG");
    if (debug == nullptr || *debug == '\0') return;
    try {
        std::cerr << "tarvik: " << reason << std::endl;
    } catch (...) {
        // Only the developer's view of the failure is lost.
    }
}

void PrintUsage() {
    std::cout << usage::Title(usage::kDesignedTitle, TARVIK_VERSION_MAJOR, TARVIK_VERSION_MINOR,
                              TARVIK_VERSION_REVISION)
              << "\n"
              << ForTerminal(usage::LabelText()) << "\n"
              << ForTerminal(usage::HelpText()) << std::endl;
    if (!std::cout) throw GeneralFailure("usage could not be printed");
}

}  // namespace tarvik::posix
