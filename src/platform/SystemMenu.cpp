#include "platform/SystemMenu.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QWidget>
#include <algorithm>
#endif

namespace quelvo::platform {

#ifdef Q_OS_WIN

namespace {

// Appends the program's items to the window's system menu and answers the
// WM_SYSCOMMAND messages of their identifiers, which Windows passes unchanged.
class WindowsSystemMenu final : public SystemMenu, public QAbstractNativeEventFilter {
 public:
  WindowsSystemMenu(QWidget* window, std::function<void(int)> chosen)
      : window_(window), chosen_(std::move(chosen)) {
    QCoreApplication::instance()->installNativeEventFilter(this);
  }
  ~WindowsSystemMenu() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

  void setItems(const std::vector<SystemMenuItem>& items) override {
    const HWND window = handle();
    GetSystemMenu(window, TRUE);  // back to the system's own items
    const HMENU menu = GetSystemMenu(window, FALSE);
    ids_.clear();
    for (const SystemMenuItem& item : items) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      const UINT flags = MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED);
      AppendMenuW(menu, flags, static_cast<UINT_PTR>(item.id),
                  reinterpret_cast<LPCWSTR>(item.caption.utf16()));
      ids_.push_back(item.id);
    }
  }

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override {
    if (type != "windows_generic_MSG") return false;
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message != WM_SYSCOMMAND || msg->hwnd != handle()) return false;
    const int id = static_cast<int>(msg->wParam);
    if (std::find(ids_.begin(), ids_.end(), id) == ids_.end()) return false;
    chosen_(id);
    *result = 0;
    return true;
  }

 private:
  HWND handle() const { return reinterpret_cast<HWND>(window_->winId()); }

  QWidget* window_;
  std::function<void(int)> chosen_;
  std::vector<int> ids_;
};

}  // namespace

std::unique_ptr<SystemMenu> nativeSystemMenu(QWidget* window, std::function<void(int)> chosen) {
  return std::make_unique<WindowsSystemMenu>(window, std::move(chosen));
}

#else

std::unique_ptr<SystemMenu> nativeSystemMenu(QWidget*, std::function<void(int)>) { return nullptr; }

#endif

}  // namespace quelvo::platform
