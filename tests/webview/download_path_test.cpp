#include "webview/download_path.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct PathCase {
  std::wstring path;
  std::wstring simplest;
};

class SimplestForm : public testing::TestWithParam<PathCase> {};

TEST_P(SimplestForm, DropsTheVerbatimPrefixOnlyWhenNothingChanges) {
  EXPECT_EQ(simplest_form(GetParam().path), GetParam().simplest);
}

const std::wstring kLongName(255, L'a');

INSTANTIATE_TEST_SUITE_P(
    Paths, SimplestForm,
    testing::Values(
        PathCase{L"\\\\?\\C:\\Users\\u\\Downloads\\report.pdf", L"C:\\Users\\u\\Downloads\\report.pdf"},
        PathCase{L"C:\\Users\\u\\Downloads\\report.pdf", L"C:\\Users\\u\\Downloads\\report.pdf"},
        PathCase{L"\\\\?\\d:\\x.txt", L"d:\\x.txt"},
        PathCase{L"\\\\?\\C:\\" + kLongName, L"C:\\" + kLongName},
        PathCase{L"\\\\?\\C:\\" + kLongName + L"b", L"\\\\?\\C:\\" + kLongName + L"b"},  // 256
        PathCase{L"\\\\?\\C:\\" + std::wstring(129, L'x') + L"\\" + std::wstring(129, L'y'),
                 L"\\\\?\\C:\\" + std::wstring(129, L'x') + L"\\" + std::wstring(129, L'y')},         // 262
        PathCase{L"\\\\?\\C:\\a\\" + std::wstring(254, L'z'), L"C:\\a\\" + std::wstring(254, L'z')},  // 259
        // MAX_PATH holds the terminating NUL too: 260 characters need the prefix.
        PathCase{L"\\\\?\\C:\\a\\" + std::wstring(255, L'z'), L"\\\\?\\C:\\a\\" + std::wstring(255, L'z')},
        PathCase{L"\\\\?\\C:\\a\\b?.txt", L"\\\\?\\C:\\a\\b?.txt"},
        PathCase{L"\\\\?\\C:\\a\\b|c", L"\\\\?\\C:\\a\\b|c"},
        PathCase{L"\\\\?\\C:\\a\\b\"c", L"\\\\?\\C:\\a\\b\"c"},
        PathCase{L"\\\\?\\C:\\a\\b:c", L"\\\\?\\C:\\a\\b:c"}, PathCase{L"\\\\?\\C:\\a/b", L"\\\\?\\C:\\a/b"},
        PathCase{std::wstring(L"\\\\?\\C:\\a\\b") + wchar_t(0x1F),
                 std::wstring(L"\\\\?\\C:\\a\\b") + wchar_t(0x1F)},
        PathCase{L"\\\\?\\C:\\a\\file. ", L"\\\\?\\C:\\a\\file. "},
        PathCase{L"\\\\?\\C:\\a\\file.", L"\\\\?\\C:\\a\\file."},
        PathCase{L"\\\\?\\C:\\a\\..\\b", L"\\\\?\\C:\\a\\..\\b"},
        PathCase{L"\\\\?\\C:\\a\\\\b", L"\\\\?\\C:\\a\\\\b"}, PathCase{L"\\\\?\\C:\\con", L"\\\\?\\C:\\con"},
        PathCase{L"\\\\?\\C:\\Com1.txt", L"\\\\?\\C:\\Com1.txt"},
        // Windows reads a device name up to the first dot and without trailing spaces.
        PathCase{L"\\\\?\\C:\\lpt9.tar.gz", L"\\\\?\\C:\\lpt9.tar.gz"},
        PathCase{L"\\\\?\\C:\\x\\nul .txt", L"\\\\?\\C:\\x\\nul .txt"},
        PathCase{L"\\\\?\\C:\\AUX\\a.txt", L"\\\\?\\C:\\AUX\\a.txt"},
        PathCase{L"\\\\?\\C:\\COM\u00B9.log", L"\\\\?\\C:\\COM\u00B9.log"},
        PathCase{L"\\\\?\\C:\\COM0.log", L"C:\\COM0.log"},
        PathCase{L"\\\\?\\C:\\con-report.tar.gz", L"C:\\con-report.tar.gz"},
        PathCase{L"\\\\?\\C:\\console.txt", L"C:\\console.txt"}, PathCase{L"\\\\?\\C:\\COM10", L"C:\\COM10"},
        PathCase{L"\\\\?\\UNC\\server\\share\\f.txt", L"\\\\?\\UNC\\server\\share\\f.txt"},
        PathCase{L"\\\\?\\C:", L"\\\\?\\C:"}, PathCase{L"", L""}));

TEST(AcceptAllDownloads, AcceptsWithThePathUnchanged) {
  const DownloadDecision decision = accept_all_downloads("https://x/y", L"\\\\?\\C:\\y");
  EXPECT_TRUE(decision.accept);
  EXPECT_EQ(decision.path, L"\\\\?\\C:\\y");
}

}  // namespace
}  // namespace corvane
