// One long run under heavy use: 10,000 navigations, 1,000 new-window requests, 1,000 downloads and
// 1,000 resize and DPI changes, interleaved as a busy day would bring them. Every decision must be
// right, the host must end holding only what it keeps for its whole life, and the private bytes must
// stay flat between the first and the last thousand events.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>

#include "support/text.h"
#include "tests/e2e/corvane_run.h"

namespace corvane {
namespace {

using testing_support::CorvaneRun;

// Growth allowed between the first and the last thousand events: a leak of 100 bytes per event would
// exceed it.
constexpr LONGLONG kFlatBoundBytes = 1 << 20;
// busy_day() brings one new window, one download and one window change with every ten navigations.
constexpr int kNavigations = 10000, kNewWindows = kNavigations / 10, kDownloads = kNavigations / 10;

struct UrlKind {
  const char* prefix;  // the event's number follows
  bool allowed;
  bool handed;  // refused and given to the user's browser, mail or telephone handler
};

// Navigations cycle through these; every 500th is one of kHandedNavigations instead, since each
// hand-off starts a process.
constexpr UrlKind kNavigationKinds[] = {
    {"https://app.corvane.io/#/sale/", true, false},
    {"https://accounts.google.com/o/oauth2/v2/auth?n=", true, false},
    {"about:blank#", true, false},
    {"data:text/plain,", true, false},
    {"blob:https://app.corvane.io/", true, false},
    {"ftp://files.example.com/", false, false},
    {"javascript:void(", false, false},
    {"file:///C:/Windows/", false, false},
    {"ms-settings:privacy-", false, false},
    {"edge://settings/", false, false},
};
constexpr UrlKind kHandedNavigations[] = {
    {"https://app.corvane.io.example.com/", false, true},
    {"mailto:support@example.com?subject=", false, true},
    {"tel:+4930", false, true},
    {"https://example.com/help?topic=", false, true},
};
constexpr UrlKind kNewWindowKinds[] = {
    {"https://app.corvane.io/receipt/", true, false},
    {"about:blank#", true, false},
    {"blob:https://app.corvane.io/", true, false},
    {"ftp://files.example.com/", false, false},
    {"javascript:print(", false, false},
};
// Every 100th new window asks for the sign-in host, which only the main window may show.
constexpr UrlKind kHandedNewWindow = {"https://accounts.google.com/", false, true};

struct Event {
  enum class Kind { Navigation, NewWindow, Download, WindowChange } kind;
  int number;
};

// 13,000 events, interleaved: ten navigations, then one of each other kind.
std::vector<Event> busy_day() {
  std::vector<Event> events;
  int navigations = 0, others = 0;
  while (navigations < kNavigations) {
    for (int k = 0; k < 10; ++k) events.push_back({Event::Kind::Navigation, navigations++});
    events.push_back({Event::Kind::NewWindow, others});
    events.push_back({Event::Kind::Download, others});
    events.push_back({Event::Kind::WindowChange, others++});
  }
  return events;
}

std::string numbered(const UrlKind& kind, int number) {
  return kind.prefix + std::to_string(number);
}

const UrlKind& navigation_kind(int number) {
  if (number % 500 == 250) return kHandedNavigations[(number / 500) % std::size(kHandedNavigations)];
  return kNavigationKinds[number % std::size(kNavigationKinds)];
}

const UrlKind& new_window_kind(int number) {
  if (number % 100 == 50) return kHandedNewWindow;
  return kNewWindowKinds[number % std::size(kNewWindowKinds)];
}

constexpr wchar_t kFolder[] = L"C:\\users\\Public\\corvane-load";

class LoadRun {
 public:
  LoadRun() {
    std::filesystem::create_directories(kFolder);
    started_ = run_.wait_until_started();
  }
  // Through the verbatim form, which also reaches the files named like devices; never throws.
  ~LoadRun() {
    std::error_code ignored;
    std::filesystem::remove_all(std::wstring(L"\\\\?\\") + kFolder, ignored);
  }

  bool started() const { return started_; }
  CorvaneRun& run() { return run_; }

  void play(const Event& event) {
    switch (event.kind) {
      case Event::Kind::Navigation:
        return navigate(event.number);
      case Event::Kind::NewWindow:
        return open_window(event.number);
      case Event::Kind::Download:
        return download(event.number);
      case Event::Kind::WindowChange:
        return change_window(event.number);
    }
  }

  LONGLONG private_bytes() const { return static_cast<LONGLONG>(run_.query(L"memory").value_or(0)); }

  std::map<std::string, bool> navigations;       // URL → allowed
  std::vector<std::string> handed;               // in the order given
  std::map<std::string, bool> new_windows;       // URL → allowed
  std::map<std::string, std::string> downloads;  // URL → path the runtime must save to

 private:
  void navigate(int number) {
    const UrlKind& kind = navigation_kind(number);
    const std::string url = numbered(kind, number);
    run_.command(to_utf16("link " + url));
    navigations[url] = kind.allowed;
    if (kind.handed) handed.push_back(url);
  }

  void open_window(int number) {
    const UrlKind& kind = new_window_kind(number);
    const std::string url = numbered(kind, number);
    run_.command(to_utf16("open " + url));
    new_windows[url] = kind.allowed;
    if (kind.handed) handed.push_back(url);
    if (number % 100 == 99) run_.command(L"close-popups");
  }

