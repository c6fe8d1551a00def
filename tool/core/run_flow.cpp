// The run flow: clear the last run's output, read and check the switches, search, cut the slice
// and write it. Every failure leaves through one reporting routine.
#include "run_flow.hpp"

#include "case_mapping.hpp"
#include "file_search.hpp"
#include "find.hpp"
#include "int16.hpp"
#include "numeric.hpp"
#include "output_files.hpp"
#include "switch_reader.hpp"

namespace tarvik {
namespace {

// A failure with its own message, thrown by a check and caught by Main.
struct CommandFailure {
    ErrorKind kind;
};

// What the messages quote: filled in as the run reads its switches.
struct RunState {
    MessageValues values;
};

Outcome ReportFailure(Platform& platform, ErrorKind kind, const MessageValues& values) {
    const std::vector<Text> lines = FailureMessageLines(kind, values);
    bool complete = true;
    try {
        platform.WriteFile(kErrorFileName, ReportFileBytes(platform, lines));
    } catch (...) {
        complete = false;
    }
    try {
        platform.ShowMessageBox(JoinLines(lines));
        platform.ShowUsageWindow();
    } catch (...) {
        complete = false;
    }
    return {complete ? Ending::FailureReported : Ending::ReportIncomplete, kind};
}

Outcome ReportNotFound(Platform& platform, const std::vector<Text>& lines) {
    platform.WriteFile(kErrorFileName, ReportFileBytes(platform, lines));
    return {Ending::NotFound};
}

// Steps 7 and 9: a value that must stand in double quotes, with them removed.
Text Unquote(const Text& value, ErrorKind kindIfUnquoted) {
    if (value.empty()) return value;
    if (value.front() != U'"' || value.back() != U'"') throw CommandFailure{kindIfUnquoted};
    // A lone double quote passes the test but leaves nothing to cut: a run-time failure.
    if (value.size() < 2) throw GeneralFailure("quoted value of one character");
    return value.substr(1, value.size() - 2);
}

Outcome Run(Platform& platform, RunState& state) {
    const Text commandLine = platform.CommandLineTail();
    platform.RemoveIfExists(U"ERROR.txt");
    platform.RemoveIfExists(U"Value.cmd");

    if (TrimSpaces(commandLine).empty() || commandLine.find(U'?') != Text::npos) {
        platform.ShowUsageWindow();
        return {Ending::UsageShown};
    }

    SourcedText target;
    target.chars = Unquote(ReadSwitchValue(commandLine, U"/T:"), ErrorKind::TargetNotQuoted);
    const Text fileName = ReadSwitchValue(commandLine, U"/F:");
    state.values.fileName = fileName;
    const Text compare = Unquote(ReadSwitchValue(commandLine, U"/C:"), ErrorKind::CompareNotQuoted);
    Text startOffset = ReadSwitchValue(commandLine, U"/S:");
    state.values.startOffset = startOffset;
    const Text length = ReadSwitchValue(commandLine, U"/L:");
    state.values.length = length;
    Text outputFile = ReadSwitchValue(commandLine, U"/O:");
    Text variableName = ReadSwitchValue(commandLine, U"/E:");
    const CompareMode mode = ToUpper(commandLine).find(U"/M") != Text::npos ? CompareMode::Exact : CompareMode::IgnoreCase;

    if ((target.chars.empty() && fileName.empty()) || compare.empty()) throw CommandFailure{ErrorKind::CommandError};

    if (!fileName.empty()) {
        if (!platform.FileExists(fileName)) {
            state.values.toolDirectory = platform.ToolDirectory();
            throw CommandFailure{ErrorKind::FileNotFound};
        }
        const auto reader = platform.OpenForReading(fileName);
        if (auto line = FindFirstMatchingLine(*reader, compare, mode, platform.LegacyCharacters())) {
            target = std::move(*line);
        }
        if (target.chars.empty()) return ReportNotFound(platform, NotFoundInFileLines(compare, fileName));
    }

    const std::size_t found = FindText(target.chars, compare, mode);
    if (found == Text::npos) return ReportNotFound(platform, NotFoundInStringLines(compare, target.chars));
    const Int16 matchPosition = CheckedInt16(static_cast<long long>(found) + 1);

    if (startOffset.empty() && variableName.empty() && length.empty() && outputFile.empty()) {
        return {Ending::PresenceConfirmed};
    }

    if (variableName.empty()) variableName = U"RETU";
    if (startOffset.empty()) startOffset = U"0";
    if (!IsNumeric(startOffset)) throw CommandFailure{ErrorKind::StartNotNumeric};
    if (outputFile.empty()) outputFile = U"Value.cmd";

    const Int16 s = NumericToInt16(startOffset);
    Int16 start = s < 0 ? CheckedAdd(matchPosition, s)
                        : CheckedAdd(CheckedAdd(matchPosition, s), static_cast<long long>(compare.size()));
    if (start < 1) start = 1;

    const auto targetLength = static_cast<long long>(target.chars.size());
    SourcedText result;
    if (start > targetLength) {
        result.source = target.source;
    } else if (!length.empty() && length != U"0") {
        if (!IsNumeric(length)) throw CommandFailure{ErrorKind::LengthNotNumeric};
        const Int16 n = NumericToInt16(length);
        const Int16 remaining = CheckedInt16(targetLength - start + 1);
        if (n < 0 || n > remaining) throw CommandFailure{ErrorKind::LengthOutOfRange};
        result = target.Substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(n));
    } else {
        result = target.Substr(static_cast<std::size_t>(start - 1));
    }

    platform.WriteFile(outputFile, ResultFileBytes(platform, variableName, result));
    return {Ending::ResultWritten};
}

}  // namespace

Outcome Main(Platform& platform) {
    RunState state;
    try {
        return Run(platform, state);
    } catch (const CommandFailure& failure) {
        return ReportFailure(platform, failure.kind, state.values);
    } catch (...) {
        // Overflows, impossible cuts, unreadable or unwritable files, exhausted memory: all alike.
        return ReportFailure(platform, ErrorKind::General, state.values);
    }
}

}  // namespace tarvik
