// The fake platform: files in a map, every call logged, faults thrown where a case asks for them.
#include "fake_platform.hpp"

#include <algorithm>
#include <cstring>
#include <string>

#include "general_failure.hpp"

namespace tarvik::test_doubles {
namespace {

std::string Utf8(TextView text) {
    return EncodeUtf8Lossless(text);
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::any_of(names.begin(), names.end(), [&](const std::string& n) {
        return !FakePlatform::NameLess{}(n, name) && !FakePlatform::NameLess{}(name, n);
    });
}

class StringReader final : public ByteReader {
  public:
    StringReader(std::string bytes, std::size_t chunk, std::optional<std::size_t> failAfter)
        : bytes_(std::move(bytes)), chunk_(chunk), failAfter_(failAfter) {}
    std::size_t Read(std::span<char> buffer) override {
        if (failAfter_ && pos_ >= *failAfter_) throw GeneralFailure("injected read fault");
        std::size_t n = std::min({buffer.size(), chunk_, bytes_.size() - pos_});
        if (failAfter_) n = std::min(n, *failAfter_ - pos_);
        std::memcpy(buffer.data(), bytes_.data() + pos_, n);
        pos_ += n;
        return n;
    }

  private:
    std::string bytes_;
    std::size_t chunk_;
    std::optional<std::size_t> failAfter_;
    std::size_t pos_ = 0;
};

}  // namespace

void FakePlatform::ThrowIfInUse(const std::string& operation) {
    const auto found = inUse.find(operation);
    if (found == inUse.end() || found->second == 0) return;
    --found->second;
    throw FileInUse("injected: " + operation + " in use");
}

bool FakePlatform::NameLess::operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
        };
        return lower(x) < lower(y);
    });
}

Text FakePlatform::CommandLineTail() {
    return DecodeUtf8Lossless(commandLine);
}
Text FakePlatform::ToolDirectory() {
    return DecodeUtf8Lossless(toolDirectory);
}

bool FakePlatform::FileExists(const Text& name) {
    ThrowIfInUse("exists " + Utf8(name));
    return files.count(Utf8(name)) > 0;
}

void FakePlatform::RemoveIfExists(const Text& name) {
    const std::string n = Utf8(name);
    ThrowIfInUse("remove " + n);
    if (Contains(failRemove, n)) throw GeneralFailure("injected remove fault");
    if (files.erase(n) > 0) events.push_back("remove " + n);
}

std::unique_ptr<ByteReader> FakePlatform::OpenForReading(const Text& name) {
    const std::string n = Utf8(name);
    ThrowIfInUse("open " + n);
    if (Contains(failOpen, n) || !files.count(n)) throw GeneralFailure("cannot open " + n);
    return std::make_unique<StringReader>(files.at(n), readChunk, failReadAfter);
}

void FakePlatform::WriteFile(const Text& name, std::string_view bytes) {
    const std::string n = Utf8(name);
    ThrowIfInUse("write " + n);
    if (Contains(failWrite, n)) throw GeneralFailure("injected write fault");
    files[n] = std::string(bytes);
    events.push_back("write " + n);
}

std::string FakePlatform::EncodeText(TextView text) {
    if (!ansi) return Utf8(text);
    if (!ansiSpellings_) ansiSpellings_.emplace(*ansi);
    std::optional<std::string> bytes = ansiSpellings_->Spell(text);
    return bytes ? *bytes : Utf8(text);
}

const LegacyCodePage& FakePlatform::LegacyCharacters() {
    return ansi ? *ansi : Latin1CodePage();
}

unsigned FakePlatform::ConsoleCodePage() {
    return consoleCodePage;
}

unsigned FakePlatform::OemCodePage() {
    return oemCodePage;
}

unsigned FakePlatform::AnsiCodePage() {
    return ansiCodePage;
}

const LegacyCodePage& FakePlatform::CodePageCharacters(unsigned codePage) {
    const auto found = codePages.find(codePage);
    if (found == codePages.end()) throw GeneralFailure("no code page " + std::to_string(codePage));
    return found->second;
}

Text FakePlatform::ReadInCodePage(unsigned codePage, std::string_view bytes) {
    if (const auto reader = readers.find(codePage); reader != readers.end())
        return reader->second(bytes);
    if (codePage == kUtf8CodePage) return DecodeUtf8Lossless(bytes);
    const LegacyCodePage& page = CodePageCharacters(codePage);
    Text read;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (!page.IsLeadByte(byte) || i + 1 == bytes.size()) {
            read += page.Single(byte);
            continue;
        }
        const char32_t pair = page.Pair(byte, static_cast<unsigned char>(bytes[++i]));
        read += pair != 0 ? pair : U'\uFFFD';
    }
    return read;
}

void FakePlatform::LogFailureReason(std::string_view reason) noexcept {
    failureReasons.emplace_back(reason);
}

void FakePlatform::Sleep(std::chrono::milliseconds duration) {
    sleeps.push_back(duration.count());
}

bool FakePlatform::CanShowWindows() {
    return windowsVisible;
}

void FakePlatform::ShowMessageBox(const Text& message) {
    if (failMessageBox) throw GeneralFailure("injected message box fault");
    events.push_back("message " + Utf8(message));
}

void FakePlatform::ShowUsageWindow() {
    if (failUsage) throw GeneralFailure("injected usage fault");
    events.push_back("usage");
}

const LegacyCodePage& ShiftJisSample() {
    static const LegacyCodePage page = [] {
        std::array<char32_t, 256> singles{};
        for (std::size_t b = 0; b < singles.size(); ++b)
            singles[b] = kEscapedByteBase + static_cast<char32_t>(b);
        for (std::size_t b = 0; b < 0x80; ++b) singles[b] = static_cast<char32_t>(b);
        singles[0xB1] = U'ｱ';
        LegacyCodePage sample(singles);
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (lead <= 0x9F || lead >= 0xE0) sample.AddLeadByte(static_cast<unsigned char>(lead));
        }
        sample.AddPair(0x83, 0x5C, U'ソ');
        sample.AddPair(0x83, 0x5E, U'ゾ');
        sample.AddPair(0x83, 0x7C, U'ポ');
        sample.AddPair(0x82, 0xA0, U'あ');
        sample.AddPair(0x82, 0x60, U'Ａ');
        sample.AddPair(0x82, 0x81, U'ａ');
        return sample;
    }();
    return page;
}

const LegacyCodePage& Oem437Sample() {
    static const LegacyCodePage page = [] {
        std::array<char32_t, 256> singles{};
        for (std::size_t b = 0; b < singles.size(); ++b)
            singles[b] =
                b < 0x80 ? static_cast<char32_t>(b) : kEscapedByteBase + static_cast<char32_t>(b);
        singles[0x81] = U'ü';
        singles[0x82] = U'é';
        singles[0x9A] = U'Ü';
        singles[0xE1] = U'ß';
        singles[0xE9] = U'Θ';
        singles[0xEA] = U'Ω';
        return LegacyCodePage(singles);
    }();
    return page;
}

void SetUpJapaneseWindows(FakePlatform& platform) {
    platform.ansi = ShiftJisSample();
    platform.oemCodePage = 932;
    platform.ansiCodePage = 932;
    platform.codePages = {{932, ShiftJisSample()}, {437, Oem437Sample()}};
}

std::bitset<256> LeadBytesOf(const LegacyCodePage& page) {
    std::bitset<256> leads;
    for (unsigned b = 0; b < 256; ++b) leads[b] = page.IsLeadByte(static_cast<unsigned char>(b));
    return leads;
}

}  // namespace tarvik::test_doubles
