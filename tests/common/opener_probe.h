#pragma once
// Stands in for the web view and the environment that open a new window, where only their references
// count: it notes when its last one goes.
#include "support/com_object.h"

namespace corvane::testing_support {

class OpenerProbe final : public ComObject<OpenerProbe> {
 public:
  explicit OpenerProbe(bool* gone) : gone_(gone) {}
  ~OpenerProbe() override { *gone_ = true; }

 private:
  bool* gone_;
};

}  // namespace corvane::testing_support
