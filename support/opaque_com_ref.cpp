#include "support/opaque_com_ref.h"

#include <unknwn.h>

namespace corvane {

void OpaqueComRef::reset() noexcept {
  if (auto* unknown = static_cast<IUnknown*>(release())) unknown->Release();
}

}  // namespace corvane
