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
  static void SetUpTestSuite() { testing_support::install_url_recorder(); }
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
      "option AdditionalBrowserArguments = \"--disable-features=msWebOOUI,msPdfOOUI,msSmartScreenProtection "
      "--autoplay-policy=no-user-gesture-required\" 0x00000000",
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
      "CreateCoreWebView2EnvironmentWithOptions(null, \"C:\\Users\\u\\AppData\\Local\\Corvane\\WebView2\", "
      "options, "
      "handler) = 0x00000000",
      "ICoreWebView2Environment10.CreateCoreWebView2ControllerOptions() = 0x00000000",
      "ICoreWebView2ControllerOptions.put_IsInPrivateModeEnabled(FALSE) = 0x00000000",
      "ICoreWebView2Environment10.CreateCoreWebView2ControllerWithOptions(container, private=FALSE "
      "profile=null, "
      "handler) = 0x00000000",
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
  EXPECT_TRUE(run.wait_for_log("ICoreWebView2Controller.put_Bounds(0,0," + std::to_string(client.right) +
                               "," + std::to_string(client.bottom) + ") = 0x00000000"));
  RECT container;
  GetClientRect(run.container(), &container);
  EXPECT_EQ(container.right, client.right) << "the container follows the window too";

  const size_t before_minimize = bounds_calls();
  ShowWindow(window, SW_MINIMIZE);
  Sleep(300);
  EXPECT_EQ(bounds_calls(), before_minimize) << "minimized, the web view keeps its bounds";
  ShowWindow(window, SW_RESTORE);
  EXPECT_TRUE(run.wait_for_log("ICoreWebView2Controller.put_Bounds(0,0," + std::to_string(client.right) +
                               "," + std::to_string(client.bottom) + ") = 0x00000000"));
  EXPECT_GT(bounds_calls(), before_minimize);

  const size_t moves =
      run.log_starting_with("ICoreWebView2Controller.NotifyParentWindowPositionChanged").size();
  SetWindowPos(window, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Sleep(300);
  EXPECT_GT(run.log_starting_with("ICoreWebView2Controller.NotifyParentWindowPositionChanged").size(), moves);

  const size_t focus_moves = run.log_starting_with("ICoreWebView2Controller.MoveFocus").size();
  SendMessageW(window, WM_SETFOCUS, 0, 0);
  EXPECT_EQ(run.log_starting_with("ICoreWebView2Controller.MoveFocus").size(), focus_moves + 1);

  EXPECT_EQ(run.close_and_wait(), 0u);
}

struct NavigationCase {
  const char* url;
  bool stays_inside;  // the navigation goes ahead in the web view
  bool handed_to_shell;
};

TEST_F(WebView, NavigationsFollowThePolicyAndRefusedOnesReachTheShell) {
  const std::vector<NavigationCase> cases = {
      {"https://app.corvane.io/#/reports", true, false},
      {"https://accounts.google.com/signin", true, false},
      {"about:blank", true, false},
      {"blob:https://app.corvane.io/5f1c", true, false},
      {"data:text/html,hello", true, false},
      {"https://example.com/help?a=1&b=%C3%A9", false, true},
      {"http://app.corvane.io/", false, true},
      {"mailto:support@example.com", false, true},
      {"tel:+4930123456", false, true},
      {"ftp://files.example.com/", false, false},
  };
  CorvaneRun run;
  ASSERT_TRUE(run.wait_until_started());
  std::vector<std::string> handed;
  for (const auto& c : cases) {
    EXPECT_EQ(run.command(to_utf16(std::string("link ") + c.url)), c.stays_inside ? 1 : 0) << c.url;
    if (c.handed_to_shell) handed.push_back(c.url);
  }
  EXPECT_TRUE(testing_support::wait_for_handed_urls(handed));
  Sleep(500);  // anything else would have arrived by now
  Lines received = testing_support::handed_urls();
  std::sort(received.begin(), received.end());
  std::sort(handed.begin(), handed.end());
  EXPECT_EQ(received, handed);
  EXPECT_EQ(run.close_and_wait(), 0u);
}

