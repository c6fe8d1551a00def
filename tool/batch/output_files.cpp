// Encoding of written files. Result lines are for cmd, and written for the code page it will
// read them in; the error file is for people and their editors.
#include "output_files.hpp"

#include "batch_escape.hpp"
#include "cmd_reading.hpp"
#include "general_failure.hpp"
#include "result_encoding.hpp"

namespace tarvik {

std::string ResultFileBytes(TextEncoding& encoding, const Text& name, const Text& value) {
    const std::vector<Text> lines = SetVariableLines(name, value);
    const ResultLineEncoder encoder(encoding, CmdReadingCodePages(encoding));
    std::string bytes;
    for (const Text& line : lines) {
        const std::string encoded = encoder.Encode(line);
        if (encoded.size() > kMaxBatchLineLength) {
            throw GeneralFailure("result line too long for a batch file");
        }
        bytes += encoded + "\r\n";
    }
    return bytes;
}

std::string ReportFileBytes(TextEncoding& encoding, const std::vector<Text>& lines) {
    std::string bytes;
    for (const Text& line : lines) bytes += encoding.EncodeText(line) + "\r\n";
    return bytes;
}

}  // namespace tarvik
