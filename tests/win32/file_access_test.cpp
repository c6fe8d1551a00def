// Files that another program holds, or that are no files: what is worth trying again (FileInUse)
// and what stays as it is (GeneralFailure), and that reading shares everything.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "file_system.hpp"
#include "win32/scratch_dir.hpp"
#include "win32_handles.hpp"

namespace tarvik::win32 {
namespace {

enum class Outcome { Done, InUse, Failure };

Outcome OutcomeOf(const std::function<void()>& operation) {
    try {
        operation();
        return Outcome::Done;
    } catch (const FileInUse&) {
        return Outcome::InUse;
    } catch (const GeneralFailure&) {
        return Outcome::Failure;
    }
}

TEST(FileAccessTest, OnlyAnotherProgramsHandleIsWorthTryingAgain) {
    const struct {
        const char* what;
        DWORD heldSharing;  // how another program holds f.txt; ~0: not at all
        bool readOnly;
        std::function<void(const std::wstring& path)> operation;
        Outcome expected;
    } cases[] = {
        {"delete, held without delete sharing", FILE_SHARE_READ, false, DeleteIfPresent,
         Outcome::InUse},
        {"delete, read-only", ~0u, true, DeleteIfPresent, Outcome::Failure},
        {"read, held without sharing", 0, false,
         [](const std::wstring& p) { OpenFileForReading(p); }, Outcome::InUse},
        {"read, held by a writer sharing reads", FILE_SHARE_READ, false,
         [](const std::wstring& p) { OpenFileForReading(p); }, Outcome::Done},
        {"replace, held without delete sharing", FILE_SHARE_READ | FILE_SHARE_WRITE, false,
         [](const std::wstring& p) { WriteWholeFile(p, "new"); }, Outcome::InUse},
        {"read a device", ~0u, false,
         [](const std::wstring&) { OpenFileForReading(L"\\\\.\\NUL"); }, Outcome::Failure},
    };
    for (const auto& c : cases) {
        test_support::ScratchDir scratch;
        const std::wstring path = scratch.Path() + L"\\f.txt";
        ASSERT_TRUE(test_support::WriteBytes(path, "old"));
        if (c.readOnly) SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
        unique_hfile held;
        if (c.heldSharing != ~0u) {
            held.reset(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, c.heldSharing,
                                   nullptr, OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(held) << c.what;
        }
        EXPECT_EQ(OutcomeOf([&] { c.operation(path); }), c.expected) << c.what;
        held.reset();
        // Nothing half-done is left: the file as it was, or gone, and no temporary file.
        const auto left = test_support::ListDirectory(scratch.Path());
        EXPECT_LE(left.size(), 1u) << c.what;
    }
}

// Another program may delete or rename the file while it is read.
TEST(FileAccessTest, ReadingLetsOthersDeleteTheFile) {
    test_support::ScratchDir scratch;
    const std::wstring path = scratch.Path() + L"\\f.txt";
    ASSERT_TRUE(test_support::WriteBytes(path, "line\r\n"));
    const auto reader = OpenFileForReading(path);
    EXPECT_NE(DeleteFileW(path.c_str()), FALSE) << "error " << GetLastError();
}

}  // namespace
}  // namespace tarvik::win32
