#include "app/main_window_attributes.h"

#include "app/config.h"

namespace corvane {

WindowAttributes main_window_attributes(SharedIcon icon) {
  WindowAttributes attributes;
  attributes.title = std::string(AppConfig::ProductName);
  attributes.window_icon = std::move(icon);
  attributes.inner_size = LogicalSize{1280, 820};
  attributes.constraints.min_width = LogicalLength{360};
  attributes.constraints.min_height = LogicalLength{560};
  attributes.maximized = true;
  return attributes;
}

}  // namespace corvane
