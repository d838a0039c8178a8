#include "support/owed_posts.h"

#include <windows.h>

#include <ntsecapi.h>

#include "support/fatal.h"

namespace corvane {

PostToken first_post_token() {
  PostToken token = 0;
  // The system's random generator (RtlGenRandom, in advapi32, which the program imports anyway): no
  // other process can work out what it gave.
  if (!RtlGenRandom(&token, sizeof token)) fatal("the system's random generator gave nothing");
  return token;
}

}  // namespace corvane
