// Writes the benchmark's input files: `log` is short CR LF log lines, `long` is lines of about
// 20,000 characters of UTF-8 text. Both start with a line holding "service started" and end with
// one holding "Disk quota exceeded", which no other line holds.
// Usage: make_data log|long <bytes> <path>
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
unsigned Below(unsigned n) { return static_cast<unsigned>(Next() % n); }

constexpr std::string_view kLevels[] = {"INFO ", "INFO ", "INFO ", "DEBUG", "WARN "};
constexpr std::string_view kPaths[] = {"/api/v1/items/", "/api/v1/users/", "/static/app.js?v=", "/health?probe="};
constexpr std::string_view kWords[] = {"the", "request", "cache", "worker", "queue", "Grüße", "naïve", "données",
                                       "connection", "timeout", "retry", "user", "session", "über", "disk",
                                       "quota", "exceeds", "limit", "KEY", "value", "Straße", "item"};

void LogLine(std::string& out, unsigned n) {
    char buffer[256];
    const unsigned second = n % 86400;
    const int length = std::snprintf(
        buffer, sizeof buffer, "2026-12-08T%02u:%02u:%02u.%03uZ %s [worker-%u] ", second / 3600, second / 60 % 60,
        second % 60, Below(1000), kLevels[Below(5)].data(), Below(8));
    out.append(buffer, static_cast<std::size_t>(length));
    switch (Below(4)) {
        case 0:
        case 1:
            out += "GET ";
            out += kPaths[Below(4)];
            out += std::to_string(Below(100000)) + " 200 " + std::to_string(Below(900)) +
                   "ms request_id=" + std::to_string(Next() % 100000000);
            break;
        case 2:
            out += "cache miss for key user:" + std::to_string(Below(1000000)) + ", queue depth " +
                   std::to_string(Below(64));
            break;
        default:
            out += "connection from 10.0." + std::to_string(Below(256)) + "." + std::to_string(Below(256)) +
                   " closed after " + std::to_string(Below(30000)) + " ms";
    }
    out += "\r\n";
}

void LongLine(std::string& out) {
    std::size_t start = out.size();
    while (out.size() - start < 20000) {
        out += kWords[Below(sizeof kWords / sizeof kWords[0])];
        out += Below(10) == 0 ? ", " : " ";
    }
    out += "\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_data log|long <bytes> <path>\n");
        return 2;
    }
    const std::string_view kind = argv[1];
    const auto total = std::strtoull(argv[2], nullptr, 10);
    std::FILE* file = std::fopen(argv[3], "wb");
    if (file == nullptr) return 1;
    const std::string first = "2026-12-08T00:00:00.000Z INFO  [main] service started, version 1.0.2\r\n";
    const std::string last = "2026-12-08T23:59:59.999Z ERROR [worker-7] Disk quota exceeded on /srv/data\r\n";
    std::string chunk = first;
    unsigned long long written = 0;
    for (unsigned n = 1; written + chunk.size() + last.size() < total; ++n) {
        if (chunk.size() > (1u << 20)) {
            written += std::fwrite(chunk.data(), 1, chunk.size(), file);
            chunk.clear();
        }
        if (kind == "log") {
            LogLine(chunk, n);
        } else {
            LongLine(chunk);
        }
    }
    chunk += last;
    std::fwrite(chunk.data(), 1, chunk.size(), file);
    return std::fclose(file) == 0 ? 0 : 1;
}
