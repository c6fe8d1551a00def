// Usage texts, character for character, odd wording included: scripts and users know them so.
#include "usage_text.hpp"

namespace tarvik::usage {

const std::array<std::string_view, 26> kHelpLines = {
    "/T: find string from source string",
    "/F: find string from file",
    "/C: witch string to find",
    "/M  Match case",
    "/E: Set Envirement variable, if no this item",
    "          it will setting the variable's name:RETU",
    "/S: cut string start offset,if is minus number,",
    "          will cut string back from current seat",
    "/L: cut string length, if no this item or /L:0 then will",
    "          cut all string from start seat to the end of the line.",
    "/O: out set Envirement=XXX to this CMD file",
    "          if no this item,it will create Value.CMD file",
    ":Note if not find the string from source, it will create a ERROR.txt under app path.",
    "",
    "Example:",
    "1.tarvik /t:\"ABCD\" /c:\"BB\"",
    "      It will create ERROR.txt under app path.",
    "2.Tarvik /t:\"ABCDEFGHIJK1234\" /c:\"gh\" /s:-4 /L:3 /e:mystr /o:aa.cmd",
    "      the aa.cmd subject matter: SET MYSTR=CDE",
    "3.tarvik /f:ls.txt /c:\"eee\" /s:0",
    "      IF ls.txt subject matter as this:",
    "         1 line:Hello boy",
    "         2 line:sdfseeeWEQREEQRQWERRWQER",
    "         3 line:pp01",
    "     it will create value.cmd,and subject matter:",
    "        Set RETU = WEQREEQRQWERRWQER",
};

std::string LabelText() {
    return "Usage: \r\n"
           "tarvik </T:\"Target str\" or /F:File Name> </C:\"Compare string\"> </S:Start offset> "
           "\r\n"
           "                </L:string length> </E:variable Name> [/O:out to CMD file] [/M]\r\n"
           "  ";
}

std::string HelpText() {
    std::string text;
    for (const std::string_view line : kHelpLines) {
        if (!text.empty()) text += "\r\n";
        text += line;
    }
    return text;
}

std::string Title(std::string_view designed, int major, int minor, int revision) {
    return std::string(designed) + std::to_string(major) + "." + std::to_string(minor) + "." +
           std::to_string(revision);
}

}  // namespace tarvik::usage
