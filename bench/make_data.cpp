// Writes one of the benchmark's input files, the same bytes on every run. Each shape puts its
// compare strings on the last line only (or at a fixed place in a one-line file), so a search
// that answers from any other place is caught by bench/run.sh. The shapes:
//   words    lines of random lower-case words; "XQZ-MAGIC" on the last line
//   log      CR LF application log lines; "request_id=999999999" on the last line
//   prose    English-like sentences holding no "the" and no "z"; both on the last line
//   multi    German, French, Greek, Russian and Japanese words with near-misses of "Größe",
//            "STRASSE" and "ΛΌΓΟΣ" (Straße, Grösse, λόγοι, ...); their matches on the last line
//   utf16    the log in UTF-16 LE with a byte order mark
//   long     lines of about 20,000 characters; "Disk quota exceeded" on the last line
//   line     one line without a line end; "XQZ-MAGIC found here" at byte 1000
//   longcmp  one line: 62,000 times "a", "b", then words; the compare string of 30,000 times
//            "a" and "b" first matches at character 32001 (bytes is ignored: about 300 KB)
// Usage: make_data <shape> <bytes> <path>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// xorshift64: fast, and the same files on every run.
std::uint64_t state = 0x9E3779B97F4A7C15u;
std::uint64_t Next() {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
}
unsigned Below(unsigned n) {
    return static_cast<unsigned>(Next() % n);
}

template <std::size_t N>
std::string_view Pick(const std::string_view (&words)[N]) {
    return words[Below(static_cast<unsigned>(N))];
}

void RandomWord(std::string& out) {
    for (unsigned letters = 1 + Below(9); letters > 0; --letters) {
        out += static_cast<char>('a' + Below(26));
    }
}

void WordsLine(std::string& out) {
    const std::size_t start = out.size();
    while (out.size() - start < 70) {
        RandomWord(out);
        out += ' ';
    }
    out.back() = '\n';
}

constexpr std::string_view kLevels[] = {"INFO ", "INFO ", "INFO ", "DEBUG", "WARN "};
constexpr std::string_view kPaths[] = {"/api/v1/items/", "/api/v1/users/",
                                       "/static/app.js?v=", "/health?probe="};

// request_id values have at most 8 digits, so no line but the last holds request_id=999999999.
void LogLine(std::string& out, unsigned n) {
    char buffer[256];
    const unsigned second = n % 86400;
    const int length = std::snprintf(
        buffer, sizeof buffer, "2026-12-08T%02u:%02u:%02u.%03uZ %s [worker-%u] ", second / 3600,
        second / 60 % 60, second % 60, Below(1000), Pick(kLevels).data(), Below(8));
    out.append(buffer, static_cast<std::size_t>(length));
    switch (Below(4)) {
        case 0:
        case 1:
            out += "GET ";
            out += Pick(kPaths);
            out += std::to_string(Below(100000)) + " 200 " + std::to_string(Below(900)) +
                   "ms request_id=" + std::to_string(Next() % 100000000);
            break;
        case 2:
            out += "cache miss for key user:" + std::to_string(Below(1000000)) + ", queue depth " +
                   std::to_string(Below(64));
            break;
        default:
            out += "connection from 10.0." + std::to_string(Below(256)) + "." +
                   std::to_string(Below(256)) + " closed after " + std::to_string(Below(30000)) +
                   " ms";
    }
    out += "\r\n";
}

