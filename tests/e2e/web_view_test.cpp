// The complete program: Corvane.exe under Wine with the WebView2 test runtime beside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/config.h"
#include "app/failure_text.h"
#include "support/text.h"
#include "tests/e2e/corvane_run.h"

namespace corvane {
namespace {

using testing_support::CorvaneRun;
using Lines = std::vector<std::string>;

class WebView : public testing::Test {
 protected:
  static void SetUpTestSuite() { recorder_ = std::make_unique<testing_support::UrlRecorder>(); }
  static void TearDownTestSuite() { recorder_.reset(); }
  static inline std::unique_ptr<testing_support::UrlRecorder> recorder_;
  void SetUp() override { testing_support::clear_handed_urls(); }
};

// The runtime log from the first call to the start navigation, without the runtime's own events.
Lines calls_until_started(const Lines& log) {
  Lines calls;
  for (const auto& line : log) {
    if (line.starts_with("event ") || line.starts_with("completion ")) continue;
    calls.push_back(line);
    if (line.starts_with("ICoreWebView2Controller.put_Bounds")) break;
  }
  return calls;
}

TEST_F(WebView, StartsWithTheFixedCallsInOrder) {
  CorvaneRun run("", {L"LOCALAPPDATA=C:\\Users\\u\\AppData\\Local"});
  ASSERT_TRUE(run.wait_until_started());
  RECT client;
  GetClientRect(run.main_window(), &client);
  const std::string bounds = "0,0," + std::to_string(client.right) + "," + std::to_string(client.bottom);
  const Lines expected = {
      "option AdditionalBrowserArguments = \"--disable-features=msWebOOUI,msPdfOOUI,msSmartScreenProtection --autoplay-policy=no-user-gesture-required\" 0x00000000",
      "option Language = \"en-US\" 0x00000000",
      "option TargetCompatibleBrowserVersion = \"145.0.3800.47\" 0x00000000",
      "option AllowSingleSignOnUsingOSPrimaryAccount = 0 0x00000000",
      "option ExclusiveUserDataFolderAccess = 0 0x00000000",
      "option IsCustomCrashReportingEnabled = 0 0x00000000",
      "option CustomSchemeRegistrations = 0 null 0x00000000",
      "option EnableTrackingPrevention = 1 0x00000000",
      "option AreBrowserExtensionsEnabled = 0 0x00000000",
      "option ChannelSearchKind = 0 0x00000000",
      "option ReleaseChannels = 15 0x00000000",
      "option ScrollBarStyle = 0 0x00000000",
      "CreateCoreWebView2EnvironmentWithOptions(null, \"C:\\Users\\u\\AppData\\Local\\Corvane\\WebView2\", options, handler) = 0x00000000",
      "ICoreWebView2Environment10.CreateCoreWebView2ControllerOptions() = 0x00000000",
      "ICoreWebView2ControllerOptions.put_IsInPrivateModeEnabled(FALSE) = 0x00000000",
      "ICoreWebView2Environment10.CreateCoreWebView2ControllerWithOptions(container, private=FALSE profile=null, handler) = 0x00000000",
      "ICoreWebView2Controller.get_CoreWebView2() = 0x00000000",
      "ICoreWebView2.get_Settings() = 0x00000000",
      "ICoreWebView2Settings.put_IsStatusBarEnabled(FALSE) = 0x00000000",
      "ICoreWebView2Settings.put_AreDefaultContextMenusEnabled(TRUE) = 0x00000000",
      "ICoreWebView2Settings.put_IsZoomControlEnabled(FALSE) = 0x00000000",
      "ICoreWebView2Settings.put_AreDevToolsEnabled(FALSE) = 0x00000000",
      "ICoreWebView2Settings.put_IsScriptEnabled(TRUE) = 0x00000000",
      "ICoreWebView2Settings.put_IsGeneralAutofillEnabled(TRUE) = 0x00000000",
      "ICoreWebView2Settings.put_IsPinchZoomEnabled(FALSE) = 0x00000000",
      "ICoreWebView2Settings.put_IsSwipeNavigationEnabled(FALSE) = 0x00000000",
      "ICoreWebView2Settings.put_IsNonClientRegionSupportEnabled(TRUE) = 0x00000000",
      "ICoreWebView2.add_WindowCloseRequested(handler) = 0x00000000",
      "ICoreWebView2.add_NavigationStarting(handler) = 0x00000000",
      "ICoreWebView2.add_NewWindowRequested(handler) = 0x00000000",
      "ICoreWebView2.add_DownloadStarting(handler) = 0x00000000",
      "ICoreWebView2.Navigate(\"https://app.corvane.io/#/pos\") = 0x00000000",
      "ICoreWebView2Controller.put_IsVisible(TRUE) = 0x00000000",
      "ICoreWebView2Controller.MoveFocus(0) = 0x00000000",
      "ICoreWebView2Controller.put_Bounds(" + bounds + ") = 0x00000000"};
  EXPECT_EQ(calls_until_started(run.log()), expected);
  EXPECT_EQ(run.close_and_wait(), 0u);
}

TEST_F(WebView, FollowsTheWindowsSizeMovesAndFocus) {
  CorvaneRun run;
  ASSERT_TRUE(run.wait_until_started());
  const HWND window = run.main_window();
  const auto bounds_calls = [&] {
    return run.log_starting_with("ICoreWebView2Controller.put_Bounds").size();
  };

  ShowWindow(window, SW_RESTORE);
  ASSERT_TRUE(run.wait_for_log("ICoreWebView2Controller.put_Bounds(0,0,1280,820) = 0x00000000"));
  SetWindowPos(window, nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
  RECT client;
  GetClientRect(window, &client);
  const std::string restored_bounds = "ICoreWebView2Controller.put_Bounds(0,0," +
                                      std::to_string(client.right) + "," + std::to_string(client.bottom) +
                                      ") = 0x00000000";
  EXPECT_TRUE(run.wait_for_log(restored_bounds));
  RECT container;
  GetClientRect(run.container(), &container);
  EXPECT_EQ(container.right, client.right) << "the container follows the window too";

  // ShowWindow on another process's window returns once that window has handled the change.
  const size_t before_minimize = bounds_calls();
  ShowWindow(window, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(window));
  EXPECT_EQ(bounds_calls(), before_minimize) << "minimized, the web view keeps its bounds";
  ShowWindow(window, SW_RESTORE);
  EXPECT_TRUE(run.wait_for_log(restored_bounds));
  EXPECT_GT(bounds_calls(), before_minimize);

  const size_t moves =
      run.log_starting_with("ICoreWebView2Controller.NotifyParentWindowPositionChanged").size();
  SetWindowPos(window, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_GT(run.log_starting_with("ICoreWebView2Controller.NotifyParentWindowPositionChanged").size(), moves);

  const size_t focus_moves = run.log_starting_with("ICoreWebView2Controller.MoveFocus").size();
  SendMessageW(window, WM_SETFOCUS, 0, 0);
  EXPECT_EQ(run.log_starting_with("ICoreWebView2Controller.MoveFocus").size(), focus_moves + 1);

  EXPECT_EQ(run.close_and_wait(), 0u);
}

struct NavigationCase {
  const char* url;      // as the page asks for it
  const char* arrives;  // as the runtime hands it to the host
  bool stays_inside;    // the navigation goes ahead in the web view
  bool handed_to_shell;
};

TEST_F(WebView, NavigationsFollowThePolicyAndRefusedOnesReachTheShell) {
  const std::vector<NavigationCase> cases = {
      {"https://app.corvane.io/#/reports", "https://app.corvane.io/#/reports", true, false},
      {"https://accounts.google.com/signin", "https://accounts.google.com/signin", true, false},
      // The browser puts these in canonical form before the host sees them.
      {"HTTPS://App.Corvane.IO:443/#/x", "https://app.corvane.io/#/x", true, false},
      {"https:\\\\app.corvane.io\\till", "https://app.corvane.io/till", true, false},
      {"https://app.corvane.io/\t#/tab", "https://app.corvane.io/#/tab", true, false},
      {"about:blank", "about:blank", true, false},
      {"blob:https://app.corvane.io/5f1c", "blob:https://app.corvane.io/5f1c", true, false},
      {"data:text/html,hello", "data:text/html,hello", true, false},
      {"https://example.com/help?a=1&b=%C3%A9", "https://example.com/help?a=1&b=%C3%A9", false, true},
      {"http://app.corvane.io:80", "http://app.corvane.io/", false, true},
      {"mailto:support@example.com", "mailto:support@example.com", false, true},
      {"tel:+4930123456", "tel:+4930123456", false, true},
      {"ftp://files.example.com/", "ftp://files.example.com/", false, false},
  };
  CorvaneRun run;
  ASSERT_TRUE(run.wait_until_started());
  std::vector<std::string> handed;
  for (const auto& c : cases) {
    run.command(to_utf16(std::string("link ") + c.url));
    if (c.handed_to_shell) handed.push_back(c.arrives);
  }
  ASSERT_TRUE(run.wait_until_settled());
  for (const auto& c : cases) {
    EXPECT_TRUE(run.wait_for_log(
        std::string("event NavigationStarting ") + c.arrives + (c.stays_inside ? " allowed" : " cancelled"),
        0))
        << c.url;
  }
  EXPECT_TRUE(testing_support::wait_for_handed_urls(handed));
  ASSERT_TRUE(testing_support::wait_for_hand_offs_to_finish());
  Lines received = testing_support::handed_urls();
  std::sort(received.begin(), received.end());
  std::sort(handed.begin(), handed.end());
  EXPECT_EQ(received, handed) << "each refused openable URL reaches the shell once, and nothing else does";
  EXPECT_EQ(run.close_and_wait(), 0u);
}

struct RedirectCase {
  const char* name;
  std::string script;  // the redirect chain
  const char* first;   // where the page goes
  const char* page;    // where it ends up; none when a hop was refused
  std::vector<std::string> handed;
};

class Redirects : public WebView, public testing::WithParamInterface<RedirectCase> {};

// Every hop of a redirect chain is put to the policy again.
TEST_P(Redirects, AreDecidedAtEveryHop) {
  const RedirectCase& c = GetParam();
  CorvaneRun run(c.script);
  ASSERT_TRUE(run.wait_until_started());
  run.command(to_utf16(std::string("link ") + c.first));
  ASSERT_TRUE(run.wait_until_settled());
  if (c.page) {
    EXPECT_TRUE(run.wait_for_log(std::string("page ") + c.page, 0));
  } else {
    EXPECT_EQ(run.log_starting_with("page ").back(), "page https://app.corvane.io/#/pos") << "the page stays";
  }
  EXPECT_TRUE(testing_support::wait_for_handed_urls(c.handed));
  ASSERT_TRUE(testing_support::wait_for_hand_offs_to_finish());
  EXPECT_EQ(testing_support::handed_urls(), c.handed);
  EXPECT_EQ(run.close_and_wait(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Chains, Redirects,
    testing::Values(
        RedirectCase{
            "sign_in_between_the_allowed_hosts",
            "redirect https://app.corvane.io/login https://accounts.google.com/o/oauth2/auth\n"
            "redirect https://accounts.google.com/o/oauth2/auth https://app.corvane.io/#/signed-in\n",
            "https://app.corvane.io/login",
            "https://app.corvane.io/#/signed-in",
            {}},
        RedirectCase{"hop_to_a_foreign_host",
                     "redirect https://app.corvane.io/help https://help.example.com/corvane\n"
                     "redirect https://help.example.com/corvane https://app.corvane.io/#/never\n",
                     "https://app.corvane.io/help",
                     nullptr,
                     {"https://help.example.com/corvane"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WebView, NewWindowsFollowThePolicyThroughTheDeferral) {
  CorvaneRun run;
  ASSERT_TRUE(run.wait_until_started());
  run.command(L"open https://app.corvane.io/receipt size 300 200 position 10 20");
  ASSERT_TRUE(run.wait_until_settled());
  EXPECT_TRUE(run.wait_for_log(
      "event NewWindowRequested https://app.corvane.io/receipt handled=FALSE new_window=none"));
  EXPECT_TRUE(run.wait_for_log("popup opened https://app.corvane.io/receipt"));
  for (const char* read :
       {"get_HasPosition", "get_Left", "get_Top", "get_HasSize", "get_Width", "get_Height"}) {
    EXPECT_FALSE(run.log_starting_with(std::string("ICoreWebView2WindowFeatures.") + read).empty()) << read;
  }
  run.command(L"open https://example.com/offer");
  EXPECT_TRUE(
      run.wait_for_log("event NewWindowRequested https://example.com/offer handled=TRUE new_window=none"));
  EXPECT_TRUE(testing_support::wait_for_handed_urls({"https://example.com/offer"}));
  EXPECT_EQ(run.log_starting_with("ICoreWebView2Deferral.Complete() = 0x00000000").size(), 2u);
  EXPECT_EQ(run.log_starting_with("popup opened https://example.com/offer").size(), 0u);
  EXPECT_EQ(run.close_and_wait(), 0u);
}

TEST_F(WebView, DownloadsAreSavedSilentlyAtTheProposedPath) {
  CorvaneRun run;
  ASSERT_TRUE(run.wait_until_started());
  // Downloads land in the run's folder, which goes with the run.
  const std::string folder = to_utf8(run.folder());
  run.command(to_utf16("download https://app.corvane.io/report.pdf \\\\?\\" + folder + "report.pdf"));
  EXPECT_TRUE(run.wait_for_log("event DownloadStarting https://app.corvane.io/report.pdf path=" + folder +
                               "report.pdf handled=TRUE cancel=FALSE saved=yes"));
  EXPECT_NE(GetFileAttributesW((run.folder() + L"report.pdf").c_str()), INVALID_FILE_ATTRIBUTES);
  // A verbatim path that would change meaning without its prefix is kept as it is.
  run.command(to_utf16("download https://app.corvane.io/x \\\\?\\" + folder + "CON.txt"));
  EXPECT_TRUE(run.wait_for_log("event DownloadStarting https://app.corvane.io/x path=\\\\?\\" + folder +
                               "CON.txt handled=TRUE cancel=FALSE saved=yes"));
  EXPECT_EQ(run.close_and_wait(), 0u);
}

TEST_F(WebView, WindowCloseRemovesTheWebViewButNotTheWindow) {
  CorvaneRun run;
  ASSERT_TRUE(run.wait_until_started());
  ASSERT_NE(run.container(), nullptr);
  run.command(L"close");
  ASSERT_TRUE(run.wait_for_log("controller closed: its parent window was destroyed"));
  EXPECT_EQ(run.container(), nullptr);
  EXPECT_TRUE(IsWindow(run.main_window()));
  // The parent's subclass still passes sizes on; the closed controller refuses them.
  ShowWindow(run.main_window(), SW_RESTORE);
  EXPECT_TRUE(run.wait_for_log("ICoreWebView2Controller.put_Bounds(0,0,1280,820) = 0x8007139F"));
  EXPECT_EQ(run.close_and_wait(), 0u);
}

// The page asks for a window and closes its own before the decision is dispatched: the container goes,
// the request is denied and completed, and nothing of it is held.
TEST_F(WebView, AWindowOpenedThenClosedBeforeItsDecisionIsReleased) {
  CorvaneRun run;
  ASSERT_TRUE(run.wait_until_started());
  run.command(L"open https://app.corvane.io/receipt ; close");
  ASSERT_TRUE(run.wait_for_log(
      "event NewWindowRequested https://app.corvane.io/receipt handled=TRUE new_window=none"));
  EXPECT_TRUE(run.wait_for_log("ICoreWebView2Deferral.Complete() = 0x00000000", 0));
  ASSERT_EQ(run.close_and_wait(), 0u);
  EXPECT_EQ(run.log_starting_with("live "),
            (Lines{"live Environment host=2 internal=0", "live Controller host=2 internal=0",
                   "live WebView host=1 internal=1", "live Settings host=0 internal=1"}));
}

TEST_F(WebView, AtTheEndTheHostHoldsWhatItKeeps) {
  CorvaneRun run;
  ASSERT_TRUE(run.wait_until_started());
  run.command(L"link https://example.com/");
  run.command(L"open https://example.com/popup");
  ASSERT_TRUE(run.wait_until_settled());
  ASSERT_TRUE(
      run.wait_for_log("event NewWindowRequested https://example.com/popup handled=TRUE new_window=none"));
  ASSERT_EQ(run.close_and_wait(), 0u);
  // The web view and its controller in the host's record, the controller again in the parent's
  // subclass, the environment again in the new-window handler.
  EXPECT_EQ(run.log_starting_with("live "),
            (Lines{"live Environment host=2 internal=0", "live Controller host=2 internal=0",
                   "live WebView host=1 internal=1", "live Settings host=0 internal=1"}));
}

TEST_F(WebView, MissingOptionalInterfacesAreSkipped) {
  CorvaneRun run(
      "lack ICoreWebView2Environment10\nlack ICoreWebView2Settings4\nlack ICoreWebView2Settings5\n"
      "lack ICoreWebView2Settings6\nlack ICoreWebView2Settings9\n");
  ASSERT_TRUE(run.wait_until_started());
  EXPECT_EQ(run.log_starting_with("ICoreWebView2Environment.CreateCoreWebView2Controller(").size(), 1u);
  EXPECT_TRUE(run.log_starting_with("ICoreWebView2Settings.put_IsGeneralAutofillEnabled").empty());
  EXPECT_TRUE(run.log_starting_with("ICoreWebView2Settings.put_IsNonClientRegionSupportEnabled").empty());
  EXPECT_EQ(run.log_starting_with("ICoreWebView2Settings.put_IsScriptEnabled(TRUE)").size(), 1u);
  EXPECT_EQ(run.close_and_wait(), 0u);
}

struct FailureCase {
  const char* name;
  std::string script;
  WebView2Failure failure;  // what the dialog must report
  // The parent's subclass was installed before the failure, and keeps its controller until the window
  // goes; everything else the host took is released.
  bool subclass_kept = false;
};

class StartFailure : public WebView, public testing::WithParamInterface<FailureCase> {};

WebView2Failure system(HRESULT code, std::string message = "") {
  return {WebView2Failure::SystemError{code, std::move(message)}};
}

TEST_P(StartFailure, ShowsTheDialogThenOpensTheDownloadLinkAndEndsWithZero) {
  CorvaneRun run(GetParam().script);
  const auto text = testing_support::wait_for_error_box(run.program().id());
  ASSERT_TRUE(text);
  EXPECT_EQ(to_utf8(*text), webview_failure_text(WebViewError{GetParam().failure}));
  EXPECT_TRUE(testing_support::handed_urls().empty()) << "the link opens after the dialog";
  testing_support::dismiss_error_box(run.program().id());
  EXPECT_EQ(run.program().wait_for_exit(), 0u);
  EXPECT_TRUE(testing_support::wait_for_handed_urls({std::string(AppConfig::DownloadLink)}));
  const Lines kept = {"live Environment host=1 internal=0", "live Controller host=1 internal=0",
                      "live WebView host=0 internal=1", "live Settings host=0 internal=1"};
  EXPECT_EQ(run.log_starting_with("live "), GetParam().subclass_kept ? kept : Lines{});
}

INSTANTIATE_TEST_SUITE_P(
    Steps, StartFailure,
    testing::Values(
        FailureCase{"loader",
                    "fail CreateCoreWebView2EnvironmentWithOptions 0x80070002 No WebView2 Runtime here\n",
                    system(0x80070002, "No WebView2 Runtime here")},
        FailureCase{"environment_completion", "environment-completion 0x80004005\n", system(E_FAIL)},
        FailureCase{"no_environment", "environment-completion null\n", system(E_POINTER)},
        FailureCase{"quit_during_the_wait", "environment-completion quit\n", {WebView2Failure::Cancelled{}}},
        FailureCase{"controller_options",
                    "fail ICoreWebView2Environment10.CreateCoreWebView2ControllerOptions 0x8007000E\n",
                    system(E_OUTOFMEMORY)},
        FailureCase{"controller", "controller-completion 0x80070005\n", system(E_ACCESSDENIED)},
        FailureCase{"get_CoreWebView2", "fail ICoreWebView2Controller.get_CoreWebView2 0x8000FFFF\n",
                    system(E_UNEXPECTED)},
        FailureCase{"get_Settings", "fail ICoreWebView2.get_Settings 0x80004001 settings \"unavailable\"\n",
                    system(E_NOTIMPL, "settings \"unavailable\"")},
        FailureCase{"no_controller_options",
                    "null ICoreWebView2Environment10.CreateCoreWebView2ControllerOptions\n",
                    system(E_POINTER)},
        FailureCase{"no_web_view", "null ICoreWebView2Controller.get_CoreWebView2\n", system(E_POINTER)},
        // The E_POINTER of a NULL result is the host's own finding: error information an earlier call
        // left on the thread does not describe it.
        FailureCase{"no_settings_after_stale_error_info",
                    "error-info ICoreWebView2Controller.get_CoreWebView2 left over from an earlier call\n"
                    "null ICoreWebView2.get_Settings\n",
                    system(E_POINTER)},
        FailureCase{"no_settings", "null ICoreWebView2.get_Settings\n", system(E_POINTER)},
        FailureCase{"no_ICoreWebView2_4", "null ICoreWebView2_4\n", system(E_POINTER)},
        FailureCase{"setting", "fail ICoreWebView2Settings.put_IsZoomControlEnabled 0x80070057\n",
                    system(E_INVALIDARG)},
        FailureCase{"registration", "fail ICoreWebView2.add_NavigationStarting 0x80004005 no handlers\n",
                    system(E_FAIL, "no handlers")},
        FailureCase{"navigate", "fail ICoreWebView2.Navigate 0x800704C7\n",
                    system(static_cast<HRESULT>(0x800704C7))},
        FailureCase{"visibility", "fail ICoreWebView2Controller.put_IsVisible 0x80004005\n", system(E_FAIL),
                    true},
        FailureCase{"bounds", "fail ICoreWebView2Controller.put_Bounds 0x80070057\n", system(E_INVALIDARG)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NoLoader, TheSystemRefusesToStartTheProgram) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"corvane-without-loader\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileW(testing_support::corvane_exe().c_str(), (folder + L"Corvane.exe").c_str(), FALSE));
  {
    testing_support::Program program(folder + L"Corvane.exe");
    const auto code = program.wait_for_exit(10000);
    EXPECT_TRUE(code && *code != 0) << "the program started without its loader";
    EXPECT_TRUE(program.main_windows().empty());
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

}  // namespace
}  // namespace corvane
