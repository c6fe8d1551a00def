// Output files: replaced whole, devices written in place, names of any length, and nothing left
// behind by a failure or by a process killed mid-write.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "case_name.hpp"
#include "file_system.hpp"
#include "long_path.hpp"
#include "module_path.hpp"
#include "win32/scratch_dir.hpp"
#include "win32_handles.hpp"

namespace tarvik::win32 {
namespace {

using Files = std::map<std::wstring, std::string>;

const std::wstring kLongName = std::wstring(246, L'n') + L".cmd";  // 250 characters
const std::wstring kLongDirectory = L"C:\\" + std::wstring(300, L'd');

// Every entry of `directory`, with its bytes; "<dir>" for a directory.
Files Contents(const std::wstring& directory) {
    Files files;
    for (const std::wstring& name : test_support::ListDirectory(directory)) {
        const std::wstring path = directory + L"\\" + name;
        files[name] = test_support::IsDirectory(path) ? "<dir>" : test_support::ReadBytes(path);
    }
    return files;
}

void Make(const std::wstring& directory, const Files& files) {
    for (const auto& [name, bytes] : files) {
        const std::wstring path = directory + L"\\" + name;
        ASSERT_TRUE(bytes == "<dir>" ? CreateDirectoryW(path.c_str(), nullptr) != FALSE
                                     : test_support::WriteBytes(path, bytes));
    }
}

struct WriteCase {
    const char* name;
    Files before;
    std::wstring target;
    bool succeeds;
    Files after;
};

class WriteWholeFileTest : public testing::TestWithParam<WriteCase> {};

TEST_P(WriteWholeFileTest, LeavesTheNewFileOrTheOldOneAndNothingElse) {
    const WriteCase& c = GetParam();
    const test_support::ScratchDir directory;
    Make(directory.Path(), c.before);
    const std::wstring target = LongPathSafe(directory.Path() + L"\\" + c.target);
    if (c.succeeds) {
        EXPECT_NO_THROW(WriteWholeFile(target, "SET RETU=new\r\n"));
    } else {
        EXPECT_ANY_THROW(WriteWholeFile(target, "SET RETU=new\r\n"));
    }
    EXPECT_EQ(Contents(directory.Path()), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteWholeFileTest,
    testing::Values(WriteCase{"new", {}, L"out.cmd", true, {{L"out.cmd", "SET RETU=new\r\n"}}},
                    WriteCase{"replaced",
                              {{L"Value.cmd", "old"}},
                              L"Value.cmd",
                              true,
                              {{L"Value.cmd", "SET RETU=new\r\n"}}},
                    // Devices are written in place: nothing appears, no temporary file is left.
                    WriteCase{"nul", {}, L"NUL", true, {}},
                    WriteCase{"nul_lower_case", {}, L"nul", true, {}},
                    // The temporary name must not grow with the target's.
                    WriteCase{"long_name", {}, kLongName, true, {{kLongName, "SET RETU=new\r\n"}}},
                    WriteCase{"directory_in_the_way",
                              {{L"out.cmd", "<dir>"}},
                              L"out.cmd",
                              false,
                              {{L"out.cmd", "<dir>"}}}),
    test_support::CaseName());

// The killed process runs no clean-up code of ours: only the system can remove its file.
TEST(ReplacementFileTest, VanishesWhenTheWritingProcessIsKilled) {
    const test_support::ScratchDir directory;
    Make(directory.Path(), {{L"out.cmd", "old"}});
    const std::wstring helper = ToolDirectoryPath() + L"\\killed_writer.exe";
    std::wstring commandLine = L"\"" + helper + L"\" \"" + directory.Path() + L"\\out.cmd\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(helper.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &startup, &process))
        << GetLastError();
    const tarvik::win32::unique_kernel_handle child(process.hProcess), thread(process.hThread);
    EXPECT_EQ(WaitForSingleObject(child.get(), 30000), WAIT_OBJECT_0);
    DWORD status = 0;
    GetExitCodeProcess(child.get(), &status);
    EXPECT_EQ(status, 3u) << "the helper did not get as far as writing";
    EXPECT_EQ(Contents(directory.Path()), (Files{{L"out.cmd", "old"}}));
}

struct PathCase {
    const char* name;
    std::wstring path;
    std::wstring safe;
};

class LongPathSafeTest : public testing::TestWithParam<PathCase> {};

TEST_P(LongPathSafeTest, PrefixesOnlyLongPathsAfterNormalising) {
    EXPECT_EQ(LongPathSafe(GetParam().path), GetParam().safe);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LongPathSafeTest,
    testing::Values(
        // Short paths are left to Windows as they are.
        PathCase{"short_path_untouched", L"C:\\tool\\sub\\..\\Value.cmd.",
                 L"C:\\tool\\sub\\..\\Value.cmd."},
        PathCase{"long_path_normalised", kLongDirectory + L"\\sub\\..\\Value.cmd.",
                 L"\\\\?\\" + kLongDirectory + L"\\Value.cmd"},
        PathCase{"long_unc_path", L"\\\\server\\share\\" + kLongName + L"\\x",
                 L"\\\\?\\UNC\\server\\share\\" + kLongName + L"\\x"},
        PathCase{"already_prefixed", L"\\\\?\\" + kLongDirectory + L"\\..\\x",
                 L"\\\\?\\" + kLongDirectory + L"\\..\\x"},
        // A device name stays one, however long the directory before it.
        PathCase{"device_after_long_directory", kLongDirectory + L"\\NUL", L"\\\\.\\NUL"}),
    test_support::CaseName());

}  // namespace
}  // namespace tarvik::win32
