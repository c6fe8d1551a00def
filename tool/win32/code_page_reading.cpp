// MultiByteToWideChar without flags, as cmd decodes a batch line. Runs without lead bytes are
// decoded whole, so that code pages with states of their own (UTF-7, GB18030) read as they would;
// a lead byte and the byte after it are decoded apart, since a system decoder may give back a
// trail byte that forms no character with its lead, while cmd's reader takes it all the same.
#include "code_page_reading.hpp"

#include <windows.h>

#include <bitset>

#include "wide_text.hpp"
#include "win32_error.hpp"

namespace tarvik::win32 {
namespace {

Text Decode(unsigned codePage, std::string_view bytes) {
    if (bytes.empty()) return {};
    const int length = IntLength(bytes.size());
    const int units = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    if (units == 0) ThrowLastError("MultiByteToWideChar");
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    if (MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(), units) != units)
        ThrowLastError("MultiByteToWideChar");
    return FromWide(wide);
}

std::bitset<256> LeadBytes(unsigned codePage) {
    CPINFO info{};
    if (!GetCPInfo(codePage, &info)) ThrowLastError("GetCPInfo");
    // LeadByte holds pairs of bounds, ended by a pair of zeros.
    std::bitset<256> leads;
    for (std::size_t i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
        for (unsigned b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b) leads.set(b);
    }
    return leads;
}

}  // namespace

Text ReadInCodePage(unsigned codePage, std::string_view bytes) {
    const std::bitset<256> leads = LeadBytes(codePage);
    Text read;
    std::size_t run = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (!leads[static_cast<unsigned char>(bytes[i])] || i + 1 == bytes.size()) continue;
        read += Decode(codePage, bytes.substr(run, i - run));
        const Text pair = Decode(codePage, bytes.substr(i, 2));
        read += pair.size() == 1 ? pair.front() : U'\uFFFD';
        run = ++i + 1;
    }
    return read + Decode(codePage, bytes.substr(run));
}

}  // namespace tarvik::win32
