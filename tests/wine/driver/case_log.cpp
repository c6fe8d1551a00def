// Recording and printing of checks.
#include "case_log.hpp"

#include <cstdio>

#include "wine_text.hpp"

namespace wine_driver {

void CaseLog::Note(std::string line) {
    transcript_.push_back(std::move(line));
}

bool CaseLog::Ok(bool condition, std::string_view failure) {
    if (!condition) failures_.emplace_back(failure);
    return condition;
}

namespace {

// Long texts are shown from a little before their first difference, so the difference stands out.
constexpr std::size_t kShortText = 120;
constexpr std::size_t kContextBefore = 20;

std::string Difference(std::wstring_view expected, std::wstring_view got) {
    if (expected.size() <= kShortText && got.size() <= kShortText) {
        return "expected " + Show(expected) + ", got " + Show(got);
    }
    std::size_t at = 0;
    while (at < expected.size() && at < got.size() && expected[at] == got[at]) ++at;
    const std::size_t from = at > kContextBefore ? at - kContextBefore : 0;
    return "first difference at character " + std::to_string(at) + " of " +
           std::to_string(expected.size()) + " expected (got " + std::to_string(got.size()) +
           "): expected ..." + Show(expected.substr(from, kShortText)) + ", got ..." +
           Show(got.substr(from, kShortText));
}

}  // namespace

bool CaseLog::Equal(std::string_view what, std::wstring_view expected, std::wstring_view got) {
    return Ok(expected == got, std::string(what) + ": " + Difference(expected, got));
}

bool CaseLog::Equal(std::string_view what, long long expected, long long got) {
    return Ok(expected == got, std::string(what) + ": expected " + std::to_string(expected) +
                                   ", got " + std::to_string(got));
}

bool CaseLog::EqualBytes(std::string_view what, std::string_view expected, std::string_view got) {
    return Ok(expected == got,
              std::string(what) + ": expected " + ShowBytes(expected) + ", got " + ShowBytes(got));
}

void CaseLog::Print() const {
    const std::string headline = headline_.empty() ? name_ : name_ + " (" + headline_ + ")";
    if (!Failed()) {
        std::printf("ok   %s\n", headline.c_str());
        return;
    }
    std::printf("FAIL %s\n", headline.c_str());
    for (const std::string& failure : failures_) std::printf("  %s\n", failure.c_str());
    std::printf("  transcript:\n");
    for (const std::string& line : transcript_) std::printf("    %s\n", line.c_str());
}

}  // namespace wine_driver
