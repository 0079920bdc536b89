#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace quelvo::platform {

// One of the program's items in a window's system menu. Each item follows a
// separator, after the system's own items.
struct SystemMenuItem {
  int id = 0;
  QString caption;
  bool checkable = false;
  bool checked = false;
};

// A window's native system menu, on systems that have one (Windows).
class SystemMenu {
 public:
  virtual ~SystemMenu() = default;
  // Replaces the program's items, keeping the system's own.
  virtual void setItems(const std::vector<SystemMenuItem>& items) = 0;
};

// The Windows system menu of a window; chosen receives the id of a program item
// the user picks. Null on other systems.
std::unique_ptr<SystemMenu> nativeSystemMenu(QWidget* window, std::function<void(int)> chosen);

}  // namespace quelvo::platform
