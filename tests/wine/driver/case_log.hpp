// The record of one case in the manner of Wine's conformance tests: every check that fails adds
// "expected X, got Y"; the transcript (command line, windows and texts seen, exit status, files
// left) is printed only when something failed, so a failure explains itself.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wine_driver {

class CaseLog {
  public:
    explicit CaseLog(std::string name) : name_(std::move(name)) {}

    // A line of the transcript.
    void Note(std::string line);
    // Shown after the case's name whether it passed or not, such as how long it took.
    void Headline(std::string text) { headline_ = std::move(text); }

    // Records a failure unless `condition` holds; returns `condition`.
    bool Ok(bool condition, std::string_view failure);
    bool Equal(std::string_view what, std::wstring_view expected, std::wstring_view got);
    bool Equal(std::string_view what, long long expected, long long got);
    bool EqualBytes(std::string_view what, std::string_view expected, std::string_view got);

    bool Failed() const { return !failures_.empty(); }
    // "ok" or the failures followed by the transcript.
    void Print() const;

  private:
    std::string name_;
    std::vector<std::string> failures_;
    std::vector<std::string> transcript_;
    std::string headline_;
};

}  // namespace wine_driver
