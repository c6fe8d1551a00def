// Writes tarvik.1, the man page of the Linux build, from the usage texts the tool itself shows, so
// that the two can never differ. Run at build time: make_man_page OUTPUT_FILE.
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "tarvik_version.h"
#include "usage_text.hpp"

namespace {

// Text as roff shows it: a backslash is \e, and a line may not start with a control character.
std::string Roff(std::string_view line) {
    std::string out;
    if (!line.empty() && (line.front() == '.' || line.front() == '\'')) out = "\\&";
    for (const char c : line) {
        if (c == '\\') {
            out += "\\e";
        } else if (c != '\r') {
            out += c;
        }
    }
    return out;
}

// The synopsis lines of the label, without its "Usage:" line and trailing blanks.
std::string Synopsis() {
    const std::string label = tarvik::usage::LabelText();
    std::string out;
    std::size_t start = label.find('\n') + 1;
    while (start < label.size()) {
        std::size_t end = label.find('\n', start);
        if (end == std::string::npos) end = label.size();
        std::string line = Roff(std::string_view(label).substr(start, end - start));
        line.erase(line.find_last_not_of(' ') + 1);
        if (!line.empty()) out += line + "\n";
        start = end + 1;
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_man_page OUTPUT_FILE\n";
        return 2;
    }
    std::ofstream page(argv[1], std::ios::binary);
    page << ".TH TARVIK 1 \"\" \"Tarvik " TARVIK_VERSION_TEXT "\" \"User Commands\"\n"
         << ".SH NAME\n"
         << "tarvik \\- cut text out of a string or a file and write it as a SET line\n"
         << ".SH SYNOPSIS\n.nf\n"
         << Synopsis() << ".fi\n"
         << ".SH DESCRIPTION\n"
         << "What the tool shows as its usage:\n.PP\n.nf\n";
    for (const std::string_view line : tarvik::usage::kHelpLines) page << Roff(line) << "\n";
    page << ".fi\n"
         << ".SH NOTES\n"
         << "The arguments are joined with single spaces into one command line, in which the\n"
            "switches are found by plain text search; keep the double quotes away from the shell:\n"
         << ".PP\n.nf\n"
            "tarvik '/t:\"ABCD\"' '/c:\"BB\"'\n"
            ".fi\n.PP\n"
            "Every file name is taken relative to the directory of the executable, where the\n"
            "result file (default Value.cmd) and error.txt are written.\n"
         << ".SH EXIT STATUS\n"
            "0 when a result was written, a presence test passed or only the usage was shown;\n"
            "1 when the compare string was not found; 10 plus the error kind after a failure\n"
            "report (11 to 19); 20 plus the error kind when the report could not be completed.\n"
         << ".SH SEE ALSO\n"
            ".BR norlak (1)\n";
    page.close();
    if (!page) {
        std::cerr << "make_man_page: could not write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
