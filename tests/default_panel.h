// The project's default panel configuration, for tests that place it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "host/panel_config.h"

namespace tavrel::testing {

// panels/default.cfg as read; a test that cannot read it fails.
inline host::PanelConfig default_panel_config() {
  host::PanelConfig config;
  std::string error;
  EXPECT_TRUE(host::read_panel_config(std::string(TAVREL_SOURCE_DIR) + "/panels/default.cfg",
                                      config, error))
      << error;
  return config;
}

}  // namespace tavrel::testing
