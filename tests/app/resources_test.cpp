// Reads Corvane.exe's resources back the way the shell does.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/common/program.h"

namespace corvane {
namespace {

constexpr WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bit_count;
  DWORD bytes;
  WORD id;
};
struct GroupIconHeader {
  WORD reserved, type, count;
};
#pragma pack(pop)

class Resources : public testing::Test {
 protected:
  void SetUp() override {
    module_ =
        LoadLibraryExW(exe_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr) << "cannot load Corvane.exe as data";
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }

  std::vector<BYTE> resource(LPCWSTR type, LPCWSTR name) {
    HRSRC found = FindResourceExW(module_, type, name, kEnglishUs);
    if (!found) return {};
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module_, found)));
    return std::vector<BYTE>(data, data + SizeofResource(module_, found));
  }

  std::wstring exe_ = testing_support::corvane_exe();
  HMODULE module_ = nullptr;
};

TEST_F(Resources, IconGroupHoldsSevenPngImages) {
  const std::vector<BYTE> group = resource(RT_GROUP_ICON, MAKEINTRESOURCEW(1));
  ASSERT_GE(group.size(), sizeof(GroupIconHeader));
  GroupIconHeader header;
  std::memcpy(&header, group.data(), sizeof header);
  ASSERT_EQ(header.count, 7);
  ASSERT_EQ(group.size(), sizeof header + 7 * sizeof(GroupIconEntry));
  const int sizes[] = {16, 24, 32, 48, 64, 128, 256};
  for (int i = 0; i < 7; ++i) {
    GroupIconEntry entry;
    std::memcpy(&entry, group.data() + sizeof header + i * sizeof entry, sizeof entry);
    EXPECT_EQ(entry.width, sizes[i] & 0xFF);
    EXPECT_EQ(entry.height, sizes[i] & 0xFF);
    EXPECT_EQ(entry.bit_count, 32);
    const std::vector<BYTE> image = resource(RT_ICON, MAKEINTRESOURCEW(entry.id));
    ASSERT_GE(image.size(), 24u);
    EXPECT_EQ(std::memcmp(image.data(), "\x89PNG\r\n\x1a\n", 8), 0) << "entry " << i << " is not a PNG";
    const auto be32 = [&](size_t at) {
      return DWORD(image[at]) << 24 | DWORD(image[at + 1]) << 16 | DWORD(image[at + 2]) << 8 | image[at + 3];
    };
    EXPECT_EQ(be32(16), DWORD(sizes[i]));  // IHDR width
    EXPECT_EQ(be32(20), DWORD(sizes[i]));  // IHDR height
  }
}

TEST_F(Resources, VersionNamesCorvane) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(exe_.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(exe_.c_str(), 0, size, info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  const std::pair<const wchar_t*, const wchar_t*> strings[] = {
      {L"CompanyName", L"Corvane"},          {L"FileDescription", L"Corvane"},
      {L"ProductName", L"Corvane"},          {L"OriginalFilename", L"Corvane.exe"},
      {L"FileVersion", L"" CORVANE_VERSION}, {L"ProductVersion", L"" CORVANE_VERSION}};
  for (const auto& [key, expected] : strings) {
    wchar_t* value = nullptr;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
    ASSERT_TRUE(VerQueryValueW(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) << path;
    EXPECT_STREQ(value, expected);
  }
}

TEST_F(Resources, NoManifestIsEmbedded) {
  EXPECT_EQ(FindResourceW(module_, MAKEINTRESOURCEW(1), RT_MANIFEST), nullptr);
}

}  // namespace
}  // namespace corvane
