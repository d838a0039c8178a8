#include "support/opaque_com_ref.h"

#include <unknwn.h>

namespace corvane::detail {

void release_com_reference(void* unknown) noexcept {
  static_cast<IUnknown*>(unknown)->Release();
}

}  // namespace corvane::detail
