// Character for character, odd wording and trailing blanks included.
#include "usage_texts.hpp"

#include "tarvik_version.h"

namespace wine_driver {

std::wstring UsageTitle() {
    return L"Tarvik Version" + std::to_wstring(TARVIK_VERSION_MAJOR) + L"." +
           std::to_wstring(TARVIK_VERSION_MINOR) + L"." + std::to_wstring(TARVIK_VERSION_REVISION);
}

std::wstring UsageLabel() {
    return L"Usage: \r\n"
           L"tarvik </T:\"Target str\" or /F:File Name> </C:\"Compare string\"> </S:Start offset> "
           L"\r\n"
           L"                </L:string length> </E:variable Name> [/O:out to CMD file] [/M]\r\n"
           L"  ";
}

std::wstring UsageHelp() {
    return L"/T: find string from source string\r\n"
           L"/F: find string from file\r\n"
           L"/C: witch string to find\r\n"
           L"/M  Match case\r\n"
           L"/E: Set Envirement variable, if no this item\r\n"
           L"          it will setting the variable's name:RETU\r\n"
           L"/S: cut string start offset,if is minus number,\r\n"
           L"          will cut string back from current seat\r\n"
           L"/L: cut string length, if no this item or /L:0 then will\r\n"
           L"          cut all string from start seat to the end of the line.\r\n"
           L"/O: out set Envirement=XXX to this CMD file\r\n"
           L"          if no this item,it will create Value.CMD file\r\n"
           L":Note if not find the string from source, it will create a ERROR.txt under app "
           L"path.\r\n"
           L"\r\n"
           L"Example:\r\n"
           L"1.tarvik /t:\"ABCD\" /c:\"BB\"\r\n"
           L"      It will create ERROR.txt under app path.\r\n"
           L"2.Tarvik /t:\"ABCDEFGHIJK1234\" /c:\"gh\" /s:-4 /L:3 /e:mystr /o:aa.cmd\r\n"
           L"      the aa.cmd subject matter: SET MYSTR=CDE\r\n"
           L"3.tarvik /f:ls.txt /c:\"eee\" /s:0\r\n"
           L"      IF ls.txt subject matter as this:\r\n"
           L"         1 line:Hello boy\r\n"
           L"         2 line:sdfseeeWEQREEQRQWERRWQER\r\n"
           L"         3 line:pp01\r\n"
           L"     it will create value.cmd,and subject matter:\r\n"
           L"        Set RETU = WEQREEQRQWERRWQER";
}

}  // namespace wine_driver