// Common English words, none holding "the" or "z".
constexpr std::string_view kProse[] = {
    "a",      "and",       "of",      "to",     "in",     "is",     "was",     "it",
    "for",    "on",        "as",      "with",   "his",    "he",     "be",      "at",
    "by",     "had",       "not",     "are",    "but",    "from",   "or",      "have",
    "an",     "one",       "you",     "were",   "her",    "all",    "she",     "when",
    "we",     "can",       "said",    "would",  "each",   "which",  "do",      "how",
    "if",     "will",      "up",      "out",    "many",   "so",     "some",    "time",
    "has",    "look",      "two",     "more",   "write",  "go",     "see",     "number",
    "no",     "way",       "could",   "people", "my",     "than",   "first",   "water",
    "been",   "call",      "who",     "its",    "now",    "find",   "long",    "down",
    "day",    "did",       "get",     "come",   "made",   "may",    "part",    "over",
    "new",    "sound",     "take",    "only",   "little", "work",   "know",    "place",
    "year",   "live",      "back",    "give",   "most",   "very",   "after",   "thing",
    "our",    "just",      "name",    "good",   "man",    "think",  "say",     "great",
    "where",  "help",      "through", "much",   "before", "line",   "right",   "too",
    "mean",   "old",       "any",     "same",   "tell",   "boy",    "follow",  "came",
    "want",   "show",      "also",    "around", "form",   "three",  "small",   "set",
    "put",    "end",       "does",    "well",   "large",  "must",   "big",     "even",
    "such",   "because",   "turn",    "here",   "why",    "ask",    "went",    "men",
    "read",   "need",      "land",    "home",   "us",     "move",   "try",     "kind",
    "hand",   "again",     "off",     "play",   "air",    "away",   "animal",  "house",
    "point",  "page",      "letter",  "answer", "found",  "study",  "still",   "learn",
    "should", "world",     "high",    "every",  "near",   "add",    "food",    "between",
    "own",    "below",     "country", "plant",  "last",   "school", "keep",    "tree",
    "never",  "start",     "city",    "earth",  "eye",    "light",  "thought", "head",
    "under",  "story",     "saw",     "left",   "few",    "while",  "along",   "might",
    "close",  "something", "seem",    "next",   "hard",   "open",   "begin",   "life",
    "always", "those",     "both",    "paper",  "often",  "run",    "until",   "side",
    "feet",   "car",       "mile",    "night",  "walk",   "white",  "sea",     "began",
    "grow",   "took",      "river",   "four",   "carry",  "once",   "book",    "hear",
    "stop",   "without",   "second",  "late",   "miss",   "idea",   "enough",  "eat",
    "face",   "watch"};

void ProseLine(std::string& out) {
    const std::size_t start = out.size();
    bool sentence_start = true;
    while (out.size() - start < 72) {
        const std::size_t word = out.size();
        out += Pick(kProse);
        if (sentence_start) out[word] = static_cast<char>(out[word] - 'a' + 'A');
        sentence_start = Below(12) == 0;
        out += sentence_start ? ". " : Below(8) == 0 ? ", " : " ";
    }
    out.pop_back();
    out += '\n';
}

// Near-misses of the compare strings Größe, STRASSE and ΛΌΓΟΣ, which ignoring case match none
// of these words, among ordinary words of the same scripts.
constexpr std::string_view kMulti[] = {
    // German
    "Grösse", "Große", "Groß", "Grüße", "Größ", "gröss", "Straße", "Strase", "STRAßE", "Strassburg",
    "Fußgängerstraße", "Maß", "Öl", "Äpfel", "über", "schön", "Zeile", "und", "der", "Weg",
    // French
    "élève", "déjà", "garçon", "cœur", "naïve", "où", "rue",
    // Greek
    "λόγοι", "λόγου", "Λόγια", "λογος", "ΛΟΓΟΣ", "σοφία", "αλήθεια", "Ελλάδα", "και",
    // Russian and Japanese
    "строка", "Привет", "мир", "поиск", "検索", "文字列", "日本語"};

void MultiLine(std::string& out) {
    const std::size_t start = out.size();
    while (out.size() - start < 90) {
        out += Pick(kMulti);
        out += ' ';
    }
    out.back() = '\n';
}

constexpr std::string_view kLong[] = {
    "the",        "request", "cache", "worker", "queue",   "Grüße", "naïve", "données",
    "connection", "timeout", "retry", "user",   "session", "über",  "disk",  "quota",
    "exceeds",    "limit",   "KEY",   "value",  "Straße",  "item"};

void LongLine(std::string& out) {
    const std::size_t start = out.size();
    while (out.size() - start < 20000) {
        out += Pick(kLong);
        out += Below(10) == 0 ? ", " : " ";
    }
    out += "\n";
}

