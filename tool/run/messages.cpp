// Message texts, word for word as users and scripts have always seen them.
#include "messages.hpp"

namespace tarvik {
namespace {

Text operator""_t(const char* ascii, std::size_t size) {
    return FromAscii({ascii, size});
}

}  // namespace

std::vector<Text> FailureMessageLines(ErrorKind kind, const MessageValues& values) {
    switch (kind) {
        case ErrorKind::FileNotFound:
            return {"Could not find the file:"_t, values.fileName,
                    "in the path:"_t + values.toolDirectory};
        case ErrorKind::CommandError:
            return {"Command error!"_t, "please check the format"_t};
        case ErrorKind::StartNotNumeric:
            return {"Command error!"_t, values.startOffset, " not is a numeric!"_t,
                    "Please check the item:/S:"_t};
        case ErrorKind::LengthNotNumeric:
            return {"Command error!"_t, values.length, " not is a numeric!"_t,
                    "Please check the item:/L:"_t};
        case ErrorKind::LengthOutOfRange:
            return {"Command error!"_t, "/L:"_t + values.length + " error!"_t,
                    "Please check the value"_t};
        case ErrorKind::CompareNotQuoted:
            return {"Command error!"_t, "to compare string must with\"\""_t};
        case ErrorKind::TargetNotQuoted:
            return {"Command error!"_t, "Target string must with\"\""_t};
        case ErrorKind::General:
            break;
    }
    return {"Program find a heavy error, must exist"_t};
}

std::vector<Text> NotFoundInFileLines(const Text& compare, const Text& fileName) {
    return {"Could not find:"_t, compare, "in the file:"_t + fileName};
}

std::vector<Text> NotFoundInStringLines(const Text& compare, const Text& target) {
    return {"Could not find:"_t, compare, "in string:"_t + target};
}

Text JoinLines(const std::vector<Text>& lines) {
    Text joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) joined += U"\r\n";
        joined += lines[i];
    }
    return joined;
}

}  // namespace tarvik
