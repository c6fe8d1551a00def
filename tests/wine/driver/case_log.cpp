// Recording and printing of checks.
#include "case_log.hpp"

#include <cstdio>

#include "wine_text.hpp"

namespace wine_driver {

void CaseLog::Note(std::string line) { transcript_.push_back(std::move(line)); }

bool CaseLog::Ok(bool condition, std::string_view failure) {
    if (!condition) failures_.emplace_back(failure);
    return condition;
}

bool CaseLog::Equal(std::string_view what, std::wstring_view expected, std::wstring_view got) {
    return Ok(expected == got, std::string(what) + ": expected " + Show(expected) + ", got " + Show(got));
}

bool CaseLog::Equal(std::string_view what, long long expected, long long got) {
    return Ok(expected == got,
              std::string(what) + ": expected " + std::to_string(expected) + ", got " + std::to_string(got));
}

bool CaseLog::EqualBytes(std::string_view what, std::string_view expected, std::string_view got) {
    return Ok(expected == got, std::string(what) + ": expected " + ShowBytes(expected) + ", got " + ShowBytes(got));
}

void CaseLog::Print() const {
    if (!Failed()) {
        std::printf("ok   %s\n", name_.c_str());
        return;
    }
    std::printf("FAIL %s\n", name_.c_str());
    for (const std::string& failure : failures_) std::printf("  %s\n", failure.c_str());
    std::printf("  transcript:\n");
    for (const std::string& line : transcript_) std::printf("    %s\n", line.c_str());
}

}  // namespace wine_driver