TEST_F(WebView, NewWindowsFollowThePolicyThroughTheDeferral) {
  CorvaneRun run;
  ASSERT_TRUE(run.wait_until_started());
  run.command(L"open https://app.corvane.io/receipt size 300 200 position 10 20");
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
  DeleteFileW(L"C:\\users\\Public\\corvane-report.pdf");
  run.command(L"download https://app.corvane.io/report.pdf \\\\?\\C:\\users\\Public\\corvane-report.pdf");
  EXPECT_TRUE(
      run.wait_for_log("event DownloadStarting https://app.corvane.io/report.pdf "
                       "path=C:\\users\\Public\\corvane-report.pdf handled=TRUE cancel=FALSE saved=yes"));
  EXPECT_NE(GetFileAttributesW(L"C:\\users\\Public\\corvane-report.pdf"), INVALID_FILE_ATTRIBUTES);
  // A verbatim path that would change meaning without its prefix is kept as it is.
  run.command(L"download https://app.corvane.io/x \\\\?\\C:\\users\\Public\\CON.txt");
  EXPECT_TRUE(
      run.wait_for_log("ICoreWebView2DownloadStartingEventArgs.put_ResultFilePath(\"\\\\?\\C:"
                       "\\users\\Public\\CON.txt\") = 0x00000000"));
  DeleteFileW(L"C:\\users\\Public\\corvane-report.pdf");
  EXPECT_EQ(run.close_and_wait(), 0u);
}

TEST_F(WebView, WindowCloseRemovesTheWebViewButNotTheWindow) {
  CorvaneRun run;
  ASSERT_TRUE(run.wait_until_started());
  ASSERT_NE(run.container(), nullptr);
  run.command(L"close");
  EXPECT_EQ(run.container(), nullptr);
  EXPECT_TRUE(IsWindow(run.main_window()));
  ShowWindow(run.main_window(), SW_RESTORE);  // the parent's subclass keeps working
  EXPECT_EQ(run.close_and_wait(), 0u);
}

TEST_F(WebView, AtTheEndTheHostHoldsWhatItKeeps) {
  CorvaneRun run;
  ASSERT_TRUE(run.wait_until_started());
  run.command(L"link https://example.com/");
  run.command(L"open https://example.com/popup");
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
        FailureCase{"no_settings", "null ICoreWebView2.get_Settings\n", system(E_POINTER)},
        FailureCase{"no_ICoreWebView2_4", "null ICoreWebView2_4\n", system(E_POINTER)},
        FailureCase{"setting", "fail ICoreWebView2Settings.put_IsZoomControlEnabled 0x80070057\n",
                    system(E_INVALIDARG)},
        FailureCase{"registration", "fail ICoreWebView2.add_NavigationStarting 0x80004005 no handlers\n",
                    system(E_FAIL, "no handlers")},
        FailureCase{"navigate", "fail ICoreWebView2.Navigate 0x800704C7\n",
                    system(static_cast<HRESULT>(0x800704C7))},
        FailureCase{"visibility", "fail ICoreWebView2Controller.put_IsVisible 0x80004005\n", system(E_FAIL)},
        FailureCase{"bounds", "fail ICoreWebView2Controller.put_Bounds 0x80070057\n", system(E_INVALIDARG)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NoLoader, TheSystemRefusesToStartTheProgram) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"corvane-without-loader\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileW(testing_support::corvane_exe().c_str(), (folder + L"Corvane.exe").c_str(), FALSE));
  testing_support::Program program(folder + L"Corvane.exe");
  const auto code = program.wait_for_exit(10000);
  ASSERT_TRUE(code);
  EXPECT_NE(*code, 0u);
  EXPECT_TRUE(program.main_windows().empty());
}

}  // namespace
}  // namespace corvane
