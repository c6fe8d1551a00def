// Encoding of written files: typed text the platform's way, file text as it was read.
#include "output_files.hpp"

#include "batch_escape.hpp"
#include "general_failure.hpp"

namespace tarvik {
namespace {

std::string Encode(Platform& platform, const SourcedText& text) {
    switch (text.source) {
        case TextSource::FileUtf8:
            return EncodeUtf8Lossless(text.chars);
        case TextSource::FileLegacy:
            return text.legacyBytes;
        case TextSource::Typed:
            break;
    }
    return platform.EncodeText(text.chars);
}

}  // namespace

std::string ResultFileBytes(Platform& platform, const Text& name, const SourcedText& value) {
    std::string bytes;
    for (const BatchLine& line : SetVariableLines(name, value)) {
        const std::string encoded = platform.EncodeText(line.head) + Encode(platform, line.value);
        if (encoded.size() > kMaxBatchLineLength) throw GeneralFailure("result line too long for a batch file");
        bytes += encoded + "\r\n";
    }
    return bytes;
}

std::string ReportFileBytes(Platform& platform, const std::vector<Text>& lines) {
    std::string bytes;
    for (const Text& line : lines) bytes += platform.EncodeText(line) + "\r\n";
    return bytes;
}

}  // namespace tarvik