  // Every tenth proposed name is a device name, whose verbatim prefix must stay.
  void download(int number) {
    const std::string name = number % 10 == 0 ? "CON.tar.gz" : "report-" + std::to_string(number) + ".pdf";
    const std::string plain = to_utf8(kFolder) + "\\" + name;
    const std::string url = "https://app.corvane.io/export/" + std::to_string(number);
    run_.command(to_utf16("download " + url + " \\\\?\\" + plain));
    downloads[url] = number % 10 == 0 ? "\\\\?\\" + plain : plain;
  }

  void change_window(int number) {
    if (number % 2 == 0) {
      SetWindowPos(run_.main_window(), nullptr, 0, 0, 800 + (number % 7) * 50, 600 + (number % 5) * 40,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
      constexpr UINT dpis[] = {120, 144, 120, 96};
      run_.command(L"dpi " + std::to_wstring(dpis[(number / 2) % 4]));
    }
  }

  CorvaneRun run_;
  bool started_ = false;
};

// "event <name> <url> <rest>" lines of the log, by URL.
std::map<std::string, std::string> events_by_url(const std::vector<std::string>& log,
                                                 const std::string& name) {
  std::map<std::string, std::string> found;
  const std::string prefix = "event " + name + " ";
  for (const auto& line : log) {
    if (!line.starts_with(prefix)) continue;
    const std::string rest = line.substr(prefix.size());
    found[rest.substr(0, rest.find(' '))] = rest.substr(rest.find(' ') + 1);
  }
  return found;
}

TEST(Load, ABusyDayLeavesEveryDecisionRightAndNothingHeld) {
  const testing_support::UrlRecorder recorder;
  testing_support::clear_handed_urls();
  LoadRun load;
  ASSERT_TRUE(load.started());
  ShowWindow(load.run().main_window(), SW_RESTORE);

  const auto events = busy_day();
  const ULONGLONG start = GetTickCount64();
  std::vector<LONGLONG> memory;
  for (size_t i = 0; i < events.size(); ++i) {
    load.play(events[i]);
    // The page events happen after their commands: the queue is kept short, as a page's would be.
    if ((i + 1) % 13 == 0) {
      ASSERT_TRUE(load.run().wait_until_settled());
    }
    if ((i + 1) % 1000 == 0) memory.push_back(load.private_bytes());
  }
  ASSERT_TRUE(load.run().wait_until_settled());
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.1f", (GetTickCount64() - start) / 1000.0);
  std::string figure = "load: " + std::to_string(events.size()) + " events in " + seconds +
                       " s; private bytes after each thousand (KiB):";
  for (LONGLONG bytes : memory) figure += " " + std::to_string(bytes / 1024);
  testing_support::report_figure(figure);

  ASSERT_GE(memory.size(), 2u);
  EXPECT_LE(memory.back() - memory.front(), kFlatBoundBytes) << "private bytes grew under load";

  RECT client;
  GetClientRect(load.run().main_window(), &client);
  const std::string bounds = "ICoreWebView2Controller.put_Bounds(0,0," + std::to_string(client.right) + "," +
                             std::to_string(client.bottom) + ") = 0x00000000";
  EXPECT_EQ(load.run().log_starting_with("ICoreWebView2Controller.put_Bounds").back(), bounds)
      << "the web view does not fill the window after the last change";

  EXPECT_TRUE(testing_support::wait_for_handed_urls(load.handed, 30000));
  ASSERT_EQ(load.run().close_and_wait(), 0u);

  const auto log = load.run().log();
  const auto navigations = events_by_url(log, "NavigationStarting");
  size_t wrong = 0;
  for (const auto& [url, allowed] : load.navigations) {
    if (navigations.at(url) != (allowed ? "allowed" : "cancelled")) ++wrong;
  }
  EXPECT_EQ(wrong, 0u) << "navigations decided wrongly";
  const auto new_windows = events_by_url(log, "NewWindowRequested");
  ASSERT_EQ(new_windows.size(), size_t{kNewWindows});
  for (const auto& [url, allowed] : load.new_windows) {
    EXPECT_EQ(new_windows.at(url), allowed ? "handled=FALSE new_window=none" : "handled=TRUE new_window=none")
        << url;
  }
  const auto downloads = events_by_url(log, "DownloadStarting");
  ASSERT_EQ(downloads.size(), size_t{kDownloads});
  for (const auto& [url, path] : load.downloads) {
    EXPECT_EQ(downloads.at(url), "path=" + path + " handled=TRUE cancel=FALSE saved=yes") << url;
  }
  auto received = testing_support::handed_urls();
  std::sort(received.begin(), received.end());
  std::sort(load.handed.begin(), load.handed.end());
  EXPECT_EQ(received, load.handed) << "each refused openable URL is handed on exactly once";
  EXPECT_EQ(
      load.run().log_starting_with("live "),
      (std::vector<std::string>{"live Environment host=2 internal=0", "live Controller host=2 internal=0",
                                "live WebView host=1 internal=1", "live Settings host=0 internal=1"}));
}

}  // namespace
}  // namespace corvane
