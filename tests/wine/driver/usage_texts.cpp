// The usage texts from the golden files, which the core and end-to-end tests compare too.
#include "usage_texts.hpp"

#include "golden_texts.hpp"
#include "tarvik_version.h"

namespace wine_driver {
namespace {

std::wstring Widened(std::string_view ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

}  // namespace

std::wstring UsageTitle() {
    return L"Tarvik Version" + std::to_wstring(TARVIK_VERSION_MAJOR) + L"." +
           std::to_wstring(TARVIK_VERSION_MINOR) + L"." + std::to_wstring(TARVIK_VERSION_REVISION);
}

std::wstring UsageLabel() {
    return Widened(golden::kUsageLabel);
}

std::wstring UsageHelp() {
    return Widened(golden::kUsageHelp);
}

}  // namespace wine_driver
