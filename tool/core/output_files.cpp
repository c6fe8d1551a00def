// Encoding of written files: typed text the platform's way, file text as it was read.
#include "output_files.hpp"

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
    return platform.EncodeText(U"SET " + name + U"=") + Encode(platform, value) + "\r\n";
}

std::string ReportFileBytes(Platform& platform, const std::vector<Text>& lines) {
    std::string bytes;
    for (const Text& line : lines) bytes += platform.EncodeText(line) + "\r\n";
    return bytes;
}

}  // namespace tarvik
