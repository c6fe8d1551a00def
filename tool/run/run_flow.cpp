// The run flow: clear the last run's output, read and check the switches, search, cut the slice
// and write it. Every failure leaves through one reporting routine.
#include "run_flow.hpp"

#include <exception>
#include <optional>
#include <string>

#include "case_mapping.hpp"
#include "file_retry.hpp"
#include "file_search.hpp"
#include "find.hpp"
#include "numeric.hpp"
#include "output_files.hpp"
#include "slice.hpp"
#include "switch_reader.hpp"

namespace tarvik {
namespace {

constexpr char32_t kDefaultVariableName[] = U"RETU";
constexpr char32_t kDefaultStartOffset[] = U"0";

// A failure with its own message, and the values that message quotes; thrown by a check, caught
// by Main.
struct CommandFailure {
    ErrorKind kind;
    MessageValues values;
};

// The switches, read in the order the run reads them: a target without its quotes is reported
// before anything read after it can fail.
struct Switches {
    Text target;
    Text fileName;
    Text compare;
    Text startOffset;
    Text length;
    Text outputFile;
    Text variableName;
    CompareMode mode = CompareMode::IgnoreCase;
};

// A value that must stand in double quotes, with them removed.
Text Unquote(const Text& value, ErrorKind kindIfUnquoted) {
    if (value.empty()) return value;
    if (value.front() != U'"' || value.back() != U'"') throw CommandFailure{kindIfUnquoted, {}};
    // A lone double quote passes the test but leaves nothing to cut: a run-time failure.
    if (value.size() < 2) throw GeneralFailure("quoted value of one character");
    return value.substr(1, value.size() - 2);
}

Switches ReadSwitches(const Text& commandLine) {
    Switches s;
    s.target = Unquote(ReadSwitchValue(commandLine, U"/T:"), ErrorKind::TargetNotQuoted);
    s.fileName = ReadSwitchValue(commandLine, U"/F:");
    s.compare = Unquote(ReadSwitchValue(commandLine, U"/C:"), ErrorKind::CompareNotQuoted);
    s.startOffset = ReadSwitchValue(commandLine, U"/S:");
    s.length = ReadSwitchValue(commandLine, U"/L:");
    s.outputFile = ReadSwitchValue(commandLine, U"/O:");
    s.variableName = ReadSwitchValue(commandLine, U"/E:");
    // "/M" anywhere, in either case, even inside a value.
    if (ToUpper(commandLine).find(U"/M") != Text::npos) s.mode = CompareMode::Exact;
    return s;
}

// What went wrong, as the exception in flight tells it.
std::string ReasonOf(std::exception_ptr failure) {
    try {
        std::rethrow_exception(std::move(failure));
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "a failure that gave no reason";
    }
}

// Where nobody can see a window, a modal one would wait for ever: the run goes on without it and
// tells the developer why.
bool CanShowWindows(Platform& platform, const char* which) {
    if (platform.CanShowWindows()) return true;
    platform.LogFailureReason(std::string("no visible window station: ") + which + " not shown");
    return false;
}

// Each reason is logged as soon as it is known: a run that is killed in its message box has told
// it already. Each step of the report that fails adds its own.
Outcome ReportFailure(Platform& platform, FileRetry& retry, ErrorKind kind,
                      const MessageValues& values, std::string reason) {
    if (!reason.empty()) platform.LogFailureReason(reason);
    const std::vector<Text> lines = FailureMessageLines(kind, values);
    bool complete = true;
    const auto note = [&](const char* step) {
        complete = false;
        const std::string stepReason = step + (": " + ReasonOf(std::current_exception()));
        platform.LogFailureReason(stepReason);
        reason += (reason.empty() ? "" : "; ") + stepReason;
    };
    try {
        const std::string bytes = ReportFileBytes(platform, lines);
        retry([&] { platform.WriteFile(kErrorFileName, bytes); });
    } catch (...) {
        note("error file");
    }
    try {
        if (CanShowWindows(platform, "message box and usage window")) {
            platform.ShowMessageBox(JoinLines(lines));
            platform.ShowUsageWindow();
        }
    } catch (...) {
        note("window");
    }
    return {complete ? Ending::FailureReported : Ending::ReportIncomplete, kind, reason};
}

Outcome ReportNotFound(Platform& platform, FileRetry& retry, const std::vector<Text>& lines) {
    const std::string bytes = ReportFileBytes(platform, lines);
    retry([&] { platform.WriteFile(kErrorFileName, bytes); });
    return {Ending::NotFound};
}

// Without these the run only confirms that the compare string is there.
bool IsPresenceTest(const Switches& s) {
    return s.startOffset.empty() && s.variableName.empty() && s.length.empty() &&
           s.outputFile.empty();
}

// A matching line of the file wins over the target; without one the target is searched.
// Nothing when the named file has no matching line and there is no target.
std::optional<SourcedText> TextToSearch(Platform& platform, FileRetry& retry, const Switches& s) {
    if (s.fileName.empty()) return SourcedText{s.target};
    if (!retry([&] { return platform.FileExists(s.fileName); })) {
        throw CommandFailure{ErrorKind::FileNotFound,
                             {.fileName = s.fileName, .toolDirectory = platform.ToolDirectory()}};
    }
    const auto reader = retry([&] { return platform.OpenForReading(s.fileName); });
    const SearchLimits limits = IsPresenceTest(s) ? SearchLimits::PresenceTest() : SearchLimits{};
    if (auto line = FindFirstMatchingLine(*reader, s.compare, s.mode, platform.LegacyCharacters(),
                                          limits)) {
        return std::move(*line);
    }
    if (s.target.empty()) return std::nullopt;
    return SourcedText{s.target};
}

Outcome Run(Platform& platform, FileRetry& retry) {
    const Text commandLine = platform.CommandLineTail();
    retry([&] { platform.RemoveIfExists(kErrorFileClearedName); });
    retry([&] { platform.RemoveIfExists(kDefaultResultFileName); });
    if (TrimSpaces(commandLine).empty() || commandLine.find(U'?') != Text::npos) {
        if (CanShowWindows(platform, "usage window")) platform.ShowUsageWindow();
        return {Ending::UsageShown};
    }

    Switches s = ReadSwitches(commandLine);
    if ((s.target.empty() && s.fileName.empty()) || s.compare.empty()) {
        throw CommandFailure{ErrorKind::CommandError, {}};
    }
    const std::optional<SourcedText> searched = TextToSearch(platform, retry, s);
    if (!searched)
        return ReportNotFound(platform, retry, NotFoundInFileLines(s.compare, s.fileName));
    const SourcedText& target = *searched;

    const std::size_t found = FindText(target.chars, s.compare, s.mode);
    if (found == Text::npos)
        return ReportNotFound(platform, retry, NotFoundInStringLines(s.compare, target.chars));
    const Int16 matchPosition = CheckedInt16(static_cast<long long>(found) + 1);
    if (IsPresenceTest(s)) return {Ending::PresenceConfirmed};

    if (s.variableName.empty()) s.variableName = kDefaultVariableName;
    if (s.startOffset.empty()) s.startOffset = kDefaultStartOffset;
    if (!IsNumeric(s.startOffset))
        throw CommandFailure{ErrorKind::StartNotNumeric, {.startOffset = s.startOffset}};
    if (s.outputFile.empty()) s.outputFile = kDefaultResultFileName;
    const Slice slice = CutSlice(matchPosition, s.compare.size(), NumericToInt16(s.startOffset),
                                 s.length, target.chars.size());
    if (slice.failure) throw CommandFailure{*slice.failure, {.length = s.length}};
    const std::string bytes =
        ResultFileBytes(platform, s.variableName, target.chars.substr(slice.start, slice.count));
    retry([&] { platform.WriteFile(s.outputFile, bytes); });
    return {Ending::ResultWritten};
}

}  // namespace

Outcome Main(Platform& platform) {
    // One allowance for the whole run, its report included.
    FileRetry retry(platform);
    try {
        return Run(platform, retry);
    } catch (const CommandFailure& failure) {
        return ReportFailure(platform, retry, failure.kind, failure.values, {});
    } catch (...) {
        // Overflows, impossible cuts, unreadable or unwritable files, exhausted memory: all alike
        // to the user, each with its own reason for the developer.
        return ReportFailure(platform, retry, ErrorKind::General, {},
                             ReasonOf(std::current_exception()));
    }
}

}  // namespace tarvik
