#pragma once

#include <functional>
#include <utility>

#include <QMetaObject>
#include <QObject>

#include "app/presenter/ui_thread.h"

namespace quillmere {

// Work posted to the thread of `receiver`, run once its event loop gets to
// it; dropped when `receiver` is gone by then.
class QtUiThread : public UiThread {
 public:
  explicit QtUiThread(QObject& receiver) : receiver_(receiver) {}

  void Post(std::function<void()> work) override {
    QMetaObject::invokeMethod(&receiver_, std::move(work), Qt::QueuedConnection);
  }

 private:
  QObject& receiver_;
};

}  // namespace quillmere