// Writes the text in blocks as it grows.
class Output {
  public:
    Output(std::FILE* file, bool utf16) : file_(file), utf16_(utf16) {
        if (utf16_) std::fwrite("\xFF\xFE", 1, 2, file_);
    }
    std::string& text() { return text_; }
    // Bytes written so far plus those pending.
    unsigned long long size() const { return written_ + Bytes(text_.size()); }
    void Flush() {
        if (!utf16_) {
            written_ += std::fwrite(text_.data(), 1, text_.size(), file_);
        } else {
            // The generated text is ASCII wherever UTF-16 is written.
            std::string wide;
            for (char c : text_) (wide += c) += '\0';
            written_ += std::fwrite(wide.data(), 1, wide.size(), file_);
        }
        text_.clear();
    }

  private:
    unsigned long long Bytes(std::size_t chars) const { return utf16_ ? 2ull * chars : chars; }
    std::FILE* file_;
    bool utf16_;
    std::string text_;
    unsigned long long written_ = 0;
};

// Lines of one shape up to `total` bytes, then the last line.
template <typename MakeLine>
void Lines(Output& out, unsigned long long total, std::string_view first, std::string_view last,
           MakeLine make_line) {
    out.text() += first;
    for (unsigned n = 1; out.size() + 2 * 20000 + 2 * last.size() < total; ++n) {
        if (out.text().size() > (1u << 20)) out.Flush();
        make_line(out.text(), n);
    }
    out.text() += last;
    out.Flush();
}

// One line without a line end: "XQZ-MAGIC found here" at byte 1000, random words elsewhere.
void OneLine(Output& out, unsigned long long total) {
    std::string& text = out.text();
    while (text.size() < 1000) RandomWord(text += ' ');
    text.resize(1000);
    text += "XQZ-MAGIC found here ";
    while (out.size() < total) {
        if (text.size() > (1u << 20)) out.Flush();
        RandomWord(text);
        text += ' ';
    }
    out.Flush();
}

void LongCompareLine(Output& out) {
    std::string& text = out.text();
    text.assign(62000, 'a');
    text += "b found here ";
    while (text.size() < 300000) {
        LongLine(text);
        text.pop_back();
    }
    text += '\n';
    out.Flush();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_data <shape> <bytes> <path>\n");
        return 2;
    }
    const std::string_view shape = argv[1];
    const auto total = std::strtoull(argv[2], nullptr, 10);
    std::FILE* file = std::fopen(argv[3], "wb");
    if (file == nullptr) return 1;
    Output out(file, shape == "utf16");
    const auto plain = [](void (*make)(std::string&)) {
        return [make](std::string& text, unsigned) { make(text); };
    };
    constexpr std::string_view kLogFirst =
        "2026-12-08T00:00:00.000Z INFO  [main] service started, version 1.0.2\r\n";
    constexpr std::string_view kLogLast =
        "2026-12-08T23:59:59.999Z ERROR [worker-7] GET /api/v1/items/7 500 12ms "
        "request_id=999999999 quota exceeded\r\n";
    if (shape == "words") {
        Lines(out, total, "", "end of data XQZ-MAGIC found here\n", plain(WordsLine));
    } else if (shape == "log" || shape == "utf16") {
        Lines(out, total, kLogFirst, kLogLast, LogLine);
    } else if (shape == "prose") {
        Lines(out, total, "", "At last the zebra rests by a quiet lake.\n", plain(ProseLine));
    } else if (shape == "multi") {
        Lines(out, total, "", "Ende: GRÖßE 42 mm; Strasse 7; λόγος 9 und Schluss.\n",
              plain(MultiLine));
    } else if (shape == "long") {
        Lines(out, total, "",
              "2026-12-08T23:59:59.999Z ERROR [worker-7] Disk quota exceeded on /srv/data\n",
              plain(LongLine));
    } else if (shape == "line") {
        OneLine(out, total);
    } else if (shape == "longcmp") {
        LongCompareLine(out);
    } else {
        std::fprintf(stderr, "unknown shape: %s\n", argv[1]);
        return 2;
    }
    return std::fclose(file) == 0 ? 0 : 1;
}
