// What a receiver is owed through posted tokens: paid oldest first and exactly once, never for a token
// it was not given, and never under the lock while a payload goes (dropping one may post again).
#include "support/owed_posts.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <future>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace corvane {
namespace {

using Names = std::vector<std::string>;

struct Repost;

// A payload that may post another one, to receiver 'Z' of the same store, when it goes.
struct Payload {
  std::string name;
  std::shared_ptr<Repost> repost;
};

struct Repost {
  std::string name;
  OwedPosts<Payload>* store;
  ~Repost() {
    store->post('Z', Payload{"again " + name, nullptr}, [](PostToken) { return true; });
  }
};

Payload payload(const std::string& name, OwedPosts<Payload>* reposting_into) {
  return {name, reposting_into ? std::make_shared<Repost>(name, reposting_into) : nullptr};
}

enum class Op { Post, FailedPost, TakeThrough, TakeAll };

// For the takes, payload names the posted payload whose token is presented; "?" is a token nobody gave.
struct Step {
  Op op;
  char receiver;
  std::string payload;
  Names taken = {};
};

struct OwedCase {
  const char* name;
  bool reposting;  // every payload posts again when it goes
  std::vector<Step> steps;
  Names owed_to_z = {};  // what the reposts left for 'Z', in the order the payloads went
};

Names names(const std::vector<Payload>& payloads) {
  Names out;
  for (const Payload& p : payloads) out.push_back(p.name);
  return out;
}

// Runs the steps; each take's result goes (and may repost) before the next step.
void run_steps(const OwedCase& c, OwedPosts<Payload>& store, std::vector<std::string>& failures) {
  std::map<std::string, PostToken> tokens;
  for (const Step& step : c.steps) {
    const std::string where = step.payload + " to " + step.receiver;
    switch (step.op) {
      case Op::Post:
      case Op::FailedPost: {
        const bool posts = step.op == Op::Post;
        const bool posted = store.post(step.receiver, payload(step.payload, c.reposting ? &store : nullptr),
                                       [&](PostToken token) {
                                         tokens[step.payload] = token;
                                         return posts;
                                       });
        if (posted != posts)
          failures.push_back("posting " + where + " answered " + (posted ? "true" : "false"));
        break;
      }
      case Op::TakeThrough: {
        // A token nobody gave: one the store never handed out, next to those it did.
        const PostToken token = step.payload == "?" ? tokens.begin()->second + 1000 : tokens.at(step.payload);
        const Names taken = names(store.take_through(step.receiver, token));
        if (taken != step.taken)
          failures.push_back("paying " + where + " gave " + testing::PrintToString(taken));
        break;
      }
      case Op::TakeAll: {
        const Names taken = names(store.take_all(step.receiver));
        if (taken != step.taken)
          failures.push_back("taking all of " + where + " gave " + testing::PrintToString(taken));
        break;
      }
    }
  }
  const Names left = names(store.take_all('Z'));
  if (left != c.owed_to_z) failures.push_back("left for Z: " + testing::PrintToString(left));
}

class Owed : public testing::TestWithParam<OwedCase> {};

TEST_P(Owed, PaysEachPayloadOnceOldestFirstAndOnlyForItsOwnTokens) {
  // A payload dropped under the store's lock would deadlock: the steps run where a watchdog sees them.
  auto store = std::make_shared<OwedPosts<Payload>>();
  auto failures = std::make_shared<std::vector<std::string>>();
  std::promise<void> done;
  std::future<void> finished = done.get_future();
  std::thread([c = GetParam(), store, failures, done = std::move(done)]() mutable {
    run_steps(c, *store, *failures);
    done.set_value();
  }).detach();
  ASSERT_EQ(finished.wait_for(std::chrono::seconds(10)), std::future_status::ready)
      << "the store deadlocked: a payload went while its lock was held";
  for (const auto& failure : *failures) ADD_FAILURE() << failure;
}

INSTANTIATE_TEST_SUITE_P(Cases, Owed,
                         testing::Values(OwedCase{"oldest_first_and_exactly_once",
                                                  false,
                                                  {{Op::Post, 'A', "a"},
                                                   {Op::Post, 'A', "b"},
                                                   {Op::Post, 'A', "c"},
                                                   {Op::TakeThrough, 'A', "b", {"a", "b"}},
                                                   {Op::TakeThrough, 'A', "b", {}},
                                                   {Op::TakeThrough, 'A', "a", {}},
                                                   {Op::TakeThrough, 'A', "c", {"c"}}}},
                                         OwedCase{"each_receiver_is_paid_only_its_own",
                                                  false,
                                                  {{Op::Post, 'A', "a"},
                                                   {Op::Post, 'B', "x"},
                                                   {Op::Post, 'A', "b"},
                                                   {Op::TakeThrough, 'A', "x", {}},
                                                   {Op::TakeThrough, 'A', "b", {"a", "b"}},
                                                   {Op::TakeThrough, 'B', "x", {"x"}}}},
                                         OwedCase{"a_foreign_token_pays_nothing_and_keeps_what_is_owed",
                                                  false,
                                                  {{Op::Post, 'A', "a"},
                                                   {Op::Post, 'A', "b"},
                                                   {Op::TakeThrough, 'A', "?", {}},
                                                   {Op::TakeThrough, 'A', "b", {"a", "b"}}}},
                                         OwedCase{"take_all_empties_one_receiver",
                                                  false,
                                                  {{Op::Post, 'A', "a"},
                                                   {Op::Post, 'B', "x"},
                                                   {Op::Post, 'A', "b"},
                                                   {Op::TakeAll, 'A', "", {"a", "b"}},
                                                   {Op::TakeThrough, 'A', "b", {}},
                                                   {Op::TakeThrough, 'B', "x", {"x"}}}},
                                         OwedCase{"a_failed_post_keeps_nothing",
                                                  false,
                                                  {{Op::FailedPost, 'A', "a"},
                                                   {Op::Post, 'A', "b"},
                                                   {Op::TakeThrough, 'A', "a", {}},
                                                   {Op::TakeThrough, 'A', "b", {"b"}}}},
                                         OwedCase{"payloads_that_post_again_when_they_go",
                                                  true,
                                                  {{Op::FailedPost, 'A', "a"},
                                                   {Op::Post, 'A', "b"},
                                                   {Op::Post, 'A', "c"},
                                                   {Op::TakeThrough, 'A', "b", {"b"}},
                                                   {Op::TakeAll, 'A', "", {"c"}}},
                                                  {"again a", "again b", "again c"}}),
                         [](const auto& info) { return std::string(info.param.name); });

// The splitmix64 finalizer run backwards: what a program that knew the mix would try on a token.
std::uint64_t unmix(std::uint64_t z) {
  const auto inverse = [](std::uint64_t odd) {
    std::uint64_t x = odd;  // Newton's iteration for the inverse modulo 2^64
    for (int i = 0; i < 6; ++i) x *= 2 - odd * x;
    return x;
  };
  const auto unshift = [](std::uint64_t v, int shift) {
    std::uint64_t x = v;
    for (int i = 0; i < 64 / shift + 1; ++i) x = v ^ (x >> shift);
    return x;
  };
  z = unshift(z, 31) * inverse(0x94D049BB133111EBull);
  z = unshift(z, 27) * inverse(0xBF58476D1CE4E5B9ull);
  return unshift(z, 30) - 0x9E3779B97F4A7C15ull;
}

// Another program on the desktop reads the same performance counter. Tokens mixed from it could be
// worked out by running the mix backwards and finding a counter value from about when Corvane started.
TEST(PostTokens, AreNotTheCounterReadingOfTheStartInDisguise) {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceFrequency(&frequency);
  const PostToken token = first_post_token();
  QueryPerformanceCounter(&counter);
  const auto guess = static_cast<std::int64_t>(unmix(token));
  const std::int64_t hour = frequency.QuadPart * 3600;
  EXPECT_FALSE(guess > counter.QuadPart - hour && guess <= counter.QuadPart)
      << "the first token gives away the counter at the moment it was made";
  EXPECT_NE(first_post_token(), token);
}

}  // namespace
}  // namespace corvane
