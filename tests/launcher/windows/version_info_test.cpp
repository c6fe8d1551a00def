// The version information that NORLAK.exe carries, read back through the version API.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "launcher_runner.hpp"
#include "tarvik_version.h"

namespace norlak::wine_tests {
namespace {

TEST(VersionInfo, NamesTheLauncherAndTheToolsVersion) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(launcherSource.c_str(), &ignored);
    ASSERT_NE(size, 0u) << "no version information in " << launcherSource;
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(launcherSource.c_str(), 0, size, data.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS,
              static_cast<DWORD>(TARVIK_VERSION_MAJOR << 16 | TARVIK_VERSION_MINOR));
    EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(TARVIK_VERSION_REVISION));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    const auto text = [&](const char* key) {
        char* value = nullptr;
        UINT chars = 0;
        const std::string path = std::string("\\StringFileInfo\\040904B0\\") + key;
        if (!VerQueryValueA(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &chars)) {
            return std::string("<missing>");
        }
        return std::string(value);
    };
    EXPECT_EQ(text("FileVersion"), TARVIK_VERSION_TEXT);
    EXPECT_EQ(text("ProductVersion"), TARVIK_VERSION_TEXT);
    EXPECT_EQ(text("OriginalFilename"), "NORLAK.exe");
    EXPECT_EQ(text("InternalName"), "NORLAK");
}

}  // namespace
}  // namespace norlak::wine_tests
