#include "app/navigation_policy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/config.h"
#include "support/com_object.h"
#include "tests/common/opener_probe.h"
#include "support/text.h"

namespace corvane {
namespace {

std::vector<std::string> g_opened;
void record(const std::wstring& url) {
  g_opened.push_back(to_utf8(url));
}

struct HostCase {
  const char* url;
  std::optional<std::string> host;
};

class HostOf : public testing::TestWithParam<HostCase> {};

TEST_P(HostOf, ExtractsTheHostABrowserWouldContact) {
  EXPECT_EQ(host_of(GetParam().url), GetParam().host);
}

INSTANTIATE_TEST_SUITE_P(Plain, HostOf,
                         testing::Values(HostCase{"https://app.corvane.io/#/pos", "app.corvane.io"},
                                         HostCase{"https://APP.Corvane.IO/x", "app.corvane.io"},
                                         HostCase{"https://app.corvane.io:8443/", "app.corvane.io"},
                                         HostCase{"https://app.corvane.io", "app.corvane.io"},
                                         HostCase{"https://app.corvane.io?q", "app.corvane.io"},
                                         HostCase{"https://app.corvane.io#f", "app.corvane.io"},
                                         HostCase{"https://\xc3\x84pp.corvane.io/", "\xc3\x84pp.corvane.io"},
                                         HostCase{"https:///x", ""}, HostCase{"https://", ""},
                                         HostCase{"https://:443/", ""}, HostCase{"https://?x", ""},
                                         HostCase{"HTTPS://app.corvane.io/", std::nullopt},
                                         HostCase{"http://app.corvane.io/", std::nullopt},
                                         HostCase{"https:/", std::nullopt}, HostCase{"", std::nullopt}));

// A trusted name placed where a browser does not read the host must not make a foreign site trusted.
INSTANTIATE_TEST_SUITE_P(Attacks, HostOf,
                         testing::Values(HostCase{"https://app.corvane.io:x@evil.example/", "evil.example"},
                                         HostCase{"https://app.corvane.io@evil.example/", "evil.example"},
                                         HostCase{"https://evil.example@app.corvane.io/", "app.corvane.io"},
                                         HostCase{"https://evil.example:pw@app.corvane.io/",
                                                  "app.corvane.io"},
                                         HostCase{"https://a@b:c@evil.example:443/", "evil.example"},
                                         HostCase{"https://evil.example\\@app.corvane.io/", "evil.example"},
                                         HostCase{"https://app.corvane.io\\@evil.example/", "app.corvane.io"},
                                         HostCase{"https://[::1]:8443/", "[::1]"},
                                         HostCase{"https://[2001:DB8::1]/", "[2001:db8::1]"},
                                         HostCase{"https://app.corvane.io@[::1]/", "[::1]"},
                                         HostCase{"https://APP.CORVANE.IO:443/", "app.corvane.io"}));

struct NavigationCase {
  std::string url;
  NavigationDecision decision;
  bool opened;  // handed to the shell, unchanged
};

// A failing row names its URL rather than the bytes of the row.
void PrintTo(const NavigationCase& c, std::ostream* os) {
  *os << c.url;
}

class Navigation : public testing::TestWithParam<NavigationCase> {
 protected:
  void SetUp() override { g_opened.clear(); }
};

TEST_P(Navigation, DecidesAndHandsRefusedUrlsToTheShell) {
  const NavigationCase& c = GetParam();
  EXPECT_EQ(NavigationHandler{record}(c.url), c.decision);
  EXPECT_EQ(g_opened, c.opened ? std::vector<std::string>{c.url} : std::vector<std::string>{});
}

constexpr auto kAllow = NavigationDecision::Allow;
constexpr auto kDeny = NavigationDecision::Deny;

INSTANTIATE_TEST_SUITE_P(
    Cases, Navigation,
    testing::Values(
        NavigationCase{std::string(AppConfig::StartUrl), kAllow, false},
        NavigationCase{"https://APP.CORVANE.IO/#/pos", kAllow, false},
        NavigationCase{"https://app.corvane.io:8443/x", kAllow, false},
        NavigationCase{"https://accounts.google.com/signin/v2?x=1", kAllow, false},
        NavigationCase{"http://app.corvane.io/", kDeny, true},
        NavigationCase{"https://example.com/", kDeny, true},
        // Look-alikes: a host that merely ends or begins with an allowed one is another host.
        NavigationCase{"https://evilapp.corvane.io/", kDeny, true},
        NavigationCase{"https://xapp.corvane.io/#/pos", kDeny, true},
        NavigationCase{"https://app.corvane.io.evil.example/", kDeny, true},
        NavigationCase{"https://xaccounts.google.com/signin", kDeny, true},
        NavigationCase{"https://accounts.google.com.evil.example/", kDeny, true},
        NavigationCase{"https://pp.corvane.io/", kDeny, true},
        NavigationCase{"https://app.corvane.io:x@evil.example/", kDeny, true},
        NavigationCase{"about:blank", kAllow, false}, NavigationCase{"about:srcdoc", kAllow, false},
        NavigationCase{"About:blank", kDeny, false},
        NavigationCase{"blob:https://app.corvane.io/1", kAllow, false},
        NavigationCase{"data:text/html,x", kAllow, false}, NavigationCase{"Data:text/html,x", kDeny, false},
        NavigationCase{"BLOB:x", kDeny, false}, NavigationCase{"mailto:a@b.example", kDeny, true},
        NavigationCase{"tel:+4912345", kDeny, true}, NavigationCase{"ftp://example.com/", kDeny, false},
        NavigationCase{"file:///C:/x", kDeny, false}, NavigationCase{"", kDeny, false},
        NavigationCase{"https:///x", kDeny, true}));

using testing_support::OpenerProbe;

struct NewWindowCase {
  std::string url;
  NewWindowDecision::Kind kind;
  bool opened;
};

void PrintTo(const NewWindowCase& c, std::ostream* os) {
  *os << c.url;
}

class NewWindow : public testing::TestWithParam<NewWindowCase> {
 protected:
  void SetUp() override { g_opened.clear(); }
};

TEST_P(NewWindow, DecidesReleasesTheOpenerAndHandsDeniedUrlsToTheShell) {
  const NewWindowCase& c = GetParam();
  bool web_view_gone = false, environment_gone = false;
  NewWindowFeatures features;
  features.opener_web_view = OpaqueComRef(
      reinterpret_cast<ICoreWebView2*>(OpenerProbe::create(&web_view_gone).Detach()->identity()));
  features.opener_environment = OpaqueComRef(reinterpret_cast<ICoreWebView2Environment*>(
      OpenerProbe::create(&environment_gone).Detach()->identity()));
  features.size = NewWindowFeatures::Size{640, 480};

  EXPECT_EQ(NewWindowHandler{record}(c.url, std::move(features)).kind, c.kind);
  EXPECT_EQ(g_opened, c.opened ? std::vector<std::string>{c.url} : std::vector<std::string>{});
  EXPECT_TRUE(web_view_gone);
  EXPECT_TRUE(environment_gone);
}

using Kind = NewWindowDecision::Kind;

INSTANTIATE_TEST_SUITE_P(Cases, NewWindow,
                         testing::Values(NewWindowCase{"https://app.corvane.io/report", Kind::Allow, false},
                                         NewWindowCase{"https://App.Corvane.io:8443/", Kind::Allow, false},
                                         NewWindowCase{"https://accounts.google.com/o", Kind::Deny, true},
                                         NewWindowCase{"https://evilapp.corvane.io/", Kind::Deny, true},
                                         NewWindowCase{"https://app.corvane.io.evil.example/", Kind::Deny,
                                                       true},
                                         NewWindowCase{"about:blank", Kind::Allow, false},
                                         NewWindowCase{"about:blank#top", Kind::Allow, false},
                                         NewWindowCase{"about:srcdoc", Kind::Deny, false},
                                         NewWindowCase{"blob:https://app.corvane.io/2", Kind::Allow, false},
                                         NewWindowCase{"http://app.corvane.io/", Kind::Deny, true},
                                         NewWindowCase{"mailto:x@y.example", Kind::Deny, true},
                                         NewWindowCase{"data:text/html,x", Kind::Deny, false}));

}  // namespace
}  // namespace corvane
