#include "support/PlayerFixture.h"

#include "core/StartUp.h"

namespace quelvo::test {

PlayerFixture::PlayerFixture()
    : settings(std::make_unique<core::SettingsStore>(folder.settingsPath())) {
  platform.screenMetrics = {1280 * 15.0, 800 * 15.0, 15, 15};
}

PlayerFixture::~PlayerFixture() = default;

bool PlayerFixture::start() {
  form_ = std::make_unique<app::Form1>(app::Environment{platform, *settings, folder.path()});
  return core::Form_Load(*form_, [this] { splashClosed = true; });
}

}  // namespace quelvo::test
