#include "app/profile_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace corvane {
namespace {

struct FolderCase {
  std::wstring root;
  std::wstring folder;
};

class ProfileFolder : public testing::TestWithParam<FolderCase> {};

TEST_P(ProfileFolder, AppendsCorvaneAndWebView2) {
  EXPECT_EQ(profile_folder_in(GetParam().root), GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(
    Roots, ProfileFolder,
    testing::Values(
        FolderCase{L"C:\\Users\\u\\AppData\\Local", L"C:\\Users\\u\\AppData\\Local\\Corvane\\WebView2"},
        FolderCase{L"C:\\Users\\u\\AppData\\Local\\", L"C:\\Users\\u\\AppData\\Local\\Corvane\\WebView2"},
        FolderCase{L"C:\\Temp/", L"C:\\Temp/Corvane\\WebView2"}, FolderCase{L"", L"Corvane\\WebView2"},
        FolderCase{L"D:", L"D:Corvane\\WebView2"},
        FolderCase{L"\\\\server\\share", L"\\\\server\\share\\Corvane\\WebView2"}));

// Sets or removes LOCALAPPDATA for one test.
class LocalAppData {
 public:
  explicit LocalAppData(const wchar_t* value) {
    wchar_t buffer[1024];
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", buffer, 1024);
    if (length > 0 && length < 1024) saved_ = std::wstring(buffer, length);
    SetEnvironmentVariableW(L"LOCALAPPDATA", value);
  }
  ~LocalAppData() { SetEnvironmentVariableW(L"LOCALAPPDATA", saved_ ? saved_->c_str() : nullptr); }

 private:
  std::optional<std::wstring> saved_;
};

TEST(ProfileRoot, IsLocalAppDataAsItIs) {
  const LocalAppData local(L"C:\\Users\\\u00e9\\AppData\\Local\\");
  EXPECT_EQ(profile_root(), L"C:\\Users\\\u00e9\\AppData\\Local\\");
}

TEST(ProfileRoot, EmptyLocalAppDataIsARelativeRoot) {
  const LocalAppData local(L"");
  EXPECT_EQ(profile_root(), L"");
}

TEST(ProfileRoot, WithoutLocalAppDataIsTheTemporaryFolder) {
  const LocalAppData local(nullptr);
  wchar_t temp[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  const auto root = profile_root();
  ASSERT_TRUE(root);
  EXPECT_EQ(*root, std::wstring(temp, length));
  EXPECT_EQ(root->back(), L'\\');
}

}  // namespace
}  // namespace corvane
