#include "app/external_opener.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/config.h"
#include "support/text.h"

namespace corvane {
namespace {

std::vector<std::wstring> g_handed;
void record(const std::wstring& url) {
  g_handed.push_back(url);
}

struct OpenCase {
  std::string url;
  bool opened;
};

class OpenExternal : public testing::TestWithParam<OpenCase> {
 protected:
  void SetUp() override { g_handed.clear(); }
};

TEST_P(OpenExternal, PassesOpenableUrlsUnchangedAndDropsTheRest) {
  open_external(GetParam().url, record);
  if (GetParam().opened) {
    EXPECT_EQ(g_handed, std::vector<std::wstring>{to_utf16(GetParam().url)});
  } else {
    EXPECT_TRUE(g_handed.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenExternal,
    testing::Values(OpenCase{"MAILTO:Someone@Example.com", true}, OpenCase{"Https://Example.com/A", true},
                    OpenCase{"http://example.com/", true}, OpenCase{"tel:", true},
                    OpenCase{"TEL:+49 30 1234", true}, OpenCase{std::string(AppConfig::DownloadLink), true},
                    OpenCase{"https:/example.com", false}, OpenCase{"httpx://example.com", false},
                    OpenCase{"ftp://example.com/", false}, OpenCase{"file:///C:/Windows", false},
                    OpenCase{"about:blank", false}, OpenCase{"data:text/plain,x", false},
                    OpenCase{"blob:https://a/b", false}, OpenCase{"", false}, OpenCase{"tel", false}));

TEST(OpenExternal, HandsCharactersBeyondTheBasicPlaneOverAsSurrogatePairs) {
  g_handed.clear();
  open_external("https://example.com/\xf0\x9f\x98\x80", record);
  ASSERT_EQ(g_handed.size(), 1u);
  EXPECT_EQ(g_handed[0], std::wstring(L"https://example.com/") + wchar_t(0xD83D) + wchar_t(0xDE00));
}

}  // namespace
}  // namespace corvane
